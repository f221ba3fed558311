#include "SimulatorLink.h"
#include "config/Allarmi_An.h"
#include "config/FinestreSensori.h"
#include "config/GsmGprs.h"
#include "config/Sensori_An.h"
#include "download/ProprietaSensori.h"
#include "startup/ui_Form1.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QtTest>

#include <memory>

// Sensor properties, alarms, the personal SMS, the SMS/telephone settings and
// the GPRS fields written from the windows over a real serial port (a
// pseudo-terminal) to the logger simulator: its state changes, and reading
// back shows it.
class TestSensoriAllarmiE2E : public QObject
{
    Q_OBJECT

    std::unique_ptr<SimulatorLink> banco;
    std::unique_ptr<QMainWindow> finestra;
    std::unique_ptr<Ui::Form1> ui;
    ProprietaSensori proprieta;
    std::unique_ptr<FinestreSensori> finestre;
    std::unique_ptr<GsmGprs> gsm;

    LoggerModel modello()
    {
        LoggerModel copia;
        banco->sim().withModel([&](LoggerModel& m) { copia = m; });
        return copia;
    }

    static QStringList testi(const QList<QLineEdit*>& caselle)
    {
        QStringList t;
        for (const QLineEdit* c : caselle)
            t << c->text();
        return t;
    }

    QList<QLineEdit*> caselle(const QString& radice, int n) const
    {
        QList<QLineEdit*> c;
        for (int i = 0; i < n; ++i)
            c << finestra->findChild<QLineEdit*>(radice + QString::number(i));
        return c;
    }

    Sensori_An& sensori()
    {
        if (finestre->sensori())
            finestre->sensori()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        finestre->Leggi_poprietà();
        return *finestre->sensori();
    }

    Allarmi_An& allarmi()
    {
        if (finestre->allarmi())
            finestre->allarmi()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        finestre->Leggi_Allarmi();
        return *finestre->allarmi();
    }

private slots:
    void init()
    {
        LoggerSimulator::Options options;
        options.baud = 9600;
        banco = std::make_unique<SimulatorLink>(options);
        QString error;
        QVERIFY2(banco->connect(&error), qPrintable(error));

        finestra = std::make_unique<QMainWindow>();
        ui = std::make_unique<Ui::Form1>();
        ui->setupUi(finestra.get());
        finestre = std::make_unique<FinestreSensori>(*ui, finestra.get(), banco->link(),
                                                     banco->dialogs(), proprieta);
        gsm = std::make_unique<GsmGprs>(*ui, banco->link(), banco->dialogs());
        finestra->show();
    }

    void cleanup()
    {
        const QList<ScriptedDialogs::Box> scatole = banco->dialogs().boxes();
        QVERIFY2(scatole.isEmpty(), qPrintable(scatole.value(0).text));
        gsm.reset();
        finestre.reset();
        ui.reset();
        finestra.reset();
        banco.reset();
    }

    void sensorPropertiesReachTheLoggerAndComeBack()
    {
        ui->MUX_0->setText("2");
        ui->MUX_1->setText("1");
        Sensori_An& s = sensori();
        const QStringList riga0{" PIEZO 1 ", " 0.100", "2.500 ", "0", "350"};
        const QStringList riga1{"TERMO", "0", "5", "-20", "80"};
        for (int i = 0; i < 5; ++i) {
            QLineEdit* const c0[] = {s.NomeCanali[0], s.CA[0], s.CB[0], s.CC[0], s.CD[0]};
            QLineEdit* const c1[] = {s.NomeCanali[1], s.CA[1], s.CB[1], s.CC[1], s.CD[1]};
            c0[i]->setText(riga0[i]);
            c1[i]->setText(riga1[i]);
        }

        const LoggerModel anteprima = modello();
        s.ScriviProp(0);
        // The rows of multiplexer 0 written to multiplexer 1 too.
        s.ScriviProp(1);

        const LoggerModel m = modello();
        QCOMPARE(m.sensors[0].name, QByteArray("PIEZO 1"));
        QCOMPARE(m.sensors[0].zeroVolt, QByteArray("0.100"));
        QCOMPARE(m.sensors[0].fullScaleVolt, QByteArray("2.500"));
        QCOMPARE(m.sensors[1].zeroPhysical, QByteArray("-20"));
        QCOMPARE(m.sensors[16].fullScalePhysical, QByteArray("350"));
        QCOMPARE(m.sensors[17].name, anteprima.sensors[17].name); // multiplexer 1 has one channel
        QCOMPARE(proprieta.FS_Fisico[0], 350.0);
        QCOMPARE(proprieta.Zero_Fisico[1], -20.0);

        // A fresh window reads what the logger now holds.
        banco->sim().withModel([](LoggerModel& lm) { lm.sensors[1].name = "TERMO 2"; });
        Sensori_An& nuova = sensori();
        QCOMPARE(nuova.NomeCanali[0]->text(), QStringLiteral("Da Leggere"));
        nuova.Leggi_prop(0);
        QCOMPARE(testi({nuova.NomeCanali[0], nuova.CA[0], nuova.CB[0], nuova.CC[0], nuova.CD[0]}),
                 (QStringList{"PIEZO 1", "0.100", "2.500", "0", "350"}));
        QCOMPARE(nuova.NomeCanali[1]->text(), QStringLiteral("TERMO 2"));
        QCOMPARE(nuova.NomeCanali[2]->text(), QStringLiteral("Non Attivo"));
    }

