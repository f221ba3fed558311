#include "FinestraProva.h"
#include "download/StatoMemoria.h"
#include "startup/ui_Form1.h"

#include <QtTest>

// Memory status and erase against the fake logger: bytes on the wire, the
// boxes, the questions and what a No or a failed port leaves alone.
class TestStatoMemoria : public QObject
{
    Q_OBJECT

    std::unique_ptr<FinestraProva> f;
    std::unique_ptr<StatoMemoria> memoria;

    // The two boxes as they stood before the operation.
    void boxesPrima()
    {
        f->ui.Acq_possibili->setText(QStringLiteral("prima"));
        f->ui.acq_disponibili->setText(QStringLiteral("prima"));
    }

private slots:
    void init()
    {
        f = std::make_unique<FinestraProva>();
        memoria = std::make_unique<StatoMemoria>(f->ui, f->link, f->dialogs);
        f->link.registraComandi({f->ui.Aggiorna_acq, f->ui.Azzera_memoria});
        boxesPrima();
    }

    void statusShowsRepliesAsReceived_data()
    {
        QTest::addColumn<QByteArray>("canali"); // reply to "H0,"; empty: silent
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QString>("possibili");
        QTest::addColumn<QString>("disponibili");
        QTest::addColumn<bool>("avviso");

        QTest::newRow("channels on mux 0, blanks kept")
            << QByteArray("16,") << QByteArray("H0,M,") << " 1000"
            << " 250 " << false;
        QTest::newRow("a count that is not a whole number still counts")
            << QByteArray("0.5,") << QByteArray("H0,M,") << " 1000"
            << " 250 " << false;
        QTest::newRow("no channel on mux 0: no M")
            << QByteArray("0,") << QByteArray("H0,") << "prima"
            << "prima" << true;
        QTest::newRow("silent logger reads as no channel")
            << QByteArray() << QByteArray("H0,") << "prima"
            << "prima" << true;
    }

    void statusShowsRepliesAsReceived()
    {
        QFETCH(QByteArray, canali);
        QFETCH(QByteArray, sent);
        QFETCH(QString, possibili);
        QFETCH(QString, disponibili);
        QFETCH(bool, avviso);
        if (!canali.isEmpty()) {
            f->port.replyTo("H0,", canali);
            f->port.replyTo("M,", " 1000, 250 ,");
        }
        bool bloccato = false;
        f->clock.scheduleIn(0.001, [&] { bloccato = !f->ui.Aggiorna_acq->isEnabled(); });

        memoria->Aggiorna_acq();

        QCOMPARE(f->port.written(), sent);
        QCOMPARE(f->ui.Acq_possibili->text(), possibili);
        QCOMPARE(f->ui.acq_disponibili->text(), disponibili);
        QVERIFY(bloccato);
        QVERIFY(f->ui.Aggiorna_acq->isEnabled());
        if (avviso) {
            QCOMPARE(f->dialogs.boxes().size(), 1);
            const ScriptedDialogs::Box& box = f->dialogs.boxes().first();
            QCOMPARE(box.title, QStringLiteral("Attenzione"));
            QCOMPARE(box.text, QStringLiteral("Seleziona almeno un canale!"));
            QCOMPARE(box.icon, Dialogs::Icon::Information);
            QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
        } else {
            QVERIFY(f->dialogs.boxes().isEmpty());
            QCOMPARE(f->pause(), QList<double>{0.5}); // between H and M
        }
    }

    void statusAfterPortFailureShowsNothing()
    {
        f->port.injectError();

        memoria->Aggiorna_acq();

        QVERIFY(f->dialogs.boxes().isEmpty());
        QCOMPARE(f->ui.Acq_possibili->text(), QStringLiteral("prima"));
        QVERIFY(f->ui.Aggiorna_acq->isEnabled());
    }

    void eraseAsksFirst_data()
    {
        QTest::addColumn<bool>("risponde"); // false: the default is taken
        QTest::addColumn<int>("risposta");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QString>("possibili");

        QTest::newRow("Yes: b alone, then the status")
            << true << int(Dialogs::Answer::Yes) << QByteArray("bH0,M,") << "4000";
        QTest::newRow("No sends nothing")
            << true << int(Dialogs::Answer::No) << QByteArray() << "prima";
        QTest::newRow("default is No") << false << 0 << QByteArray() << "prima";
    }

    void eraseAsksFirst()
    {
        QFETCH(bool, risponde);
        QFETCH(int, risposta);
        QFETCH(QByteArray, sent);
        QFETCH(QString, possibili);
        if (risponde)
            f->dialogs.answerNext(Dialogs::Answer(risposta));
        f->port.replyTo("H0,", "8,");
        f->port.replyTo("M,", "4000,4000,");

        memoria->Azzera_memoria();

        QCOMPARE(f->port.written(), sent);
        QCOMPARE(f->ui.Acq_possibili->text(), possibili);
        const ScriptedDialogs::Box& box = f->dialogs.boxes().first();
        QCOMPARE(box.title, QStringLiteral("Attenzione"));
        QCOMPARE(box.text,
                 QStringLiteral(
                     "Vuoi veramente canncellare la memoria?\r\nTutti i dati saranno persi."));
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QCOMPARE(box.buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(box.defaultAnswer, Dialogs::Answer::No);
        QCOMPARE(f->dialogs.boxes().size(), 1);
        QVERIFY(f->ui.Azzera_memoria->isEnabled());
        if (!sent.isEmpty()) {
            // The erase settles 0.2 s before the status request.
            QCOMPARE(f->pause(), (QList<double>{0.2, 0.5}));
        }
    }

    void eraseOnFailedPortEndsQuietly()
    {
        f->dialogs.answerNext(Dialogs::Answer::Yes);
        f->port.injectError();

        memoria->Azzera_memoria();

        QCOMPARE(f->dialogs.boxes().size(), 1); // the question alone
        QVERIFY(f->port.written().isEmpty());
        QVERIFY(f->pause().isEmpty());
        QVERIFY(f->ui.Azzera_memoria->isEnabled());
    }

    void buttonsRunTheOperations()
    {
        f->port.replyTo("H0,", "8,");
        f->port.replyTo("M,", "10,9,");
        f->ui.Aggiorna_acq->click();
        QCOMPARE(f->ui.acq_disponibili->text(), QStringLiteral("9"));

        f->ui.Azzera_memoria->click();
        QCOMPARE(f->dialogs.boxes().size(), 1);
    }
};

QTEST_MAIN(TestStatoMemoria)
#include "test_statomemoria.moc"
