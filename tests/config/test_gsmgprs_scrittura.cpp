#include "PaginaGsm.h"
#include "startup/ui_Form1.h" // seen by AUTOUIC here, not inside PaginaConfig.h

#include <QCheckBox>
#include <QLabel>
#include <QtTest>

#include <memory>

// The writes of the SMS/telephone and GPRS settings: the exact "i", "f" and
// "k" texts, the two switches pressed, the read-backs, and commas refused.
class TestGsmGprsScrittura : public QObject
{
    Q_OBJECT

    std::unique_ptr<PaginaGsm> p;

    // The logger's answers to the read-back.
    void rilettura(const QByteArray& sms, const QByteArray& telefono)
    {
        p->port.replyTo("I", "111,222,,,,,,,,,3," + sms + ",");
        p->port.replyTo("F", "0456," + telefono + ",");
    }

    // The time of the first write that is exactly `bytes`.
    double quando(const QByteArray& bytes) const
    {
        for (const FakeSerialPort::Write& w : p->port.writes())
            if (w.bytes == bytes)
                return w.time;
        return -1;
    }

private slots:
    void init()
    {
        p = std::make_unique<PaginaGsm>();
        p->finestra.show();
    }
    void cleanup()
    {
        QVERIFY(p->comandiAbilitati());
        p.reset();
    }

    void writeSendsBothBlocksThenReadsBack_data()
    {
        QTest::addColumn<QStringList>("numeri");
        QTest::addColumn<QString>("conta");
        QTest::addColumn<QString>("telefono");
        QTest::addColumn<Qt::CheckState>("statoSms");
        QTest::addColumn<Qt::CheckState>("statoTelefono");
        QTest::addColumn<QByteArray>("atteso");
        QTest::newRow("two numbers, count 3, SMS ticked")
            << QStringList{"3331112222", "+393334445555"} << "3"
            << "0456789" << Qt::Checked << Qt::Unchecked
            << QByteArray("i3331112222,+393334445555,,,,,,,,,3, 1,f0456789, 0,IF");
        QTest::newRow("blanks trimmed, telephone ticked")
            << QStringList{"  111 ", "", "", "", "", "", "", "", "", " 999"} << " 1 "
            << " 0456 " << Qt::Unchecked << Qt::Checked
            << QByteArray("i111,,,,,,,,,999,1, 0,f0456, 1,IF");
        QTest::newRow("a grey box is sent as 2")
            << QStringList{} << ""
            << "" << Qt::PartiallyChecked << Qt::Unchecked << QByteArray("i,,,,,,,,,,, 2,f, 0,IF");
    }

    void writeSendsBothBlocksThenReadsBack()
    {
        QFETCH(QStringList, numeri);
        QFETCH(QString, conta);
        QFETCH(QString, telefono);
        QFETCH(Qt::CheckState, statoSms);
        QFETCH(Qt::CheckState, statoTelefono);
        QFETCH(QByteArray, atteso);
        for (int i = 0; i < numeri.size(); ++i)
            p->sms()[i]->setText(numeri[i]);
        p->ui.NUMERO_ALLARMI_SMS->setText(conta);
        p->ui.NUMERO_ALLARME_TELEFONO->setText(telefono);
        p->ui.Abilita_SMS->setCheckState(statoSms);
        p->ui.Abilita_Telefono->setCheckState(statoTelefono);
        rilettura("0", "1");
        bool bloccati = false;
        p->clock.scheduleIn(0.001, [&] { bloccati = !p->ui.SCRIVI_GSM->isEnabled(); });

        p->ui.SCRIVI_GSM->click();

        QCOMPARE(p->scritto(), atteso);
        QVERIFY(bloccati);
        // The read-back shows what the logger holds, in the to-read colour.
        QCOMPARE(p->sms()[0]->text(), QStringLiteral("111"));
        QCOMPARE(p->ui.NUMERO_ALLARME_TELEFONO->text(), QStringLiteral("0456"));
        QCOMPARE(p->ui.Abilita_SMS->checkState(), Qt::Unchecked);
        QCOMPARE(p->ui.Abilita_Telefono->checkState(), Qt::Checked);
        QCOMPARE(PaginaConfig::colore(p->sms()[0]), FieldColours::ToRead);
    }

    void pressingASwitchSendsItsOppositeBare_data()
    {
        QTest::addColumn<bool>("telefono");
        QTest::addColumn<Qt::CheckState>("prima");
        QTest::addColumn<QByteArray>("atteso"); // up to the pause
        QTest::addColumn<QByteArray>("letto");  // the switch the logger reports
        QTest::newRow("SMS clear")
            << false << Qt::Unchecked << QByteArray("i5,,,,,,,,,,2,1,f77, 1,") << QByteArray("1");
        QTest::newRow("SMS ticked")
            << false << Qt::Checked << QByteArray("i5,,,,,,,,,,2,0,f77, 1,") << QByteArray("0");
        QTest::newRow("telephone ticked")
            << true << Qt::Checked << QByteArray("i5,,,,,,,,,,2, 0,f77,0,") << QByteArray("0");
        QTest::newRow("telephone clear, logger refuses")
            << true << Qt::Unchecked << QByteArray("i5,,,,,,,,,,2, 0,f77,1,") << QByteArray("0");
    }

