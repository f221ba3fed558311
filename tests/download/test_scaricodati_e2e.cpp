#include "SimulatorLink.h"
#include "download/ProprietaSensori.h"
#include "download/ScaricoDati.h"
#include "startup/ui_Form1.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QtTest>

namespace {

QByteArray dieci(const QByteArray& testo)
{
    return testo.leftJustified(10, ' ', true);
}

} // namespace

// Both downloads over a real serial port (a pseudo-terminal) from the logger
// simulator: the files must be exactly what its memory predicts.
class TestScaricoDatiE2E : public QObject
{
    Q_OBJECT

    static QByteArray leggi(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<manca>");
    }

    // The data lines the model's memory gives, built here from its raw texts.
    static QByteArray righe(const QVector<LoggerModel::Record>& memoria, bool temperature,
                            bool eventi)
    {
        QByteArray out;
        for (const LoggerModel::Record& r : memoria) {
            const LoggerModel::Stamp& t = r.time;
            out += QString::asprintf("%02d/%02d/%04d %02d.%02d.%02d   ", t.day, t.month, t.year,
                                     t.hour, t.minute, t.second)
                       .toLatin1();
            for (const QByteArray& v : r.values)
                out +=
                    ',' + dieci(temperature ? QString::asprintf("%05.1f", v.toDouble()).toLatin1()
                                            : QByteArray::number(v.toDouble(), 'g', 15));
            if (eventi)
                out += ',' + dieci(r.eventCount);
            out += "\r\n";
        }
        return out;
    }

private slots:
    void bothFilesAsTheMemoryPredicts()
    {
        LoggerSimulator::Options options;
        options.records = 7;
        options.channels = 20; // two multiplexers: 16 + 4
        options.eventCounter = true;
        SimulatorLink e2e(options);
        QString error;
        QVERIFY2(e2e.connect(&error), qPrintable(error));
        Modulo1& link = e2e.link();
        ScriptedDialogs& dialogs = e2e.dialogs();
        const QDir folder(e2e.folder());
        link.ModelloDatalogger = 1;

        QMainWindow finestra;
        Ui::Form1 ui;
        ui.setupUi(&finestra);
        ProprietaSensori proprieta;
        ScaricoDati scarico(ui, link, dialogs, proprieta);
        scarico.setOrologioData([] { return QDateTime(QDate(2024, 3, 5), QTime(8, 30, 0)); });
        ui.Nome_Centralina->setText("DIGA_NORD");
        ui.Dir1->setText(folder.path());
        ui.TipoF_0->setChecked(true);
        ui.PLUVIOMETRO->setChecked(true);

        QVector<LoggerModel::Record> dati;
        QVector<LoggerModel::Record> temperature;
        e2e.sim().withModel([&](LoggerModel& m) {
            dati = m.data;
            temperature = m.temperatures;
        });
        QCOMPARE(dati.size(), 7);
        QCOMPARE(dati.first().values.size(), 20);

        const QByteArray testa = "DATA ACQ.: 05/03/2024  08:30:00,Numero Canali Attivi:  20 "
                                 ",Numero Dati per Canale:       7\r\n";
        scarico.Acquisisci();
        QVERIFY2(dialogs.boxes().isEmpty(), qPrintable(dialogs.boxes().value(0).text));
        QCOMPARE(leggi(folder.filePath("DIGA_NORD_05_03_24_SENS.txt")),
                 testa + "\r\nVALUE IN HZ \r\n\r\n\r\n\r\n\r\n\r\n" + righe(dati, false, true));

        scarico.Acquisisci_Temp();
        QVERIFY(dialogs.boxes().isEmpty());
        QCOMPARE(leggi(folder.filePath("DIGA_NORD_05_03_24_TEMP.txt")),
                 testa + "\r\n\r\n\r\n\r\n\r\n" + righe(temperature, true, false));
        QCOMPARE(ui.Nome_File_Dati->text(), "DIGA_NORD_05_03_24_TEMP.txt");
    }
};

QTEST_MAIN(TestScaricoDatiE2E)
#include "test_scaricodati_e2e.moc"
