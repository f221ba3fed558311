#include "PaginaConfig.h"
#include "config/FinestreSensori.h"
#include "config/Sensori_An.h"
#include "download/DataFileLayout.h"
#include "download/ProprietaSensori.h"
#include "startup/ui_Form1.h" // seen by AUTOUIC here, not inside PaginaConfig.h

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The sensor-properties window on the fake port: which channels are asked
// for, what goes into the rows, what a write sends and keeps in
// ProprietaSensori, and a comma refused before anything is sent.
class TestSensoriAn : public QObject
{
    Q_OBJECT

    std::unique_ptr<PaginaConfig> pagina;
    std::unique_ptr<ProprietaSensori> proprieta;
    std::unique_ptr<FinestreSensori> finestre;

    Sensori_An& apri()
    {
        finestre->Leggi_poprietà();
        return *finestre->sensori();
    }

    QLineEdit* mux(int m) const
    {
        return QList<QLineEdit*>{pagina->ui.MUX_0, pagina->ui.MUX_1, pagina->ui.MUX_2,
                                 pagina->ui.MUX_3}[m];
    }

    static bool pulsantiAbilitati(const Sensori_An& s)
    {
        for (int m = 0; m < 4; ++m)
            if (!s.Leggi_prop_[m]->isEnabled() || !s.ScriviProp_[m]->isEnabled())
                return false;
        return true;
    }

    // Fills row p with the given texts.
    static void riga(Sensori_An& s, int p, const QStringList& testi)
    {
        QLineEdit* const caselle[] = {s.NomeCanali[p], s.CA[p], s.CB[p], s.CC[p], s.CD[p]};
        for (int i = 0; i < 5; ++i)
            caselle[i]->setText(testi[i]);
    }

private slots:
    void init()
    {
        pagina = std::make_unique<PaginaConfig>();
        proprieta = std::make_unique<ProprietaSensori>();
        finestre = std::make_unique<FinestreSensori>(pagina->ui, &pagina->finestra, pagina->link,
                                                     pagina->dialogs, *proprieta);
    }

    void cleanup()
    {
        finestre.reset();
        pagina.reset();
    }

    void readAsksForTheChannelsInUse_data()
    {
        QTest::addColumn<int>("m");
        QTest::addColumn<QString>("conta");
        QTest::addColumn<QByteArray>("atteso");
        QTest::newRow("MUX1 holds 3") << 1 << "3" << QByteArray("R 16,R 17,R 18,");
        QTest::newRow("MUX3 holds 1") << 3 << "1" << QByteArray("R 48,");
        QTest::newRow("MUX0 holds 0") << 0 << "0" << QByteArray();
        QTest::newRow("MUX2 holds letters") << 2 << "abc" << QByteArray();
        QTest::newRow("MUX2 holds the time-out marker") << 2 << "%%" << QByteArray();
        QByteArray tutti;
        for (int c = 0; c < 16; ++c)
            tutti += "R " + QByteArray::number(c) + ",";
        QTest::newRow("more than the sixteen rows") << 0 << "20" << tutti;
    }

    void readAsksForTheChannelsInUse()
    {
        QFETCH(int, m);
        QFETCH(QString, conta);
        QFETCH(QByteArray, atteso);
        mux(m)->setText(conta);
        Sensori_An& s = apri();

        s.Leggi_prop(m);

        QCOMPARE(pagina->scritto(), atteso);
        const int n = int(atteso.count('R'));
        // One pause of a tenth of a second after each channel.
        QCOMPARE(pagina->clock.pauses().count(0.1), n);
        for (int p = n; p < 16; ++p)
            QCOMPARE(s.NomeCanali[p]->text(), QStringLiteral("Non Attivo"));
        QVERIFY(pulsantiAbilitati(s));
    }

    void readFillsRowsAndLeavesTheOthersValues()
    {
        mux(1)->setText("3");
        Sensori_An& s = apri();
        riga(s, 5, {"VECCHIO", "0.5", "4.5", "0", "50"});
        pagina->port.replyTo("R 16,", "  PIEZO 1 , 0.100 ,  2.5,0,  350.0 ,");
        pagina->port.replyTo("R 17,", "TERMO,0,5,-20,80,");
        pagina->port.replyTo("R 18,", ",,,,,");

        s.Leggi_prop(1);

        // The name as received, the values without their blanks.
        const QStringList riga0{s.NomeCanali[0]->text(), s.CA[0]->text(), s.CB[0]->text(),
                                s.CC[0]->text(), s.CD[0]->text()};
        QCOMPARE(riga0, (QStringList{"  PIEZO 1 ", "0.100", "2.5", "0", "350.0"}));
        QCOMPARE(s.CC[1]->text(), QStringLiteral("-20"));
        QCOMPARE(s.NomeCanali[2]->text(), QString());
        // Rows past the count: "Non Attivo" in the name, the values untouched.
        QCOMPARE(s.NomeCanali[5]->text(), QStringLiteral("Non Attivo"));
        QCOMPARE(s.CA[5]->text(), QStringLiteral("0.5"));
        QCOMPARE(s.CD[5]->text(), QStringLiteral("50"));
        QCOMPARE(s.CA[3]->text(), QStringLiteral("Da Leggere"));
        QVERIFY(proprieta->Zero_Volt[16] == 0.0); // a read does not touch the table
    }

    void buttonsLockedWhileReadingAndWriting()
    {
        mux(0)->setText("1");
        Sensori_An& s = apri();
        QList<bool> visti;
        auto guarda = [&] { visti << pulsantiAbilitati(s); };
        pagina->clock.scheduleIn(0.001, guarda);
        s.Leggi_prop(0);
        pagina->clock.scheduleIn(0.001, guarda);
        s.ScriviProp(0);
        QCOMPARE(visti, (QList<bool>{false, false}));
        QVERIFY(pulsantiAbilitati(s));
    }

