#include "SimulatorLink.h"
#include "live/MisCont.h"
#include "live/TabellaGrafico.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// A continuous measure over a real serial port (a pseudo-terminal) to the
// logger simulator, stopped after a few cycles: the file must hold exactly
// the readings the simulator gives.
class TestMisContE2E : public QObject
{
    Q_OBJECT

private slots:
    void runStoppedAfterThreeCycles()
    {
        LoggerSimulator::Options options;
        options.channels = 3;
        SimulatorLink e2e(options);
        QString error;
        QVERIFY2(e2e.connect(&error), qPrintable(error));
        ScriptedDialogs& dialogs = e2e.dialogs();
        const QDir folder(e2e.folder());

        TabellaGrafico tabella;
        MisCont window(e2e.link(), dialogs, tabella);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.setCartellaProgramma(folder.path());
        int tick = 0;
        const QDateTime base(QDate(2024, 3, 5), QTime(8, 30, 0));
        window.setOrologioData([&] { return base.addSecs(tick++); });
        const QString path = folder.filePath("continua.txt");
        dialogs.saveNext(path);
        connect(&window.griglia(), &QAbstractItemModel::rowsInserted, &window, [&] {
            if (window.griglia().Rows() == 5) // three cycles done
                window.cmdStop();
        });
        window.cmdStart();
        QVERIFY2(dialogs.boxes().isEmpty(), qPrintable(dialogs.boxes().value(0).text));

        QByteArray expected = "[INIZIO DATI]\r\nDate,CH 0,CH 1,CH 2\r\n";
        for (int cycle = 0; cycle < 3; ++cycle) {
            expected += base.addSecs(cycle + 1).toString("dd/MM/yyyy HH:mm:ss").toLatin1();
            for (int ch = 0; ch < 3; ++ch) {
                const double hz = LoggerModel::syntheticReading(1, cycle, ch).toDouble();
                expected += ',' + QByteArray::number(hz, 'f', 2).rightJustified(7, '0');
            }
            expected += "\r\n";
        }
        expected += "[FINE DATI]\r\n";
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), expected);
        QCOMPARE(window.griglia().Rows(), 5); // the empty row of the cycle never begun
    }
};

QTEST_MAIN(TestMisContE2E)
#include "test_miscont_e2e.moc"
