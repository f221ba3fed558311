#include "download/DataFileLayout.h"
#include "download/DataFileWriter.h"
#include "download/ProprietaSensori.h"
#include "download/ReadingConversions.h"
#include "download/Registrazione.h"

#include <QBuffer>
#include <QtTest>

// The data files' lines as exact bytes, and the conversions of the readings.
class TestDataFileLayout : public QObject
{
    Q_OBJECT

    static QDateTime quando() { return QDateTime(QDate(2023, 12, 9), QTime(10, 15, 2)); }

    static Registrazione registrazione(const QStringList& data, const QStringList& valori,
                                       const QString& eventi = QString())
    {
        Registrazione r;
        for (int k = 0; k < 6; ++k)
            r.impostaData(k, data[k]);
        for (const QString& v : valori)
            r.aggiungiValore(v);
        if (!eventi.isNull())
            r.impostaEventi(eventi);
        return r;
    }

private slots:
    void headerLine_data()
    {
        QTest::addColumn<qint64>("canali");
        QTest::addColumn<qint64>("record");
        QTest::addColumn<QString>("riga");
        QTest::newRow("8 channels, 120 records")
            << qint64(8) << qint64(120)
            << "DATA ACQ.: 09/12/2023  10:15:02,Numero Canali Attivi:  8 ,Numero Dati per "
               "Canale:       120";
        QTest::newRow("N = 0: blank-prefixed zeros")
            << qint64(0) << qint64(0)
            << "DATA ACQ.: 09/12/2023  10:15:02,Numero Canali Attivi:  0 ,Numero Dati per "
               "Canale:       0";
        QTest::newRow("beyond the old store")
            << qint64(130) << qint64(5001)
            << "DATA ACQ.: 09/12/2023  10:15:02,Numero Canali Attivi:  130 ,Numero Dati per "
               "Canale:       5001";
    }
    void headerLine()
    {
        QFETCH(qint64, canali);
        QFETCH(qint64, record);
        QFETCH(QString, riga);
        QCOMPARE(DataFileLayout::rigaIntestazione(quando(), canali, record), riga);
    }

    void unitAndChannelLines()
    {
        QCOMPARE(DataFileLayout::rigaUnita(true), QStringLiteral("VALUE IN HZ "));
        QCOMPARE(DataFileLayout::rigaUnita(false), QStringLiteral("VALUE IN (HZ^2)/1000 'DIGITS'"));

        ProprietaSensori p;
        p.Zero_Volt[17] = 0.5;
        p.FS_Volt[17] = 2.5;
        p.Zero_Fisico[17] = -10;
        p.FS_Fisico[17] = 100.25;
        const QString nomeVuoto(10, u' ');
        QCOMPARE(DataFileLayout::rigaCanale(0, p),
                 "CANALE: 00  " + nomeVuoto + "         0         0         0         0");
        QCOMPARE(DataFileLayout::rigaCanale(17, p),
                 "CANALE: 17  " + nomeVuoto + "       0.5       2.5       -10    100.25");

        // Multiplexer m, positions 0 .. count - 1, numbered 16 m + i.
        const QStringList righe = DataFileLayout::righeCanali({2, 0, 1, 0}, p);
        QCOMPARE(righe.size(), 3);
        QVERIFY(righe[0].startsWith("CANALE: 00"));
        QVERIFY(righe[1].startsWith("CANALE: 01"));
        QCOMPARE(righe[2], DataFileLayout::rigaCanale(32, p));
        QVERIFY(DataFileLayout::righeCanali({0, 0, 0, 0}, p).isEmpty());
    }

