#include "FinestraProva.h"
#include "common/FieldColours.h"
#include "config/CanaliMux.h"
#include "config/ParametriInterni.h"
#include "download/StatoMemoria.h"
#include "startup/ui_Form1.h"

#include <QCheckBox>
#include <QtTest>

// Voltages, the two switches, the pulse value and the full reset against the
// fake logger.
class TestParametriInterni : public QObject
{
    Q_OBJECT

    std::unique_ptr<FinestraProva> f;
    std::unique_ptr<StatoMemoria> memoria;
    std::unique_ptr<CanaliMux> canali;
    std::unique_ptr<ParametriInterni> parametri;

    QCheckBox* casella(const QString& nome) const
    {
        return nome == QLatin1String("data_logging") ? f->ui.data_logging : f->ui.PLUVIOMETRO;
    }

private slots:
    void init()
    {
        f = std::make_unique<FinestraProva>();
        memoria = std::make_unique<StatoMemoria>(f->ui, f->link, f->dialogs);
        canali = std::make_unique<CanaliMux>(f->ui, f->link, f->dialogs, *memoria);
        parametri =
            std::make_unique<ParametriInterni>(f->ui, f->link, f->dialogs, *memoria, *canali);
        f->link.registraComandi({f->ui.Status, f->ui.ReadSt, f->ui.Resetta});
    }

    void voltagesShowTwoByTwoDigits_data()
    {
        QTest::addColumn<QByteArray>("risposta"); // empty: silent logger
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("usual") << QByteArray("5.02,3.3,12.71,")
                               << QStringList{"05.02", "03.30", "12.71"};
        QTest::newRow("rounded to two decimals")
            << QByteArray(" 4.98,3.296,12.6,") << QStringList{"04.98", "03.30", "12.60"};
        QTest::newRow("silent logger shows the marker")
            << QByteArray() << QStringList{"%%", "%%", "%%"};
    }

    void voltagesShowTwoByTwoDigits()
    {
        QFETCH(QByteArray, risposta);
        QFETCH(QStringList, shown);
        if (!risposta.isEmpty())
            f->port.replyTo("W", risposta);
        FieldColours::setColour(f->ui.parameters_0, FieldColours::Edited);

        parametri->Status();

        QCOMPARE(f->port.written(), QByteArray("W"));
        QCOMPARE((QStringList{f->ui.parameters_0->text(), f->ui.parameters_1->text(),
                              f->ui.parameters_2->text()}),
                 shown);
        QCOMPARE(FieldColours::colourOf(f->ui.parameters_0), FieldColours::Edited);
        QVERIFY(f->ui.Status->isEnabled());
    }

    // The check box states a flag reply gives; the same for O at start-up.
    void flagReplySetsTheBox_data()
    {
        QTest::addColumn<QByteArray>("risposta"); // empty: silent logger
        QTest::addColumn<int>("stato");
        QTest::newRow("1 ticks") << QByteArray("1,") << int(Qt::Checked);
        QTest::newRow("0 clears") << QByteArray("0,") << int(Qt::Unchecked);
        QTest::newRow("2 greys") << QByteArray("2,") << int(Qt::PartiallyChecked);
        QTest::newRow("leading blank") << QByteArray(" 1,") << int(Qt::Checked);
        QTest::newRow("1.4 rounds to 1") << QByteArray("1.4,") << int(Qt::Checked);
        QTest::newRow("3 leaves it clear") << QByteArray("3,") << int(Qt::Unchecked);
        QTest::newRow("-1 leaves it clear") << QByteArray("-1,") << int(Qt::Unchecked);
        QTest::newRow("garbage leaves it clear") << QByteArray("x,") << int(Qt::Unchecked);
        QTest::newRow("silent logger leaves it clear") << QByteArray() << int(Qt::Unchecked);
    }

    void flagReplySetsTheBox()
    {
        QFETCH(QByteArray, risposta);
        QFETCH(int, stato);
        f->ui.data_logging->setChecked(true);
        if (!risposta.isEmpty())
            f->port.replyTo("O", risposta);

        parametri->ReadSt();

        QCOMPARE(f->port.written(), QByteArray("O"));
        QCOMPARE(int(f->ui.data_logging->checkState()), stato);
        QVERIFY(f->ui.ReadSt->isEnabled());
    }

