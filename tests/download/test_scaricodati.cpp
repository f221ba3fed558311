#include "FinestraProva.h"
#include "common/FieldColours.h"
#include "download/ProprietaSensori.h"
#include "download/ScaricoDati.h"
#include "startup/ui_Form1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray Intestazione = "DATA ACQ.: 09/12/2023  10:15:02,Numero Canali Attivi: ";
const QByteArray CinqueVuote = "\r\n\r\n\r\n\r\n\r\n";

// A dump as the logger sends it: N, C, then each record's fields, each field
// ended by a comma, and the end-of-dump character.
QByteArray dump(int n, int c, const QList<QList<QByteArray>>& record, bool fine = true)
{
    QByteArray out = QByteArray::number(n) + ',' + QByteArray::number(c) + ',';
    for (const QList<QByteArray>& r : record)
        for (const QByteArray& campo : r)
            out += campo + ',';
    if (fine)
        out += char(26);
    return out;
}

QList<QByteArray> rec(int giorno, const QList<QByteArray>& valori)
{
    return QList<QByteArray>{QByteArray::number(giorno), "12", "2023", "10", "0", "0"} + valori;
}

} // namespace

// The two downloads against the fake logger: exact files, boxes, messages,
// and what an interrupted or impossible download leaves on disk.
class TestScaricoDati : public QObject
{
    Q_OBJECT

    std::unique_ptr<FinestraProva> f;
    std::unique_ptr<ProprietaSensori> proprieta;
    std::unique_ptr<ScaricoDati> scarico;
    std::unique_ptr<QTemporaryDir> dir;