    void alarmsAndPersonalSmsReachTheLoggerAndComeBack()
    {
        ui->MUX_1->setText("2");
        Allarmi_An& a = allarmi();
        a.AllarmeAttivo[0]->setText("1");
        a.CA[0]->setText(" 25.5 ");
        a.CB[0]->setText("-3");
        a.AllarmeAttivo[1]->setText("0");
        a.CA[1]->setText("100");
        a.CB[1]->setText("0");
        const QStringList sms{"Stazione DIGA NORD", "", "FRANA IN ATTO SUL VERSANT", " soglia ",
                              "perr\u00f2"};
        for (int i = 0; i < 5; ++i)
            a.SMS_PERSONALIZZATO[i]->setText(sms[i]);

        a.ScriviAll(1);
        a.MESSAGGIO_PERSONALE_SCRIVI();

        const LoggerModel m = modello();
        QCOMPARE(m.alarms[16].activation, QByteArray("1"));
        QCOMPARE(m.alarms[16].upper, QByteArray("25.5"));
        QCOMPARE(m.alarms[16].lower, QByteArray("-3"));
        QCOMPARE(m.alarms[17].upper, QByteArray("100"));
        QCOMPARE(m.personalSms[0], QByteArray("Stazione DIGA NORD"));
        QCOMPARE(m.personalSms[1], QByteArray());
        QCOMPARE(m.personalSms[2], QByteArray("FRANA IN ATTO SUL VERSANT"));
        QCOMPARE(m.personalSms[3], QByteArray(" soglia ")); // lines go as typed
        QCOMPARE(m.personalSms[4], QByteArray("perr\xf2"));
        // The write's own read-back shows the logger's lines.
        QCOMPARE(testi(QList<QLineEdit*>(a.SMS_PERSONALIZZATO.begin(), a.SMS_PERSONALIZZATO.end())),
                 sms);

        banco->sim().withModel([](LoggerModel& lm) {
            lm.alarms[17].lower = "-7.25";
            lm.personalSms[1] = "seconda riga";
        });
        Allarmi_An& nuova = allarmi();
        nuova.Leggi_all(1);
        nuova.MESSAGGIO_PERSONALE_LEGGI();
        QCOMPARE(testi({nuova.AllarmeAttivo[0], nuova.CA[0], nuova.CB[0]}),
                 (QStringList{"1", "25.5", "-3"}));
        QCOMPARE(nuova.CB[1]->text(), QStringLiteral("-7.25"));
        QCOMPARE(nuova.SMS_PERSONALIZZATO[1]->text(), QStringLiteral("seconda riga"));
    }

    void smsTelephoneAndGprsReachTheLoggerAndComeBack()
    {
        const QList<QLineEdit*> numeri = caselle("NUMERO_ALLARME_SMS_", 10);
        numeri[0]->setText(" 3331112222 ");
        numeri[1]->setText("+393334445555");
        ui->NUMERO_ALLARMI_SMS->setText("3");
        ui->NUMERO_ALLARME_TELEFONO->setText("0456789");
        ui->Abilita_SMS->setChecked(true);
        ui->Abilita_Telefono->setChecked(false);

        ui->SCRIVI_GSM->click();

        LoggerModel m = modello();
        QCOMPARE(m.smsNumbers[0], QByteArray("3331112222"));
        QCOMPARE(m.smsNumbers[1], QByteArray("+393334445555"));
        QCOMPARE(m.smsNumbers[9], QByteArray());
        QCOMPARE(m.smsCount, QByteArray("3"));
        QCOMPARE(m.smsSwitch, QByteArray("1"));
        QCOMPARE(m.phoneNumber, QByteArray("0456789"));
        QCOMPARE(m.phoneSwitch, QByteArray("0"));
        QCOMPARE(numeri[0]->text(), QStringLiteral("3331112222")); // read back

        // Pressing the telephone switch turns it on in the logger; the box
        // shows what the logger then reports.
        QTest::mouseClick(ui->Abilita_Telefono, Qt::LeftButton);
        QCOMPARE(modello().phoneSwitch, QByteArray("1"));
        QCOMPARE(modello().smsSwitch, QByteArray("1"));
        QVERIFY(ui->Abilita_Telefono->isChecked());
        QTest::mouseClick(ui->Abilita_SMS, Qt::LeftButton);
        QCOMPARE(modello().smsSwitch, QByteArray("0"));
        QVERIFY(!ui->Abilita_SMS->isChecked());

        const QList<QLineEdit*> gprs = caselle("GPRS_", 10);
        const QStringList campi{
            " utente ", "pw", "apn.example.it", "", "ftp.example.it", "segreta", " /dati", "21",
            "60",       "1"};
        for (int i = 0; i < 10; ++i)
            gprs[i]->setText(campi[i]);
        ui->ScriviGPRS->click();
        // No read-back follows: the bytes leave as the event loop runs.
        QTRY_COMPARE(modello().gprs[9], QByteArray("1"));
        m = modello();
        QCOMPARE(m.gprs[0], QByteArray("utente"));
        QCOMPARE(m.gprs[3], QByteArray());
        QCOMPARE(m.gprs[6], QByteArray("/dati"));
        QCOMPARE(m.gprs[9], QByteArray("1"));

        banco->sim().withModel([](LoggerModel& lm) { lm.gprs[7] = "2121"; });
        for (QLineEdit* c : gprs)
            c->clear();
        ui->LeggiGPRS->click();
        QCOMPARE(testi(gprs), (QStringList{"utente", "pw", "apn.example.it", "", "ftp.example.it",
                                           "segreta", "/dati", "2121", "60", "1"}));
    }
};

QTEST_MAIN(TestSensoriAllarmiE2E)
#include "test_sensori_allarmi_e2e.moc"
