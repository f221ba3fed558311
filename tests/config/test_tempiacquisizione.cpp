#include "PaginaConfig.h"
#include "config/TempiAcquisizione.h"
#include "startup/ui_Form1.h" // here, where the build looks for the forms used

#include <QtTest>

#include <memory>

// Acquisition interval and pre-heating against a scripted logger: the bytes
// on the wire, the three- and five-digit forms, the range and minimum tests
// with their messages, and the blank trimming of the boxes.
class TestTempiAcquisizione : public QObject
{
    Q_OBJECT

    std::unique_ptr<PaginaConfig> p;
    std::unique_ptr<TempiAcquisizione> op;

    QList<QLineEdit*> intervallo() const
    {
        return {p->ui.conversione_0, p->ui.conversione_1, p->ui.conversione_2};
    }
    QStringList testiIntervallo() const
    {
        QStringList t;
        for (const QLineEdit* c : intervallo())
            t << c->text();
        return t;
    }

    const QString messaggioTempo = QString::fromUtf8(TempiAcquisizione::MessaggioTempo);

private slots:
    void init()
    {
        p = std::make_unique<PaginaConfig>();
        op = std::make_unique<TempiAcquisizione>(p->ui, p->link, p->dialogs);
    }
    void cleanup()
    {
        QVERIFY(p->comandiAbilitati());
        op.reset();
        p.reset();
    }

    void intervalReadTrimsAndConfirms()
    {
        p->port.replyTo("C,", " 001 ,030, 0 ,");
        op->Command2();
        QCOMPARE(p->scritto(), QByteArray("C,"));
        QCOMPARE(testiIntervallo(), (QStringList{"001", "030", "0"}));
        for (const QLineEdit* c : intervallo())
            QCOMPARE(PaginaConfig::colore(c), FieldColours::Confirmed);
    }

    void intervalReadFromSilentLoggerShowsMarker()
    {
        const double inizio = p->clock.now();
        op->Command2();
        QCOMPARE(testiIntervallo(), (QStringList{"%%", "%%", "%%"}));
        QVERIFY(p->clock.now() - inizio < 2 * Modulo1::TimeoutRisposta);
    }

    void intervalWrite_data()
    {
        QTest::addColumn<QStringList>("digitati");
        QTest::addColumn<bool>("gsm");
        QTest::addColumn<QByteArray>("parametri"); // empty: refused
        QTest::addColumn<QStringList>("mostrati");
        const QByteArray rifiutato;
        QTest::newRow("1 min, not GSM")
            << QStringList{"0", "1", "0"} << false << QByteArray("000,001,000,")
            << QStringList{"000", "001", "000"};
        QTest::newRow("1 min, GSM: too short, formatted all the same")
            << QStringList{"0", "1", "0"} << true << rifiutato << QStringList{"000", "001", "000"};
        QTest::newRow("10 min, GSM")
            << QStringList{"0", "10", "0"} << true << QByteArray("000,010,000,")
            << QStringList{"000", "010", "000"};
        QTest::newRow("10 min, not GSM")
            << QStringList{"0", "10", "0"} << false << QByteArray("000,010,000,")
            << QStringList{"000", "010", "000"};
        QTest::newRow("59 s, not GSM") << QStringList{"0", "0", "59"} << false << rifiutato
                                       << QStringList{"000", "000", "059"};
        QTest::newRow("59 s, GSM")
            << QStringList{"0", "0", "59"} << true << rifiutato << QStringList{"000", "000", "059"};
        QTest::newRow("upper bounds")
            << QStringList{"23", "59", "59"} << true << QByteArray("023,059,059,")
            << QStringList{"023", "059", "059"};
        QTest::newRow("1 h 30 min")
            << QStringList{"1", "30", "0"} << true << QByteArray("001,030,000,")
            << QStringList{"001", "030", "000"};
        QTest::newRow("hour 24: refused before formatting")
            << QStringList{"24", "0", "0"} << false << rifiutato << QStringList{"24", "0", "0"};
        QTest::newRow("minute 60")
            << QStringList{"0", "60", "0"} << false << rifiutato << QStringList{"0", "60", "0"};
        QTest::newRow("second 60")
            << QStringList{"1", "0", "60"} << false << rifiutato << QStringList{"1", "0", "60"};
        QTest::newRow("negative hour")
            << QStringList{"-1", "30", "0"} << false << rifiutato << QStringList{"-1", "30", "0"};
        QTest::newRow("letters pass the range test, fail the minimum")
            << QStringList{"ab", "10", "0"} << false << rifiutato
            << QStringList{"ab", "010", "000"};
        QTest::newRow("empty box")
            << QStringList{"", "10", "0"} << false << rifiutato << QStringList{"", "010", "000"};
    }
    void intervalWrite()
    {
        QFETCH(QStringList, digitati);
        QFETCH(bool, gsm);
        QFETCH(QByteArray, parametri);
        QFETCH(QStringList, mostrati);
        p->link.VersioneGSM = gsm;
        for (int i = 0; i < 3; ++i) {
            intervallo()[i]->setText(digitati[i]);
            FieldColours::setColour(intervallo()[i], FieldColours::Edited);
        }

        op->Command1();

        QCOMPARE(testiIntervallo(), mostrati);
        const bool accettato = !parametri.isEmpty();
        QCOMPARE(p->scritto(), accettato ? "c" + parametri : QByteArray());
        for (const QLineEdit* c : intervallo())
            QCOMPARE(PaginaConfig::colore(c),
                     accettato ? FieldColours::Confirmed : FieldColours::Edited);
        if (accettato) {
            QVERIFY(p->dialogs.boxes().isEmpty());
            QCOMPARE(p->dialogs.beeps(), 0);
        } else {
            QCOMPARE(p->dialogs.boxes().size(), 1);
            QCOMPARE(p->dialogs.boxes()[0].text, messaggioTempo);
            QCOMPARE(p->dialogs.boxes()[0].title, QString("Attenzione!!"));
            QCOMPARE(p->dialogs.boxes()[0].icon, Dialogs::Icon::Information);
            QCOMPARE(p->dialogs.beeps(), 1);
        }
    }

