#include "PaginaGsm.h"
#include "startup/ui_Form1.h" // here, where the build looks for the forms used

#include <QCheckBox>
#include <QtTest>

#include <memory>

// The reads of the SMS/telephone and GPRS settings against a scripted
// logger: the commands, where each reply goes, its form and colour.
class TestGsmGprs : public QObject
{
    Q_OBJECT

    std::unique_ptr<PaginaGsm> p;

    static void colora(const QList<QLineEdit*>& c, FieldColours::FieldColour colore)
    {
        for (QLineEdit* box : c)
            FieldColours::setColour(box, colore);
    }

private slots:
    void init() { p = std::make_unique<PaginaGsm>(); }
    void cleanup()
    {
        QVERIFY(p->comandiAbilitati());
        p.reset();
    }

    void gsmRead_data()
    {
        QTest::addColumn<QByteArray>("interruttoreSms");
        QTest::addColumn<QByteArray>("interruttoreTelefono");
        QTest::addColumn<Qt::CheckState>("statoSms");
        QTest::addColumn<Qt::CheckState>("statoTelefono");
        QTest::newRow("SMS on, telephone off")
            << QByteArray("1") << QByteArray(" 0") << Qt::Checked << Qt::Unchecked;
        QTest::newRow("SMS off, telephone on")
            << QByteArray(" 0") << QByteArray("1") << Qt::Unchecked << Qt::Checked;
    }
    void gsmRead()
    {
        QFETCH(QByteArray, interruttoreSms);
        QFETCH(QByteArray, interruttoreTelefono);
        QFETCH(Qt::CheckState, statoSms);
        QFETCH(Qt::CheckState, statoTelefono);
        p->port.replyTo("I", " 3331112222 ,+393334445555,,,,,,,,, 3 ," + interruttoreSms + ",");
        p->port.replyTo("F", "  0456789 ," + interruttoreTelefono + ",");
        const QList<QLineEdit*> tutte =
            p->sms() + QList<QLineEdit*>{p->ui.NUMERO_ALLARMI_SMS, p->ui.NUMERO_ALLARME_TELEFONO};
        colora(tutte, FieldColours::Confirmed);
        p->ui.Abilita_SMS->setCheckState(statoSms == Qt::Checked ? Qt::Unchecked : Qt::Checked);

        p->op.LEGGI_GSM();

        QCOMPARE(p->scritto(), QByteArray("IF"));
        QCOMPARE(p->sms()[0]->text(), QString("3331112222"));
        QCOMPARE(p->sms()[1]->text(), QString("+393334445555"));
        for (int i = 2; i < 10; ++i)
            QCOMPARE(p->sms()[i]->text(), QString());
        QCOMPARE(p->ui.NUMERO_ALLARMI_SMS->text(), QString("3"));
        QCOMPARE(p->ui.NUMERO_ALLARME_TELEFONO->text(), QString("0456789"));
        QCOMPARE(p->ui.Abilita_SMS->checkState(), statoSms);
        QCOMPARE(p->ui.Abilita_Telefono->checkState(), statoTelefono);
        // A read of this page leaves the boxes in the to-read colour.
        for (const QLineEdit* box : tutte)
            QCOMPARE(PaginaConfig::colore(box), FieldColours::ToRead);
    }

    void gsmReadFromSilentLogger()
    {
        p->ui.Abilita_SMS->setChecked(true);
        p->ui.Abilita_Telefono->setChecked(true);
        const double inizio = p->clock.now();

        p->op.LEGGI_GSM();

        QCOMPARE(p->scritto(), QByteArray("IF"));
        QCOMPARE(p->sms()[9]->text(), QString("%%"));
        QCOMPARE(p->ui.NUMERO_ALLARME_TELEFONO->text(), QString("%%"));
        QVERIFY(!p->ui.Abilita_SMS->isChecked());
        QVERIFY(!p->ui.Abilita_Telefono->isChecked());
        // One time-out per command, not one per field.
        QVERIFY(p->clock.now() - inizio < 3 * Modulo1::TimeoutRisposta);
    }

    void gprsReadKeepsRepliesAsReceived()
    {
        p->port.replyTo("K", "user, pw 1 ,web.apn,ftp.example.net,ftpu,ftpp,/dati,21,60,1,");
        colora(p->gprs(), FieldColours::Edited);

        p->op.LeggiGPRS();

        QCOMPARE(p->scritto(), QByteArray("K"));
        const QStringList attesi{"user", " pw 1 ", "web.apn", "ftp.example.net",
                                 "ftpu", "ftpp",   "/dati",   "21",
                                 "60",   "1"};
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(p->gprs()[i]->text(), attesi[i]);
            QCOMPARE(PaginaConfig::colore(p->gprs()[i]), FieldColours::Confirmed);
        }
    }

    void editMarks_data()
    {
        QTest::addColumn<QString>("casella");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<bool>("rosso");
        QTest::newRow("SMS number, digit") << "NUMERO_ALLARME_SMS_4" << int(Qt::Key_5) << true;
        QTest::newRow("SMS number, arrow") << "NUMERO_ALLARME_SMS_4" << int(Qt::Key_Left) << false;
        QTest::newRow("SMS count, Backspace")
            << "NUMERO_ALLARMI_SMS" << int(Qt::Key_Backspace) << true;
        QTest::newRow("GPRS field, letter") << "GPRS_9" << int(Qt::Key_A) << true;
        QTest::newRow("GPRS field, Delete") << "GPRS_0" << int(Qt::Key_Delete) << false;
        QTest::newRow("telephone, arrow") << "NUMERO_ALLARME_TELEFONO" << int(Qt::Key_Left) << true;
        QTest::newRow("telephone, Shift")
            << "NUMERO_ALLARME_TELEFONO" << int(Qt::Key_Shift) << true;
    }
    void editMarks()
    {
        QFETCH(QString, casella);
        QFETCH(int, tasto);
        QFETCH(bool, rosso);
        auto* box = p->finestra.findChild<QLineEdit*>(casella);
        QVERIFY(box);
        FieldColours::setColour(box, FieldColours::Confirmed);
        QTest::keyClick(box, Qt::Key(tasto));
        QCOMPARE(PaginaConfig::colore(box), rosso ? FieldColours::Edited : FieldColours::Confirmed);
    }

    void buttonsRunTheirOperations()
    {
        p->port.replyTo("I", "1,2,3,4,5,6,7,8,9,10,1,1,");
        p->port.replyTo("F", "9,0,");
        p->port.replyTo("K", "a,b,c,d,e,f,g,h,i,j,");
        p->ui.LEGGI_GSM->click();
        p->ui.LeggiGPRS->click();
        QCOMPARE(p->scritto(), QByteArray("IFK"));
        QCOMPARE(p->sms()[9]->text(), QString("10"));
        QCOMPARE(p->gprs()[9]->text(), QString("j"));
    }
};

QTEST_MAIN(TestGsmGprs)
#include "test_gsmgprs.moc"
