#include "FinestraProva.h"
#include "common/FieldColours.h"
#include "config/CanaliMux.h"
#include "download/StatoMemoria.h"
#include "startup/ui_Form1.h"

#include <QtTest>

// Channel counts against the fake logger: the read, the erase-and-write with
// its question, the change rule of the boxes and the refusals.
class TestCanaliMux : public QObject
{
    Q_OBJECT

    std::unique_ptr<FinestraProva> f;
    std::unique_ptr<StatoMemoria> memoria;
    std::unique_ptr<CanaliMux> canali;

    QList<QLineEdit*> mux() const { return {f->ui.MUX_0, f->ui.MUX_1, f->ui.MUX_2, f->ui.MUX_3}; }

    void impostaConte(const QStringList& testi)
    {
        for (int m = 0; m < 4; ++m)
            mux()[m]->setText(testi[m]);
    }

    QStringList conte() const
    {
        QStringList testi;
        for (QLineEdit* box : mux())
            testi << box->text();
        return testi;
    }

    // The logger answering the four "H" reads.
    void rispondeConte(const QList<QByteArray>& risposte)
    {
        for (int m = 0; m < 4; ++m)
            f->port.replyTo("H " + QByteArray::number(m) + ",", risposte[m]);
    }

private slots:
    void init()
    {
        f = std::make_unique<FinestraProva>();
        memoria = std::make_unique<StatoMemoria>(f->ui, f->link, f->dialogs);
        canali = std::make_unique<CanaliMux>(f->ui, f->link, f->dialogs, *memoria);
        f->link.registraComandi({f->ui.leggicanali, f->ui.Scrivicanali});
    }

    void boxesStartInTheirPalerDesignColour()
    {
        for (QLineEdit* box : mux()) {
            QCOMPARE(FieldColours::colourOf(box), FieldColours::ToRead);
            QCOMPARE(box->palette().color(QPalette::Base), QColor(255, 255, 192));
        }
    }