    void pressingASwitchSendsItsOppositeBare()
    {
        QFETCH(bool, telefono);
        QFETCH(Qt::CheckState, prima);
        QFETCH(QByteArray, atteso);
        QFETCH(QByteArray, letto);
        QCheckBox* premuta = telefono ? p->ui.Abilita_Telefono : p->ui.Abilita_SMS;
        QCheckBox* altra = telefono ? p->ui.Abilita_SMS : p->ui.Abilita_Telefono;
        premuta->setCheckState(prima);
        altra->setCheckState(telefono ? Qt::Unchecked : Qt::Checked);
        p->sms()[0]->setText("5");
        p->ui.NUMERO_ALLARMI_SMS->setText("2");
        p->ui.NUMERO_ALLARME_TELEFONO->setText("77");
        if (telefono)
            rilettura("0", letto);
        else
            rilettura(letto, "1");

        // A real press and release: the box's own toggling must not undo
        // what the read-back shows.
        QTest::mouseClick(premuta, Qt::LeftButton);

        QCOMPARE(p->scritto(), atteso + "IF");
        QVERIFY(quando("I") - quando("f") >= 0.5);
        QCOMPARE(premuta->checkState(), letto == "1" ? Qt::Checked : Qt::Unchecked);
    }

    void spaceDoesNotFlipASwitch()
    {
        p->ui.Abilita_SMS->setFocus();
        QTest::keyClick(p->ui.Abilita_SMS, Qt::Key_Space);
        QCOMPARE(p->ui.Abilita_SMS->checkState(), Qt::Unchecked);
        QCOMPARE(p->scritto(), QByteArray());
    }

    void gprsWriteTrimsTheBoxesAndSendsThem()
    {
        const QStringList testi{
            " utente ", "pw", "  apn.example.it", "", "ftp.example.it", "segreta", "/dati ", "21",
            "60",       "1"};
        for (int i = 0; i < 10; ++i) {
            p->gprs()[i]->setText(testi[i]);
            FieldColours::setColour(p->gprs()[i], FieldColours::Edited);
        }

        p->ui.ScriviGPRS->click();

        QCOMPARE(p->scritto(),
                 QByteArray("kutente,pw,apn.example.it,,ftp.example.it,segreta,/dati,21,60,1,"));
        QCOMPARE(p->gprs()[0]->text(), QStringLiteral("utente"));
        QCOMPARE(p->gprs()[2]->text(), QStringLiteral("apn.example.it"));
        for (const QLineEdit* c : p->gprs())
            QCOMPARE(PaginaConfig::colore(c), FieldColours::Confirmed);
    }

    void commaIsRefusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<QString>("operazione");
        QTest::addColumn<QString>("casella");
        QTest::addColumn<QString>("campo");
        QTest::newRow("write, SMS number") << "scrivi"
                                           << "NUMERO_ALLARME_SMS_3"
                                           << "numero SMS 4";
        QTest::newRow("write, count") << "scrivi"
                                      << "NUMERO_ALLARMI_SMS"
                                      << "\"Numero di sms da inviare\"";
        QTest::newRow("SMS switch, telephone number") << "sms"
                                                      << "NUMERO_ALLARME_TELEFONO"
                                                      << "numero dell'allarme TELEFONO";
        QTest::newRow("telephone switch, SMS number") << "telefono"
                                                      << "NUMERO_ALLARME_SMS_0"
                                                      << "numero SMS 1";
        QTest::newRow("GPRS") << "gprs"
                              << "GPRS_6"
                              << "\"FTP DIRECTORY\"";
    }

    void commaIsRefusedBeforeAnythingIsSent()
    {
        QFETCH(QString, operazione);
        QFETCH(QString, casella);
        QFETCH(QString, campo);
        p->gprs()[0]->setText(" con blanks ");
        p->finestra.findChild<QLineEdit*>(casella)->setText("12,34");

        if (operazione == "scrivi")
            p->op.SCRIVI_GSM();
        else if (operazione == "sms")
            QTest::mouseClick(p->ui.Abilita_SMS, Qt::LeftButton);
        else if (operazione == "telefono")
            QTest::mouseClick(p->ui.Abilita_Telefono, Qt::LeftButton);
        else
            p->op.ScriviGPRS();

        QCOMPARE(p->scritto(), QByteArray());
        QCOMPARE(p->dialogs.boxes().size(), 1);
        QCOMPARE(p->dialogs.boxes()[0].title, QStringLiteral("Attenzione"));
        QVERIFY2(p->dialogs.boxes()[0].text.contains("Il campo " + campo + " contiene una virgola"),
                 qPrintable(p->dialogs.boxes()[0].text));
        QCOMPARE(p->gprs()[0]->text(), QStringLiteral(" con blanks ")); // nothing touched
        QCOMPARE(p->ui.Abilita_SMS->checkState(), Qt::Unchecked);
        QCOMPARE(p->ui.Abilita_Telefono->checkState(), Qt::Unchecked);
    }
};

QTEST_MAIN(TestGsmGprsScrittura)
#include "test_gsmgprs_scrittura.moc"