    void dataLine_data()
    {
        QTest::addColumn<QStringList>("data");
        QTest::addColumn<QStringList>("valori");
        QTest::addColumn<QString>("eventi"); // null: not read
        QTest::addColumn<bool>("temperature");
        QTest::addColumn<bool>("conEventi");
        QTest::addColumn<QString>("riga");
        const QStringList giorno{"9", "12", "2023", "10", "0", "0"};
        QTest::newRow("two channels, padded to 10")
            << giorno << QStringList{"2500.1", "2501.7"} << QString() << false << false
            << "09/12/2023 10.00.00   ,2500.1    ,2501.7    ";
        QTest::newRow("7 written 07, a year stays four digits")
            << QStringList{"7", "1", "2024", "7", "5", "9"} << QStringList{"1"} << QString()
            << false << false << "07/01/2024 07.05.09   ,1         ";
        QTest::newRow("%% kept with its padding")
            << QStringList{"%%", "12", "%%", "10", "%%", "0"} << QStringList{"%%"} << QString()
            << false << false << "%% /12/%%    10.%% .00   ,%%        ";
        QTest::newRow("a value cut to 10 characters")
            << giorno << QStringList{"1524.155677489"} << QString() << false << false
            << "09/12/2023 10.00.00   ,1524.15567";
        QTest::newRow("date fields cut to their widths")
            << QStringList{"1234", "12", "202345", "10", "0", "0"} << QStringList{"1"} << QString()
            << false << false << "123/12/20234 10.00.00   ,1         ";
        QTest::newRow("event count last")
            << giorno << QStringList{"950.7"} << QString("12") << false << true
            << "09/12/2023 10.00.00   ,950.7     ,12        ";
        QTest::newRow("event count asked for but not read: blanks")
            << giorno << QStringList{"950.7"} << QString() << false << true
            << "09/12/2023 10.00.00   ,950.7     ,          ";
        QTest::newRow("event count read, box now unticked")
            << giorno << QStringList{"950.7"} << QString("12") << false << false
            << "09/12/2023 10.00.00   ,950.7     ";
        QTest::newRow("temperatures in and out of range, no event count")
            << giorno << QStringList{"080.0", "080.1", "-030.0", "-030.1", "000.0"} << QString("3")
            << true << true
            << "09/12/2023 10.00.00   ,080.0     ,**N.C.**  ,-030.0    ,**N.C.**  ,000.0     ";
        QTest::newRow("no channels")
            << giorno << QStringList{} << QString() << false << false << "09/12/2023 10.00.00   ";
    }
    void dataLine()
    {
        QFETCH(QStringList, data);
        QFETCH(QStringList, valori);
        QFETCH(QString, eventi);
        QFETCH(bool, temperature);
        QFETCH(bool, conEventi);
        QFETCH(QString, riga);
        const auto tipo =
            temperature ? DataFileLayout::Tipo::Temperature : DataFileLayout::Tipo::Sensori;
        QCOMPARE(DataFileLayout::rigaDati(registrazione(data, valori, eventi), tipo, conEventi),
                 riga);
    }

    void wholeFiles_data()
    {
        QTest::addColumn<bool>("temperature");
        QTest::addColumn<QStringList>("descrizione");
        QTest::addColumn<int>("record");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray prima =
            "DATA ACQ.: 09/12/2023  10:15:02,Numero Canali Attivi:  1 ,Numero Dati per Canale: ";
        QTest::newRow("sensor file, N = 0")
            << false << QStringList{"VALUE IN HZ "} << 0
            << QByteArray("DATA ACQ.: 09/12/2023  10:15:02,Numero Canali Attivi:  1 ,Numero "
                          "Dati per Canale:       0\r\n\r\nVALUE IN HZ \r\n\r\n\r\n\r\n\r\n\r\n");
        QTest::newRow("sensor file, one record")
            << false << QStringList{"VALUE IN HZ "} << 1
            << prima + "      1\r\n\r\nVALUE IN HZ \r\n\r\n\r\n\r\n\r\n\r\n"
                       "09/12/2023 10.00.00   ,23.5      \r\n";
        QTest::newRow("temperature file: five empty lines only")
            << true << QStringList{} << 1
            << prima + "      1\r\n\r\n\r\n\r\n\r\n\r\n09/12/2023 10.00.00   ,23.5      \r\n";
    }
    void wholeFiles()
    {
        QFETCH(bool, temperature);
        QFETCH(QStringList, descrizione);
        QFETCH(int, record);
        QFETCH(QByteArray, bytes);
        const auto tipo =
            temperature ? DataFileLayout::Tipo::Temperature : DataFileLayout::Tipo::Sensori;
        QList<Registrazione> registrazioni;
        for (int i = 0; i < record; ++i)
            registrazioni << registrazione({"9", "12", "2023", "10", "0", "0"}, {"23.5"});
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QVERIFY(DataFileWriter::scrivi(
            out, DataFileLayout::testata(tipo, quando(), 1, record, descrizione), registrazioni,
            tipo, false));
        QCOMPARE(out.data(), bytes);
    }

