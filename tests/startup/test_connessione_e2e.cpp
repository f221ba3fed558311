#include "SimulatorLink.h"
#include "startup/Form1.h"
#include "startup/Form2.h"

#include <QtTest>

#include <memory>

// "Connessione" over a real serial port (a pseudo-terminal) to the logger
// simulator: the main window's boxes come from the logger's state, and a
// write from the window changes it.
class TestConnessioneE2E : public QObject
{
    Q_OBJECT

    static void setUpLogger(LoggerModel& m)
    {
        m.identifier = "DIGA04";
        m.setClock({9, 12, 2026, 14, 35, 0});
        m.startDate = {1, 1, 2027, 8, 5, 0};
        m.intervalHours = 2;
        m.intervalMinutes = 30;
        m.intervalSecs = 15;
        m.preheatMs = 250;
        m.muxChannels = {16, 5, 0, 0};
        m.supply5V = 4.98;
        m.battery = 12.6;
        m.acquisitionEnabled = true;
        m.eventCounterEnabled = false;
        m.smsNumbers[0] = "3331234567";
        m.smsNumbers[1] = "3457654321";
        m.smsCount = "2";
        m.smsSwitch = "1";
        m.phoneNumber = "0301234567";
        m.phoneSwitch = "0";
        m.gprs[0] = "ibox.tim.it";
        m.gprs[9] = "dati";
    }

    std::unique_ptr<SimulatorLink> banco;
    std::unique_ptr<Form1> form1;
    std::unique_ptr<Form2> form2;

    // The simulator set up by setUpLogger, the main window and the connection
    // dialog on its link, and a connection from COM 1 through the whole
    // retrieval. The caller returns when this failed.
    void connetti(bool gsm)
    {
        banco = std::make_unique<SimulatorLink>();
        SimulatorLink& e2e = *banco;
        QString error;
        QVERIFY2(e2e.start(&error), qPrintable(error));
        e2e.sim().withModel(setUpLogger);
        form1 = std::make_unique<Form1>(e2e.link(), e2e.dialogs());
        form2 = std::make_unique<Form2>(e2e.link(), e2e.dialogs(), *form1, e2e.folder());
        form2->ui.GSM->setChecked(gsm);
        form2->Option1[0]->setChecked(true);
        form2->Command1();
        QVERIFY(!form2->isVisible());
        QVERIFY(e2e.link().PortaAperta);
    }

private slots:
    void cleanup()
    {
        form2.reset();
        form1.reset();
        banco.reset();
    }

    void connectionFillsTheMainWindow_data()
    {
        QTest::addColumn<bool>("gsm");
        QTest::newRow("without GSM") << false;
        QTest::newRow("GSM version") << true;
    }

    void connectionFillsTheMainWindow()
    {
        QFETCH(bool, gsm);
        connetti(gsm);
        if (QTest::currentTestFailed())
            return;
        SimulatorLink& e2e = *banco;
        Ui::Form1& ui = form1->ui;

        QCOMPARE(ui.MUX_0->text(), QString("16"));
        QCOMPARE(ui.MUX_1->text(), QString("5"));
        QCOMPARE(ui.MUX_2->text(), QString("0"));
        QCOMPARE(ui.Nome_Centralina->text(), QString("DIGA04"));
        QCOMPARE(ui.data_0->text(), QString("9"));
        QCOMPARE(ui.data_1->text(), QString("12"));
        QCOMPARE(ui.data_2->text(), QString("2026"));
        QCOMPARE(ui.data_3->text(), QString("14"));
        QCOMPARE(ui.data_4->text(), QString("35"));
        QCOMPARE(ui.data_allarme_2->text(), QString("2027"));
        QCOMPARE(ui.data_allarme_4->text(), QString("05"));
        QCOMPARE(ui.conversione_0->text(), QString("002"));
        QCOMPARE(ui.conversione_1->text(), QString("030"));
        QCOMPARE(ui.conversione_2->text(), QString("015"));
        QCOMPARE(ui.preaccensione->text(), QString("00250"));
        QCOMPARE(ui.parameters_0->text(), QString("04.98"));
        QCOMPARE(ui.parameters_2->text(), QString("12.60"));
        QCOMPARE(ui.Acq_possibili->text().isEmpty(), false);
        QVERIFY(ui.data_logging->isChecked());
        QVERIFY(!ui.PLUVIOMETRO->isChecked());
        QCOMPARE(e2e.link().ModelloDatalogger, 1);
        if (gsm) {
            QCOMPARE(ui.NUMERO_ALLARME_SMS_0->text(), QString("3331234567"));
            QCOMPARE(ui.NUMERO_ALLARME_SMS_1->text(), QString("3457654321"));
            QCOMPARE(ui.NUMERO_ALLARMI_SMS->text(), QString("2"));
            QVERIFY(ui.Abilita_SMS->isChecked());
            QCOMPARE(ui.NUMERO_ALLARME_TELEFONO->text(), QString("0301234567"));
            QVERIFY(!ui.Abilita_Telefono->isChecked());
            QCOMPARE(ui.GPRS_0->text(), QString("ibox.tim.it"));
            QCOMPARE(ui.GPRS_9->text(), QString("dati"));
        } else {
            QCOMPARE(ui.NUMERO_ALLARME_SMS_0->text(), QString());
            QCOMPARE(ui.GPRS_0->text(), QString());
        }
        QVERIFY(e2e.dialogs().boxes().isEmpty());
    }

    void writesFromTheWindowChangeTheLogger()
    {
        connetti(false);
        if (QTest::currentTestFailed())
            return;
        SimulatorLink& e2e = *banco;
        Ui::Form1& ui = form1->ui;

        ui.Nome_Centralina->setText("PONTE11");
        ui.imposta_nome->click();
        ui.MUX_1->setText("8");
        ui.MUX_2->setText("3");
        e2e.dialogs().answerNext(Dialogs::Answer::Yes);
        ui.Scrivicanali->click();

        LoggerModel after;
        e2e.sim().withModel([&after](LoggerModel& m) { after = m; });
        QCOMPARE(after.identifier, QByteArray("PONTE11"));
        QCOMPARE(after.muxChannels[1], 8);
        QCOMPARE(after.muxChannels[2], 3);
        // The window shows what the logger now holds.
        QCOMPARE(ui.MUX_1->text(), QString("8"));
        QCOMPARE(ui.MUX_2->text(), QString("3"));
    }
};

QTEST_MAIN(TestConnessioneE2E)
#include "test_connessione_e2e.moc"