    void writeSendsTrimmedRowsToTheChosenMuxAndReadsBack()
    {
        mux(0)->setText("2");
        mux(1)->setText("2");
        Sensori_An& s = apri();
        pagina->port.replyTo("R 0,", " P0,1,2,3,4,");
        pagina->port.replyTo("R 1,", "P1,0.5,4.5,0,100,");
        s.Leggi_prop(0);
        s.CA[0]->setText("  0.25 ");
        s.CD[1]->setText("abc");
        pagina->port.clearWrites();
        pagina->clock.advanceTo(pagina->clock.now() + 1);
        const int pauseBefore = int(pagina->clock.pauses().size());

        s.ScriviProp(1);

        // Rows read from multiplexer 0 go to channels 16 and 17; the name is
        // trimmed on the way out, a value that is no number is sent as typed.
        QCOMPARE(pagina->scritto(),
                 QByteArray("r 16,P0,0.25,2,3,4,r 17,P1,0.5,4.5,0,abc,R 16,R 17,"));
        // Parameter pacing only between the writes, then a tenth of a second
        // before the read-back.
        const QList<double> pause = pagina->clock.pauses().mid(pauseBefore);
        const int primaLettura = int(pause.indexOf(0.1));
        QCOMPARE(primaLettura,
                 int(QByteArray("16,P0,0.25,2,3,4, 17,P1,0.5,4.5,0,abc,").size()) + 1);
        QCOMPARE(proprieta->Zero_Volt[16], 0.25);
        QCOMPARE(proprieta->FS_Volt[16], 2.0);
        QCOMPARE(proprieta->Zero_Fisico[16], 3.0);
        QCOMPARE(proprieta->FS_Fisico[16], 4.0);
        QCOMPARE(proprieta->FS_Volt[17], 4.5);
        QCOMPARE(proprieta->FS_Fisico[17], 0.0);
        QCOMPARE(proprieta->Zero_Volt[0], 0.0); // multiplexer 0 itself not written
        QVERIFY(pulsantiAbilitati(s));

        // The next analog data file describes channels 16 and 17 with them.
        const QStringList righe = DataFileLayout::righeCanali({0, 2, 0, 0}, *proprieta);
        QCOMPARE(righe.size(), 2);
        QCOMPARE(righe[0], DataFileLayout::rigaCanale(16, *proprieta));
        QVERIFY2(righe[0].contains("0.25"), qPrintable(righe[0]));
    }

    void commaIsRefusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<int>("colonna");
        QTest::addColumn<QString>("campo");
        QTest::newRow("name") << 0 << "\"Nome\" della riga 1";
        QTest::newRow("zero volt") << 1 << "\"Zero_Volt\" della riga 1";
        QTest::newRow("full-scale volt") << 2 << "\"FS_Volt\" della riga 1";
        QTest::newRow("zero physical") << 3 << "\"Zero_Fisico\" della riga 1";
        QTest::newRow("full-scale physical") << 4 << "\"FS_Fisico\" della riga 1";
    }

    void commaIsRefusedBeforeAnythingIsSent()
    {
        QFETCH(int, colonna);
        QFETCH(QString, campo);
        mux(2)->setText("3");
        Sensori_An& s = apri();
        for (int p = 0; p < 3; ++p)
            riga(s, p, {"S", "1", "2", "3", "4"});
        QLineEdit* const caselle[] = {s.NomeCanali[1], s.CA[1], s.CB[1], s.CC[1], s.CD[1]};
        caselle[colonna]->setText("1,5");

        s.ScriviProp(2);

        QCOMPARE(pagina->scritto(), QByteArray());
        QCOMPARE(proprieta->Zero_Volt[32], 0.0);
        QCOMPARE(pagina->dialogs.boxes().size(), 1);
        QCOMPARE(pagina->dialogs.boxes()[0].title, QStringLiteral("Attenzione"));
        QVERIFY2(pagina->dialogs.boxes()[0].text.contains(campo),
                 qPrintable(pagina->dialogs.boxes()[0].text));
        QCOMPARE(caselle[colonna]->text(), QStringLiteral("1,5")); // left for the user to mend
        QVERIFY(pulsantiAbilitati(s));
    }

    void commaInARowNotWrittenIsNoMatter()
    {
        mux(0)->setText("1");
        Sensori_An& s = apri();
        riga(s, 0, {"A", "1", "2", "3", "4"});
        riga(s, 1, {"B,C", "1", "2", "3", "4"});
        s.ScriviProp(0);
        QVERIFY(pagina->scritto().startsWith("r 0,A,1,2,3,4,"));
        QVERIFY(pagina->dialogs.boxes().isEmpty());
    }

    void reopeningShowsDaLeggereAndKeepsTheTable()
    {
        mux(0)->setText("1");
        Sensori_An& s = apri();
        riga(s, 0, {"A", "1.5", "2", "3", "4"});
        s.ScriviProp(0);
        s.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        Sensori_An& nuova = apri();
        for (int p = 0; p < 16; ++p)
            for (const QLineEdit* c : {nuova.NomeCanali[p], nuova.CA[p], nuova.CD[p]})
                QCOMPARE(c->text(), QStringLiteral("Da Leggere"));
        QCOMPARE(proprieta->Zero_Volt[0], 1.5);
    }
};

QTEST_MAIN(TestSensoriAn)
#include "test_sensori_an.moc"