    void latin1Bytes()
    {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QVERIFY(DataFileWriter::scriviRighe(out, {QString::fromLatin1("perr\xf2")}));
        QCOMPARE(out.data(), QByteArray("perr\xf2\r\n"));
    }

    void fileNameAndPath_data()
    {
        QTest::addColumn<QString>("cartella");
        QTest::addColumn<bool>("temperature");
        QTest::addColumn<QString>("percorso");
        QTest::newRow("drive root") << "C:\\" << false << "C:\\STAZ1_09_12_23_SENS.txt";
        QTest::newRow("drive folder") << "C:\\dati" << true << "C:\\dati\\STAZ1_09_12_23_TEMP.txt";
        QTest::newRow("unix root") << "/" << false << "/STAZ1_09_12_23_SENS.txt";
        QTest::newRow("unix folder")
            << "/home/tec/dati" << false << "/home/tec/dati/STAZ1_09_12_23_SENS.txt";
        QTest::newRow("trailing separator")
            << "/home/tec/" << false << "/home/tec/STAZ1_09_12_23_SENS.txt";
    }
    void fileNameAndPath()
    {
        QFETCH(QString, cartella);
        QFETCH(bool, temperature);
        QFETCH(QString, percorso);
        const auto tipo =
            temperature ? DataFileLayout::Tipo::Temperature : DataFileLayout::Tipo::Sensori;
        const QString nome = DataFileLayout::nomeFile("STAZ1", QDate(2023, 12, 9), tipo);
        QCOMPARE(DataFileLayout::percorso(cartella, nome), percorso);
    }

    void identifierValidity_data()
    {
        QTest::addColumn<QString>("identificatore");
        QTest::addColumn<bool>("valido");
        QTest::newRow("plain") << "STAZ1" << true;
        QTest::newRow("blank and dot") << "Diga Nord.2" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("Latin-1 letter") << QString::fromLatin1("Perr\xf2") << true;
        QTest::newRow("slash leaves the folder") << "../STAZ1" << false;
        QTest::newRow("backslash") << "dati\\STAZ1" << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("colon") << "C:STAZ" << false;
        QTest::newRow("star") << "ST*1" << false;
        QTest::newRow("question mark") << "ST?1" << false;
        QTest::newRow("quote") << "ST\"1" << false;
        QTest::newRow("angle and bar") << "<ST|1>" << false;
        QTest::newRow("control character") << "ST\x01" << false;
        QTest::newRow("too long") << QString(250, u'x') << false;
    }
    void identifierValidity()
    {
        QFETCH(QString, identificatore);
        QFETCH(bool, valido);
        QCOMPARE(DataFileLayout::identificatoreValido(identificatore), valido);
    }