    void pressSendsTheOppositeAndShowsTheReadBack_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("prima");
        QTest::addColumn<int>("bottone");
        QTest::addColumn<QByteArray>("lettura"); // what the read-back request ends with
        QTest::addColumn<QByteArray>("risposta");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<int>("dopo");
        const int left = Qt::LeftButton;
        QTest::newRow("acquisition ticked: 0, then O")
            << "data_logging" << int(Qt::Checked) << left << QByteArray("O") << QByteArray("0,")
            << QByteArray("o0,O") << int(Qt::Unchecked);
        QTest::newRow("acquisition clear: 1, then O")
            << "data_logging" << int(Qt::Unchecked) << left << QByteArray("O") << QByteArray("1,")
            << QByteArray("o1,O") << int(Qt::Checked);
        QTest::newRow("logger keeps its state: the box shows it")
            << "data_logging" << int(Qt::Unchecked) << left << QByteArray("O") << QByteArray("0,")
            << QByteArray("o1,O") << int(Qt::Unchecked);
        QTest::newRow("right button counts too")
            << "data_logging" << int(Qt::Checked) << int(Qt::RightButton) << QByteArray("O")
            << QByteArray("0,") << QByteArray("o0,O") << int(Qt::Unchecked);
        QTest::newRow("grey counts as not ticked")
            << "data_logging" << int(Qt::PartiallyChecked) << left << QByteArray("O")
            << QByteArray("1,") << QByteArray("o1,O") << int(Qt::Checked);
        QTest::newRow("event counter ticked: 0, then U with a comma")
            << "PLUVIOMETRO" << int(Qt::Checked) << left << QByteArray("U,") << QByteArray("0,")
            << QByteArray("u0,U,") << int(Qt::Unchecked);
        QTest::newRow("event counter clear: 1, then U with a comma")
            << "PLUVIOMETRO" << int(Qt::Unchecked) << left << QByteArray("U,") << QByteArray("1,")
            << QByteArray("u1,U,") << int(Qt::Checked);
    }

    void pressSendsTheOppositeAndShowsTheReadBack()
    {
        QFETCH(QString, box);
        QFETCH(int, prima);
        QFETCH(int, bottone);
        QFETCH(QByteArray, lettura);
        QFETCH(QByteArray, risposta);
        QFETCH(QByteArray, sent);
        QFETCH(int, dopo);
        QCheckBox* c = casella(box);
        c->setCheckState(Qt::CheckState(prima));
        f->port.replyTo(sent.left(3), "");
        f->port.replyTo(lettura, risposta);

        // A whole click: the box's own click handling must not flip it after.
        QTest::mouseClick(c, Qt::MouseButton(bottone));

        QCOMPARE(f->port.written(), sent);
        QCOMPARE(int(c->checkState()), dopo);
        // Half a second between the switch and the read-back.
        const QList<FakeSerialPort::Write>& w = f->port.writes();
        QVERIFY(w.last().time - w[w.size() - 1 - lettura.size()].time > 0.5);
        QCOMPARE(f->pause().first(), 0.5);
    }

    void secondPressWhileWaitingIsIgnored()
    {
        f->ui.data_logging->setChecked(true);
        f->port.replyTo("O", "0,", 1.0);
        f->clock.scheduleIn(1.0, [&] { QTest::mouseClick(f->ui.data_logging, Qt::LeftButton); });

        QTest::mouseClick(f->ui.data_logging, Qt::LeftButton);

        QCOMPARE(f->port.written(), QByteArray("o0,O"));
        QVERIFY(!f->ui.data_logging->isChecked());
    }

    void keyboardDoesNotFlipTheSwitches()
    {
        for (QCheckBox* c : {f->ui.data_logging, f->ui.PLUVIOMETRO}) {
            c->setFocus();
            QTest::keyClick(c, Qt::Key_Space);
            QVERIFY(!c->isChecked());
        }
        QVERIFY(f->port.written().isEmpty());
    }

    void anyKeyMarksThePulseValueEdited()
    {
        for (Qt::Key tasto : {Qt::Key_Left, Qt::Key_Delete, Qt::Key_Shift, Qt::Key_5}) {
            FieldColours::setColour(f->ui.mmpioggia, FieldColours::ToRead);
            QTest::keyClick(f->ui.mmpioggia, tasto);
            QCOMPARE(FieldColours::colourOf(f->ui.mmpioggia), FieldColours::Edited);
        }
    }

    void pulseValueReadIsTrimmedAndToRead()
    {
        FieldColours::setColour(f->ui.mmpioggia, FieldColours::Edited);
        f->port.replyTo("<", "  0.25  ,");

        parametri->mmpioggialeggi();

        QCOMPARE(f->port.written(), QByteArray("<"));
        QCOMPARE(f->ui.mmpioggia->text(), QStringLiteral("0.25"));
        QCOMPARE(FieldColours::colourOf(f->ui.mmpioggia), FieldColours::ToRead);
    }

    void pulseValueWriteSendsTrimmedThenReadsBack()
    {
        f->ui.mmpioggia->setText(QStringLiteral("  0.2 "));
        FieldColours::setColour(f->ui.mmpioggia, FieldColours::Edited);
        f->port.replyTo(">0.2,", "");
        f->port.replyTo("<", "0.2,");

        f->ui.mmpioggiatastoscrivi->click();

        QCOMPARE(f->port.written(), QByteArray(">0.2,<"));
        QCOMPARE(f->ui.mmpioggia->text(), QStringLiteral("0.2"));
        QCOMPARE(FieldColours::colourOf(f->ui.mmpioggia), FieldColours::ToRead);
    }

    void pulseValueWithACommaIsRefused()
    {
        f->ui.mmpioggia->setText(QStringLiteral("0,2"));

        parametri->mmpioggiatastoscrivi();

        QVERIFY(f->port.written().isEmpty());
        QCOMPARE(f->ui.mmpioggia->text(), QStringLiteral("0,2"));
        QCOMPARE(f->dialogs.boxes().size(), 1);
        const ScriptedDialogs::Box& box = f->dialogs.boxes().first();
        QCOMPARE(box.title, QStringLiteral("Attenzione"));
        QVERIFY2(box.text.contains(QStringLiteral("impulsi")), qPrintable(box.text));
        QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
    }

    void resetAsksFirst_data()
    {
        QTest::addColumn<bool>("risponde"); // false: the default is taken
        QTest::newRow("No") << true;
        QTest::newRow("default") << false;
    }

    void resetAsksFirst()
    {
        QFETCH(bool, risponde);
        if (risponde)
            f->dialogs.answerNext(Dialogs::Answer::No);

        parametri->Resetta();

        QVERIFY(f->port.written().isEmpty());
        QCOMPARE(f->dialogs.boxes().size(), 1);
        const ScriptedDialogs::Box& box = f->dialogs.boxes().first();
        QCOMPARE(box.title, QStringLiteral("Attenzione"));
        QCOMPARE(
            box.text,
            QStringLiteral("Vuoi veramente resettare il datalogger?\r\nTu perderai tutti i dati"));
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QCOMPARE(box.buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(box.defaultAnswer, Dialogs::Answer::No);
        QVERIFY(f->ui.Resetta->isEnabled());
    }

    void resetYesReadsTheMainSettingsAgainInOrder()
    {
        // The interval and identifier reads belong to other pages; here they
        // stand in with their requests.
        parametri->impostaLettureDopoReset(
            {[this] {
                 f->link.Invia_Comando(QStringLiteral("C"), QStringLiteral(","));
                 for (int i = 0; i < 3; ++i)
                     f->link.Leggi_Risposta();
             },
             [this] {
                 f->link.Invia_Comando(QStringLiteral("Q"), QString());
                 f->link.Leggi_Risposta();
             }});
        f->dialogs.answerNext(Dialogs::Answer::Yes);
        f->port.replyTo("z", "");
        f->port.replyTo("H0,", "8,");
        f->port.replyTo("M,", "4000,4000,");
        for (int m = 0; m < 4; ++m)
            f->port.replyTo("H " + QByteArray::number(m) + ",", "8,");
        f->port.replyTo("C,", "000,015,000,");
        f->port.replyTo("Q", "SITO1,");
        f->port.replyTo("O", "1,");

        parametri->Resetta();

        QCOMPARE(f->port.written(), QByteArray("z"
                                               "H0,M,"
                                               "H 0,H 1,H 2,H 3,"
                                               "C,"
                                               "Q"
                                               "O"));
        QCOMPARE(f->pause(), (QList<double>{0.2, 0.2,                     // after z
                                            0.5, 0.2,                     // memory status
                                            0.2, 0.2, 0.2, 0.2, 2.0, 0.2, // channels
                                            0.2,                          // interval
                                            0.2}));                       // identifier
        QCOMPARE(f->ui.Acq_possibili->text(), QStringLiteral("4000"));
        QCOMPARE(f->ui.MUX_3->text(), QStringLiteral("8"));
        QVERIFY(f->ui.data_logging->isChecked());
        QCOMPARE(f->dialogs.boxes().size(), 1);
        QVERIFY(f->ui.Resetta->isEnabled());
    }

    void resetStopsAtAPortFailure()
    {
        f->dialogs.answerNext(Dialogs::Answer::Yes);
        f->port.replyTo("z", "");
        // The cable is pulled while the logger restarts.
        f->clock.scheduleIn(0.1, [this] { f->port.injectError(); });
        f->ui.MUX_0->setText(QStringLiteral("8"));

        parametri->Resetta();

        QCOMPARE(f->port.written(), QByteArray("z"));
        // No "select a channel" box for a failed port, no further reads.
        QCOMPARE(f->dialogs.boxes().size(), 1);
        QCOMPARE(f->ui.MUX_0->text(), QStringLiteral("8"));
        QVERIFY(f->ui.Resetta->isEnabled());
    }
};

QTEST_MAIN(TestParametriInterni)
#include "test_parametriinterni.moc"