    void preheatingReadTrimsAndConfirms()
    {
        p->port.replyTo("E,", "  250 ,");
        op->preacc();
        QCOMPARE(p->scritto(), QByteArray("E,"));
        QCOMPARE(p->ui.preaccensione->text(), QString("250"));
        QCOMPARE(PaginaConfig::colore(p->ui.preaccensione), FieldColours::Confirmed);
    }

    void preheatingWrite_data()
    {
        QTest::addColumn<QString>("digitato");
        QTest::addColumn<QByteArray>("filo"); // empty: nothing sent
        QTest::addColumn<QString>("mostrato");
        QTest::addColumn<QString>("messaggio");
        const QString troppo = QString::fromUtf8(TempiAcquisizione::MessaggioPreaccensione);
        const QString nonNumero =
            QString::fromUtf8(TempiAcquisizione::MessaggioPreaccensioneNonNumerica);
        QTest::newRow("250") << "250" << QByteArray("e00250,") << "00250" << QString();
        QTest::newRow("upper bound") << "30000" << QByteArray("e30000,") << "30000" << QString();
        QTest::newRow("0") << "0" << QByteArray("e00000,") << "00000" << QString();
        QTest::newRow("negative keeps its sign")
            << "-15" << QByteArray("e-00015,") << "-00015" << QString();
        QTest::newRow("30001 too long, box reset") << "30001" << QByteArray() << "0" << troppo;
        QTest::newRow("99999 too long") << "99999" << QByteArray() << "0" << troppo;
        QTest::newRow("comma would split the field") << "1,5" << QByteArray() << "1,5" << nonNumero;
        QTest::newRow("letters") << "abc" << QByteArray() << "abc" << nonNumero;
        QTest::newRow("empty") << "" << QByteArray() << "" << nonNumero;
    }
    void preheatingWrite()
    {
        QFETCH(QString, digitato);
        QFETCH(QByteArray, filo);
        QFETCH(QString, mostrato);
        QFETCH(QString, messaggio);
        QLineEdit* box = p->ui.preaccensione;
        box->setText(digitato);
        FieldColours::setColour(box, FieldColours::Edited);

        op->impostapreacc();

        QCOMPARE(p->scritto(), filo);
        QCOMPARE(box->text(), mostrato);
        QCOMPARE(PaginaConfig::colore(box),
                 filo.isEmpty() ? FieldColours::Edited : FieldColours::Confirmed);
        if (messaggio.isEmpty()) {
            QVERIFY(p->dialogs.boxes().isEmpty());
        } else {
            QCOMPARE(p->dialogs.boxes().size(), 1);
            QCOMPARE(p->dialogs.boxes()[0].text, messaggio);
            QCOMPARE(p->dialogs.boxes()[0].title, QString("Attenzione"));
            QCOMPARE(p->dialogs.boxes()[0].icon, Dialogs::Icon::Information);
        }
        QCOMPARE(p->dialogs.beeps(), 0);
    }

    void boxesNeverKeepBlanks_data()
    {
        QTest::addColumn<QString>("casella");
        for (const char* nome :
             {"conversione_0", "conversione_1", "conversione_2", "preaccensione"})
            QTest::newRow(nome) << nome;
    }
    void boxesNeverKeepBlanks()
    {
        QFETCH(QString, casella);
        auto* box = p->finestra.findChild<QLineEdit*>(casella);
        QVERIFY(box);
        box->setText(" 2 ");
        QCOMPARE(box->text(), QString("2"));
        box->clear();
        FieldColours::setColour(box, FieldColours::Confirmed);
        PaginaConfig::digita(box, " 4 2");
        QCOMPARE(box->text(), QString("42"));
        QCOMPARE(PaginaConfig::colore(box), FieldColours::Edited);
    }

    void buttonsRunTheirOperations()
    {
        p->link.VersioneGSM = false;
        p->ui.conversione_0->setText("0");
        p->ui.conversione_1->setText("5");
        p->ui.conversione_2->setText("0");
        p->ui.Command1->click();
        p->ui.preaccensione->setText("7");
        p->ui.impostapreacc->click();
        QCOMPARE(p->scritto(), QByteArray("c000,005,000,e00007,"));
    }
};

QTEST_MAIN(TestTempiAcquisizione)
#include "test_tempiacquisizione.moc"