    void conversions_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<QString>("risposta");
        QTest::addColumn<QString>("testo");
        QTest::newRow("2500 Hz in frequency") << "frequenza"
                                              << "2500"
                                              << "2500";
        QTest::newRow("2500 Hz in digits") << "digits"
                                           << "2500"
                                           << "6250";
        QTest::newRow("leading zero, frequency") << "frequenza"
                                                 << "0812.40"
                                                 << "812.4";
        QTest::newRow("leading zero, analog") << "analogico"
                                              << "0812.40"
                                              << "812.4";
        QTest::newRow("digits with many decimals") << "digits"
                                                   << "1234.567"
                                                   << "1524.155677489";
        QTest::newRow("time-out marker in frequency: 0") << "frequenza"
                                                         << "%%"
                                                         << "0";
        QTest::newRow("time-out marker in digits: 0") << "digits"
                                                      << "%%"
                                                      << "0";
        QTest::newRow("analog: at least one decimal") << "analogico"
                                                      << "2"
                                                      << "2.0";
        QTest::newRow("analog: at most three decimals") << "analogico"
                                                        << "3.14159"
                                                        << "3.142";
        QTest::newRow("analog: negative") << "analogico"
                                          << "-0.5"
                                          << "-0.5";
        QTest::newRow("analog: not a number kept") << "analogico"
                                                   << "%%"
                                                   << "%%";
        QTest::newRow("event count") << "eventi"
                                     << " 12"
                                     << "12";
        QTest::newRow("80.0") << "temperatura"
                              << "80.0"
                              << "080.0";
        QTest::newRow("80.1") << "temperatura"
                              << "80.1"
                              << "080.1";
        QTest::newRow("23.5") << "temperatura"
                              << "23.5"
                              << "023.5";
        QTest::newRow("-5.2") << "temperatura"
                              << "-5.2"
                              << "-005.2";
        QTest::newRow("-30.0") << "temperatura"
                               << "-30.0"
                               << "-030.0";
        QTest::newRow("%% becomes 000.0") << "temperatura"
                                          << "%%"
                                          << "000.0";
        QTest::newRow("80.0 in the file") << "nelfile"
                                          << "080.0     "
                                          << "080.0     ";
        QTest::newRow("80.1 in the file") << "nelfile"
                                          << "080.1     "
                                          << "**N.C.**  ";
        QTest::newRow("-30.0 in the file") << "nelfile"
                                           << "-030.0    "
                                           << "-030.0    ";
        QTest::newRow("-30.1 in the file") << "nelfile"
                                           << "-030.1    "
                                           << "**N.C.**  ";
        QTest::newRow("000.0 (a time-out) in the file") << "nelfile"
                                                        << "000.0     "
                                                        << "000.0     ";
    }
    void conversions()
    {
        QFETCH(QString, modo);
        QFETCH(QString, risposta);
        QFETCH(QString, testo);
        QString r;
        if (modo == "frequenza")
            r = ReadingConversions::frequenza(risposta);
        else if (modo == "digits")
            r = ReadingConversions::digits(risposta);
        else if (modo == "analogico")
            r = ReadingConversions::analogico(risposta);
        else if (modo == "eventi")
            r = ReadingConversions::eventi(risposta);
        else if (modo == "temperatura")
            r = ReadingConversions::temperatura(risposta);
        else
            r = ReadingConversions::temperaturaNelFile(risposta);
        QCOMPARE(r, testo);
    }

    // Numbers in files keep a point whatever the default locale says.
    void pointUnderACommaLocale()
    {
        const QLocale prima;
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        const QString digits = ReadingConversions::digits("2500.1");
        const QString analog = ReadingConversions::analogico("1.5");
        const QString temp = ReadingConversions::temperatura("-5.25");
        ProprietaSensori p;
        p.FS_Volt[0] = 2.5;
        const QString canale = DataFileLayout::rigaCanale(0, p);
        QLocale::setDefault(prima);
        QCOMPARE(digits, QStringLiteral("6250.50001"));
        QCOMPARE(analog, QStringLiteral("1.5"));
        QCOMPARE(temp, QStringLiteral("-005.3"));
        QVERIFY(canale.contains("2.5"));
        QVERIFY(!canale.contains(u','));
    }
};

QTEST_GUILESS_MAIN(TestDataFileLayout)
#include "test_datafilelayout.moc"