    QString percorso(const QString& nome) const { return dir->filePath(nome); }
    QStringList elenco() const { return QDir(dir->path()).entryList(QDir::Files, QDir::Name); }
    static QByteArray leggi(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<manca>");
    }
    void scrivi(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString sens() const { return percorso("STAZ1_09_12_23_SENS.txt"); }
    QString temp() const { return percorso("STAZ1_09_12_23_TEMP.txt"); }

    void verificaFine(const QString& nomeNudo)
    {
        QCOMPARE(f->ui.Nome_File_Dati->text(), nomeNudo);
        QCOMPARE(f->ui.Nome_File_Dati->palette().color(QPalette::Base),
                 FieldColours::fromBgr(0x0000C000));
        QVERIFY(f->ui.Acquisisci->isEnabled());
        QVERIFY(f->ui.Acquisisci_Temp->isEnabled());
        QCOMPARE(f->dialogs.beeps(), 3);
        QVERIFY(f->dialogs.boxes().isEmpty());
    }

private slots:
    void init()
    {
        f = std::make_unique<FinestraProva>();
        proprieta = std::make_unique<ProprietaSensori>();
        dir = std::make_unique<QTemporaryDir>();
        scarico = std::make_unique<ScaricoDati>(f->ui, f->link, f->dialogs, *proprieta);
        scarico->setOrologioData([] { return QDateTime(QDate(2023, 12, 9), QTime(10, 15, 2)); });
        f->link.registraComandi({f->ui.Acquisisci, f->ui.Acquisisci_Temp});
        f->link.ModelloDatalogger = 1;
        f->ui.Nome_Centralina->setText("STAZ1");
        f->ui.Dir1->setText(dir->path());
        f->ui.TipoF_0->setChecked(true);
        f->ui.PLUVIOMETRO->setChecked(false);
    }

    // Frequencies and digits of the vibrating-wire model, byte for byte.
    void vibratingWireFile_data()
    {
        QTest::addColumn<bool>("digits");
        QTest::addColumn<QByteArray>("atteso");
        const QByteArray testa = Intestazione + " 2 ,Numero Dati per Canale:       2\r\n\r\n";
        QTest::newRow("frequency") << false
                                   << testa + "VALUE IN HZ \r\n" + CinqueVuote +
                                          "09/12/2023 10.00.00   ,2500      ,1234.567  \r\n"
                                          "10/12/2023 10.00.00   ,2500.1    ,0         \r\n";
        QTest::newRow("digits, long values cut to 10")
            << true
            << testa + "VALUE IN (HZ^2)/1000 'DIGITS'\r\n" + CinqueVuote +
                   "09/12/2023 10.00.00   ,6250      ,1524.15567\r\n"
                   "10/12/2023 10.00.00   ,6250.50001,0         \r\n";
    }
    void vibratingWireFile()
    {
        QFETCH(bool, digits);
        QFETCH(QByteArray, atteso);
        f->ui.TipoF_1->setChecked(digits);
        QByteArray risposta =
            dump(2, 2, {rec(9, {"2500", "1234.567"}), rec(10, {"2500.1", "%%0"})});
        f->port.replyTo("A", risposta);

        scarico->Acquisisci();

        QCOMPARE(f->port.written(), QByteArray("A"));
        QCOMPARE(leggi(sens()), atteso);
        QCOMPARE(elenco(), QStringList{"STAZ1_09_12_23_SENS.txt"});
        QCOMPARE(f->ui.Text1->text(), " 100 %");
        verificaFine("STAZ1_09_12_23_SENS.txt");
        QVERIFY(f->clock.pauses().contains(1.0)); // the bare name comes one second later
        QCOMPARE(f->port.inputLen(), 0);          // the dump's chunk size is put back
    }

    // With the event counter on, each record carries one more field.
    void eventCounterConsumesOneFieldPerRecord()
    {
        f->ui.PLUVIOMETRO->setChecked(true);
        f->port.replyTo("A", dump(2, 1, {rec(9, {"950.7", "3"}), rec(10, {"951", "17"})}));
        scarico->Acquisisci();
        QCOMPARE(leggi(sens()), Intestazione +
                                    " 1 ,Numero Dati per Canale:       2\r\n\r\n"
                                    "VALUE IN HZ \r\n" +
                                    CinqueVuote +
                                    "09/12/2023 10.00.00   ,950.7     ,3         \r\n"
                                    "10/12/2023 10.00.00   ,951       ,17        \r\n");
        verificaFine("STAZ1_09_12_23_SENS.txt");
    }

    // The option in force when a reading arrives decides its unit; the unit
    // line follows the option when the header is written. The controls stay
    // locked meanwhile, and the progress shows per record.
    void optionChangedMidDownload()
    {
        f->port.replyTo("A", dump(2, 1, {rec(9, {"2500"})}, false));
        bool bloccato = false;
        QString percento;
        int blocco = 0;
        f->clock.scheduleIn(5, [&] {
            bloccato = !f->ui.Acquisisci->isEnabled() && !f->ui.Acquisisci_Temp->isEnabled();
            percento = f->ui.Text1->text();
            blocco = f->port.inputLen();
            f->ui.TipoF_1->setChecked(true);
            f->port.feed(QByteArray("10,12,2023,10,0,0,2500,") + char(26));
        });
        scarico->Acquisisci();
        QVERIFY(bloccato);
        QCOMPARE(percento, " 50 %");
        QCOMPARE(blocco, 30000);
        QCOMPARE(leggi(sens()), Intestazione +
                                    " 1 ,Numero Dati per Canale:       2\r\n\r\n"
                                    "VALUE IN (HZ^2)/1000 'DIGITS'\r\n" +
                                    CinqueVuote +
                                    "09/12/2023 10.00.00   ,2500      \r\n"
                                    "10/12/2023 10.00.00   ,6250      \r\n");
    }

    void analogModelChannelLines()
    {
        f->link.ModelloDatalogger = 0;
        f->ui.MUX_0->setText("2");
        f->ui.MUX_1->setText("0");
        f->ui.MUX_2->setText("1");
        f->ui.MUX_3->setText("%%");
        proprieta->FS_Volt[1] = 2.5;
        proprieta->FS_Fisico[32] = -100;
        f->port.replyTo("A", dump(1, 3, {rec(9, {"1.5", "0812.40", "3.14159"})}));
        scarico->Acquisisci();
        const QByteArray vuoto(10, ' ');
        QCOMPARE(leggi(sens()),
                 Intestazione + " 3 ,Numero Dati per Canale:       1\r\n\r\n" + "CANALE: 00  " +
                     vuoto + "         0         0         0         0\r\n" + "CANALE: 01  " +
                     vuoto + "         0       2.5         0         0\r\n" + "CANALE: 32  " +
                     vuoto + "         0         0         0      -100\r\n" + CinqueVuote +
                     "09/12/2023 10.00.00   ,1.5       ,812.4     ,3.142     \r\n");
    }

    // A code that is neither model: readings as on the analog model, header
    // as on the vibrating-wire one.
    void otherModelCode()
    {
        f->link.ModelloDatalogger = 2;
        f->port.replyTo("A", dump(1, 1, {rec(9, {"7"})}));
        scarico->Acquisisci();
        QVERIFY(leggi(sens()).contains("\r\nVALUE IN HZ \r\n"));
        QVERIFY(leggi(sens()).endsWith("   ,7.0       \r\n"));
    }

    void temperatureFile()
    {
        f->ui.PLUVIOMETRO->setChecked(true); // plays no part here
        f->ui.TipoF_1->setChecked(true);
        f->port.replyTo(
            "a", dump(2, 3, {rec(9, {"80.0", "80.1", "-30.0"}), rec(10, {"-30.1", "23.5", "%%"})}));
        QStringList testi;
        connect(f->ui.Nome_File_Dati, &QLineEdit::textChanged,
                [&](const QString& t) { testi << t; });
        scarico->Acquisisci_Temp();
        QCOMPARE(f->port.written(), QByteArray("a"));
        QCOMPARE(leggi(temp()), Intestazione + " 3 ,Numero Dati per Canale:       2\r\n" +
                                    CinqueVuote +
                                    "09/12/2023 10.00.00   ,080.0     ,**N.C.**  ,-030.0    \r\n"
                                    "10/12/2023 10.00.00   ,**N.C.**  ,023.5     ,000.0     \r\n");
        QCOMPARE(testi, (QStringList{temp(), "Wait Please", "Check Dati: OK", "Check Dati 3: OK",
                                     "Registrazione eseguita", "STAZ1_09_12_23_TEMP.txt"}));
        verificaFine("STAZ1_09_12_23_TEMP.txt");
    }

    void noRecords()
    {
        f->ui.Text1->setText(" ");
        f->port.replyTo("A", dump(0, 0, {}));
        scarico->Acquisisci();
        QCOMPARE(leggi(sens()), Intestazione +
                                    " 0 ,Numero Dati per Canale:       0\r\n\r\n"
                                    "VALUE IN HZ \r\n" +
                                    CinqueVuote);
        QCOMPARE(f->ui.Text1->text(), " ");
        verificaFine("STAZ1_09_12_23_SENS.txt");
    }

    // More than the 5000 records and 128 channels of a fixed store are kept.
    void noFixedStore()
    {
        QList<QList<QByteArray>> tanti;
        for (int r = 0; r < 5001; ++r)
            tanti << rec(1, {QByteArray::number(r)});
        f->port.replyTo("A", dump(5001, 1, tanti));
        scarico->Acquisisci();
        QList<QByteArray> righe = leggi(sens()).split('\n');
        QCOMPARE(righe.size(), 1 + 2 + 5 + 5001 + 1);
        QCOMPARE(righe[righe.size() - 2], QByteArray("01/12/2023 10.00.00   ,5000      \r"));

        QList<QByteArray> larghi;
        for (int c = 0; c < 130; ++c)
            larghi << QByteArray::number(c);
        f->port.replyTo("A", dump(1, 130, {rec(2, larghi)}));
        scarico->Acquisisci();
        righe = leggi(sens()).split('\n');
        QCOMPARE(righe[8].count(','), 130);
        QVERIFY(righe[8].endsWith(",129       \r"));
    }

    // The logger falls silent or the line fails mid-dump: the complete
    // records go to a new file, the old file stays, the box says so.
    void interruptedDownload_data()
    {
        QTest::addColumn<bool>("taglio"); // line failure, else silence
        QTest::addColumn<int>("campi");   // fields that arrive
        QTest::addColumn<int>("salvate"); // complete records kept, -1: nothing saved
        QTest::newRow("silent on the first field") << false << 0 << -1;
        QTest::newRow("silent after N") << false << 1 << -1;
        QTest::newRow("silent after the counts") << false << 2 << 0;
        QTest::newRow("silent inside record 2") << false << 2 + 8 + 3 << 1;
        QTest::newRow("silent before the event count of record 2") << false << 2 + 8 + 7 << 1;
        QTest::newRow("cable pulled inside record 3") << true << 2 + 16 + 1 << 2;
    }
    void interruptedDownload()
    {
        QFETCH(bool, taglio);
        QFETCH(int, campi);
        QFETCH(int, salvate);
        f->ui.PLUVIOMETRO->setChecked(true);
        scrivi(sens(), "scaricato stamattina");
        const QList<QByteArray> tutti =
            dump(3, 1, {rec(9, {"2500", "1"}), rec(10, {"2501", "2"}), rec(11, {"2502", "3"})})
                .split(',');
        f->port.replyTo("A", tutti.mid(0, campi).join(',') + (campi ? "," : ""));
        if (taglio)
            f->clock.scheduleIn(1, [&] { f->port.injectError("Input/output error"); });

        scarico->Acquisisci();

        QCOMPARE(leggi(sens()), QByteArray("scaricato stamattina"));
        QCOMPARE(f->dialogs.boxes().size(), 1);
        const ScriptedDialogs::Box box = f->dialogs.boxes().first();
        QCOMPARE(box.title, "Attenzione");
        QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
        QVERIFY2(box.text.startsWith("Scaricamento interrotto: "), qPrintable(box.text));
        QCOMPARE(box.text.contains("Input/output error"), taglio);
        const QString aParte = percorso("STAZ1_09_12_23_SENS_INTERROTTO.txt");
        if (salvate < 0) {
            QCOMPARE(elenco(), QStringList{"STAZ1_09_12_23_SENS.txt"});
            QVERIFY(box.text.contains("Nessun dato salvato."));
            QCOMPARE(f->ui.Nome_File_Dati->text(), QString());
        } else {
            QCOMPARE(elenco(), (QStringList{"STAZ1_09_12_23_SENS.txt",
                                            "STAZ1_09_12_23_SENS_INTERROTTO.txt"}));
            QVERIFY2(
                box.text.contains(
                    QString("Salvate %1 registrazioni su 3 nel file %2.").arg(salvate).arg(aParte)),
                qPrintable(box.text));
            const QList<QByteArray> righe = leggi(aParte).split('\n');
            QCOMPARE(righe[0], Intestazione + " 1 ,Numero Dati per Canale:       " +
                                   QByteArray::number(salvate) + "\r");
            QCOMPARE(righe.size(), 8 + salvate + 1);
            if (salvate > 0)
                QCOMPARE(righe[8], QByteArray("09/12/2023 10.00.00   ,2500      ,1         \r"));
            QCOMPARE(f->ui.Nome_File_Dati->text(), aParte);
        }
        QCOMPARE(FieldColours::colourOf(f->ui.Nome_File_Dati), FieldColours::ToRead);
        QVERIFY(f->ui.Acquisisci->isEnabled());
        QVERIFY(f->ui.Acquisisci_Temp->isEnabled());
    }

    // A second interrupted download replaces nothing, not even the first one's file.
    void interruptedTwiceNewNames()
    {
        f->port.replyTo("a", dump(5, 1, {rec(9, {"20"})}, false));
        scarico->Acquisisci_Temp();
        f->port.replyTo("a", dump(5, 1, {rec(9, {"21"}), rec(10, {"22"})}, false));
        scarico->Acquisisci_Temp();
        QCOMPARE(elenco(), (QStringList{"STAZ1_09_12_23_TEMP_INTERROTTO.txt",
                                        "STAZ1_09_12_23_TEMP_INTERROTTO_2.txt"}));
        QVERIFY(leggi(percorso("STAZ1_09_12_23_TEMP_INTERROTTO.txt")).endsWith(",020.0     \r\n"));
        QVERIFY(
            leggi(percorso("STAZ1_09_12_23_TEMP_INTERROTTO_2.txt")).endsWith(",022.0     \r\n"));
    }

    // A garbage count is not a memory request: the store grows only with
    // records that arrive.
    void garbageCountAllocatesNothing()
    {
        f->port.replyTo("A", "99999999999,99999999,");
        scarico->Acquisisci();
        QCOMPARE(f->dialogs.boxes().size(), 1);
        QVERIFY(
            f->dialogs.boxes().first().text.contains("Salvate 0 registrazioni su 99999999999 "));
    }

    // A file that cannot be created: the same messages for both downloads,
    // and nothing is sent to the logger.
    void badFileName_data()
    {
        QTest::addColumn<bool>("temperature");
        QTest::addColumn<QString>("identificatore");
        QTest::addColumn<QString>("cartella"); // empty: the test folder
        QTest::addColumn<QString>("testo");    // empty: the "non valido" text
        QTest::newRow("slash") << false << "../STAZ1"
                               << ""
                               << "";
        QTest::newRow("dot dot") << true << ".."
                                 << ""
                                 << "";
        QTest::newRow("backslash") << false << "a\\b"
                                   << ""
                                   << "";
        QTest::newRow("star") << true << "ST*1"
                              << ""
                              << "";
        QTest::newRow("colon") << false << "ST:1"
                               << ""
                               << "";
        QTest::newRow("missing folder") << false << "STAZ1"
                                        << "manca/dentro"
                                        << "Dispositivo non presente!";
        QTest::newRow("missing folder, temperatures") << true << "STAZ1"
                                                      << "manca"
                                                      << "Dispositivo non presente!";
        QTest::newRow("no folder") << true << "STAZ1"
                                   << "-"
                                   << "Dispositivo non presente!";
    }
    void badFileName()
    {
        QFETCH(bool, temperature);
        QFETCH(QString, identificatore);
        QFETCH(QString, cartella);
        QFETCH(QString, testo);
        f->ui.Nome_Centralina->setText(identificatore);
        if (cartella == "-")
            f->ui.Dir1->clear();
        else if (!cartella.isEmpty())
            f->ui.Dir1->setText(percorso(cartella));
        f->port.replyTo(temperature ? "a" : "A", dump(1, 1, {rec(9, {"1"})}));
        QString mostrato;
        connect(f->ui.Nome_File_Dati, &QLineEdit::textChanged, [&](const QString& t) {
            if (mostrato.isEmpty())
                mostrato = t;
        });

        temperature ? scarico->Acquisisci_Temp() : scarico->Acquisisci();

        QCOMPARE(f->port.written(), QByteArray());
        QCOMPARE(f->dialogs.boxes().size(), 1);
        const ScriptedDialogs::Box box = f->dialogs.boxes().first();
        QCOMPARE(box.title, "Attenzione");
        QCOMPARE(box.icon, Dialogs::Icon::None);
        QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
        if (testo.isEmpty()) {
            QCOMPARE(box.text, "Nome " + mostrato + " non valido");
            QVERIFY(mostrato.startsWith(dir->path()));
            QCOMPARE(f->ui.Nome_File_Dati->text(), QString());
        } else {
            QCOMPARE(box.text, testo);
        }
        QCOMPARE(elenco(), QStringList());
        QVERIFY(QDir(dir->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
        QVERIFY(f->ui.Acquisisci->isEnabled());
    }

    // Decimal points stay points under a locale with a decimal comma.
    void pointUnderACommaLocale()
    {
        const QLocale prima;
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        f->ui.TipoF_1->setChecked(true);
        f->port.replyTo("A", dump(1, 1, {rec(9, {"2500.1"})}));
        scarico->Acquisisci();
        QLocale::setDefault(prima);
        QVERIFY(leggi(sens()).endsWith("   ,6250.50001\r\n"));
    }
};

QTEST_MAIN(TestScaricoDati)
#include "test_scaricodati.moc"