    void typingFollowsTheChangeRule_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("17 becomes 0") << "17"
                                      << "0";
        QTest::newRow("-1 becomes 0") << "-1"
                                      << "0";
        QTest::newRow("16 stays") << "16"
                                  << "16";
        QTest::newRow("0 stays") << "0"
                                 << "0";
        QTest::newRow("8.5 stays as typed") << "8.5"
                                            << "8.5";
        QTest::newRow("16.5 is above 16") << "16.5"
                                          << "0";
        QTest::newRow("not a number stays") << "abc"
                                            << "abc";
    }

    void typingFollowsTheChangeRule()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        f->ui.MUX_0->clear();
        QTest::keyClicks(f->ui.MUX_0, typed);
        QCOMPARE(f->ui.MUX_0->text(), shown);
        QCOMPARE(FieldColours::colourOf(f->ui.MUX_0), FieldColours::Edited);
        QVERIFY(f->port.written().isEmpty());
    }

    void readShowsRepliesConfirmed_data()
    {
        QTest::addColumn<QList<QByteArray>>("risposte"); // empty: silent logger
        QTest::addColumn<QStringList>("shown");
        using R = QList<QByteArray>;
        QTest::newRow("counts as received")
            << R{" 16,", "8,", "0,", " 3,"} << QStringList{" 16", "8", "0", " 3"};
        QTest::newRow("out of range becomes 0")
            << R{"17,", "-1,", "16,", "99,"} << QStringList{"0", "0", "16", "0"};
        QTest::newRow("silent logger shows the marker")
            << R{} << QStringList{"%%", "%%", "%%", "%%"};
    }

    void readShowsRepliesConfirmed()
    {
        QFETCH(QList<QByteArray>, risposte);
        QFETCH(QStringList, shown);
        if (!risposte.isEmpty())
            rispondeConte(risposte);
        bool bloccato = false;
        f->clock.scheduleIn(0.001, [&] { bloccato = !f->ui.Scrivicanali->isEnabled(); });

        canali->leggicanali();

        QCOMPARE(f->port.written(), QByteArray("H 0,H 1,H 2,H 3,"));
        QCOMPARE(conte(), shown);
        for (QLineEdit* box : mux())
            QCOMPARE(FieldColours::colourOf(box), FieldColours::Confirmed);
        // 0.2 s after each read, 2 s at the end.
        QCOMPARE(f->pause(), (QList<double>{0.2, 0.2, 0.2, 0.2, 2.0}));
        QVERIFY(bloccato);
        QVERIFY(f->ui.Scrivicanali->isEnabled());
    }

    void writeYesErasesWritesAndReadsBack()
    {
        impostaConte({"16", "8", "0", "0"});
        f->dialogs.answerNext(Dialogs::Answer::Yes);
        f->port.replyTo("b,", "");
        rispondeConte({"16,", "8,", "0,", "0,"});
        f->port.replyTo("H0,", "16,");
        f->port.replyTo("M,", "2000,1500,");

        canali->Scrivicanali();

        QCOMPARE(f->port.written(), QByteArray("b,"
                                               "h 0, 16,h 1, 8,h 2, 0,h 3, 0,"
                                               "H 0,H 1,H 2,H 3,"
                                               "H0,M,"));
        QCOMPARE(conte(), (QStringList{"16", "8", "0", "0"}));
        for (QLineEdit* box : mux())
            QCOMPARE(FieldColours::colourOf(box), FieldColours::Confirmed);
        QCOMPARE(f->ui.acq_disponibili->text(), QStringLiteral("1500"));
        // Erase settle, no pause between the four writes, the read-back's
        // pauses, then around the memory status and the closing 2 s.
        QCOMPARE(f->pause(), (QList<double>{0.2, 0.2, 0.2, 0.2, 0.2, 2.0, 0.2, 0.5, 0.2, 2.0}));

        QCOMPARE(f->dialogs.boxes().size(), 1);
        const ScriptedDialogs::Box& box = f->dialogs.boxes().first();
        QCOMPARE(box.title, QStringLiteral("Attenzione"));
        QCOMPARE(box.text, QStringLiteral("Questa operazione necessita l'azzeramento della "
                                          "memoria. Vuoi proseguire?\r\nTutti i dati verranno "
                                          "persi."));
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QCOMPARE(box.buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(box.defaultAnswer, Dialogs::Answer::No);
        QVERIFY(f->ui.Scrivicanali->isEnabled());
    }

    void writeNoSendsNothing_data()
    {
        QTest::addColumn<bool>("risponde"); // false: the default is taken
        QTest::newRow("No") << true;
        QTest::newRow("default") << false;
    }

    void writeNoSendsNothing()
    {
        QFETCH(bool, risponde);
        impostaConte({"4", "5", "6", "7"});
        FieldColours::setColour(f->ui.MUX_1, FieldColours::Confirmed);
        if (risponde)
            f->dialogs.answerNext(Dialogs::Answer::No);

        canali->Scrivicanali();

        QVERIFY(f->port.written().isEmpty());
        QCOMPARE(conte(), (QStringList{"4", "5", "6", "7"}));
        QCOMPARE(FieldColours::colourOf(f->ui.MUX_0), FieldColours::Edited);
        QCOMPARE(FieldColours::colourOf(f->ui.MUX_1), FieldColours::Confirmed);
        QCOMPARE(f->pause(), QList<double>{2.0});
        QVERIFY(f->ui.Scrivicanali->isEnabled());
    }

    void writeRefusesCountsTheLoggerCannotTake_data()
    {
        QTest::addColumn<QStringList>("testi");
        QTest::addColumn<QString>("nomeBox");
        QTest::newRow("fraction") << QStringList{"16", "8", "8.5", "0"} << "CH MUX2";
        QTest::newRow("time-out marker") << QStringList{"%%", "8", "0", "0"} << "CH MUX0";
        QTest::newRow("empty box") << QStringList{"16", "8", "0", ""} << "CH MUX3";
        QTest::newRow("not a number") << QStringList{"16", "otto", "0", "0"} << "CH MUX1";
    }

    void writeRefusesCountsTheLoggerCannotTake()
    {
        QFETCH(QStringList, testi);
        QFETCH(QString, nomeBox);
        impostaConte(testi);
        f->dialogs.answerNext(Dialogs::Answer::Yes);

        canali->Scrivicanali();

        QVERIFY(f->port.written().isEmpty());
        QCOMPARE(f->dialogs.boxes().size(), 1); // the refusal, not the question
        const ScriptedDialogs::Box& box = f->dialogs.boxes().first();
        QCOMPARE(box.title, QStringLiteral("Attenzione"));
        QVERIFY2(box.text.contains(nomeBox), qPrintable(box.text));
        QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
        QCOMPARE(conte(), testi);
    }

    void writeStopsWhenTheEraseCannotBeSent()
    {
        impostaConte({"16", "8", "0", "0"});
        f->dialogs.answerNext(Dialogs::Answer::Yes);
        f->port.injectError();

        canali->Scrivicanali();

        // No counts, no read-back, no memory status box: the question alone.
        QCOMPARE(f->dialogs.boxes().size(), 1);
        QCOMPARE(conte(), (QStringList{"16", "8", "0", "0"}));
        QCOMPARE(f->pause(), QList<double>{2.0});
        QVERIFY(f->ui.Scrivicanali->isEnabled());
    }

    void buttonsRunTheOperations()
    {
        rispondeConte({"1,", "2,", "3,", "4,"});
        f->ui.leggicanali->click();
        QCOMPARE(conte(), (QStringList{"1", "2", "3", "4"}));

        f->ui.Scrivicanali->click();
        QCOMPARE(f->dialogs.boxes().size(), 1);
    }
};

QTEST_MAIN(TestCanaliMux)
#include "test_canalimux.moc"
