#include "PaginaConfig.h"
#include "config/Allarmi_An.h"
#include "config/FinestreSensori.h"
#include "download/ProprietaSensori.h"
#include "startup/ui_Form1.h" // seen by AUTOUIC here, not inside PaginaConfig.h

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The alarm window on the fake port: the channels asked for, trimmed
// thresholds, the personal SMS's exact bytes, colours, and commas refused.
class TestAllarmiAn : public QObject
{
    Q_OBJECT

    std::unique_ptr<PaginaConfig> pagina;
    ProprietaSensori proprieta;
    std::unique_ptr<FinestreSensori> finestre;

    Allarmi_An& apri()
    {
        finestre->Leggi_Allarmi();
        return *finestre->allarmi();
    }

    static QList<QLineEdit*> tutteLeRighe(const Allarmi_An& a)
    {
        QList<QLineEdit*> caselle;
        for (int p = 0; p < 16; ++p)
            caselle << a.AllarmeAttivo[p] << a.CA[p] << a.CB[p];
        return caselle;
    }

    static bool tutteDaLeggere(const QList<QLineEdit*>& caselle)
    {
        for (const QLineEdit* c : caselle)
            if (PaginaConfig::colore(c) != FieldColours::ToRead)
                return false;
        return true;
    }

private slots:
    void init()
    {
        pagina = std::make_unique<PaginaConfig>();
        finestre = std::make_unique<FinestreSensori>(pagina->ui, &pagina->finestra, pagina->link,
                                                     pagina->dialogs, proprieta);
    }

    void cleanup()
    {
        finestre.reset();
        pagina.reset();
    }

    void readAsksForTheChannelsInUse_data()
    {
        QTest::addColumn<QString>("conta");
        QTest::addColumn<QByteArray>("atteso");
        QTest::newRow("MUX2 holds 2") << "2" << QByteArray("J 32,J 33,");
        QTest::newRow("MUX2 holds 0") << "0" << QByteArray();
        QTest::newRow("MUX2 holds letters") << "due" << QByteArray();
    }

    void readAsksForTheChannelsInUse()
    {
        QFETCH(QString, conta);
        QFETCH(QByteArray, atteso);
        pagina->ui.MUX_2->setText(conta);
        Allarmi_An& a = apri();
        a.CA[7]->setText("99");
        for (QLineEdit* c : tutteLeRighe(a))
            FieldColours::setColour(c, FieldColours::Edited);
        pagina->port.replyTo("J 32,", " 1 , 12.5 ,  -3 ,");
        pagina->port.replyTo("J 33,", "0,100,0,");

        a.Leggi_all(2);

        QCOMPARE(pagina->scritto(), atteso);
        const int n = int(atteso.count('J'));
        if (n > 0) {
            QCOMPARE(a.AllarmeAttivo[0]->text(), QStringLiteral(" 1 ")); // as received
            QCOMPARE(a.CA[0]->text(), QStringLiteral("12.5"));
            QCOMPARE(a.CB[0]->text(), QStringLiteral("-3"));
            QCOMPARE(a.CA[1]->text(), QStringLiteral("100"));
        }
        for (int p = n; p < 16; ++p)
            QCOMPARE(a.AllarmeAttivo[p]->text(), QStringLiteral("Non Attivo"));
        QCOMPARE(a.CA[7]->text(), QStringLiteral("99"));
        // All sixteen rows, read or not, back to the to-read colour.
        QVERIFY(tutteDaLeggere(tutteLeRighe(a)));
        for (int m = 0; m < 4; ++m)
            QVERIFY(a.Leggi_all_[m]->isEnabled() && a.ScriviAll_[m]->isEnabled());
    }

    void writeSendsTrimmedThresholdsAndReadsBack()
    {
        pagina->ui.MUX_1->setText("2");
        Allarmi_An& a = apri();
        a.AllarmeAttivo[0]->setText("ABCDEFGHIJ"); // ten characters, as typed
        a.CA[0]->setText("  15.5 ");
        a.CB[0]->setText(" -2");
        a.AllarmeAttivo[1]->setText("0");
        a.CA[1]->setText("");
        a.CB[1]->setText("0");
        pagina->port.replyTo("J 16,", "ABCDEFGHIJ,15.5,-2,");

        a.ScriviAll(1);

        QCOMPARE(pagina->scritto(), QByteArray("j 16,ABCDEFGHIJ,15.5,-2,j 17,0,,0,J 16,J 17,"));
        QCOMPARE(a.CA[0]->text(), QStringLiteral("15.5"));
        QCOMPARE(pagina->clock.pauses().count(0.1), 1 + 2); // before the read-back, per channel
    }

    void commaInAnAlarmFieldIsRefused()
    {
        pagina->ui.MUX_0->setText("1");
        Allarmi_An& a = apri();
        a.AllarmeAttivo[0]->setText("1");
        a.CA[0]->setText("12,5");
        a.CB[0]->setText("0");

        a.ScriviAll(0);

        QCOMPARE(pagina->scritto(), QByteArray());
        QCOMPARE(pagina->dialogs.boxes().size(), 1);
        QVERIFY(pagina->dialogs.boxes()[0].text.contains("\"Allarme Up\" della riga 0"));
    }

    void smsWriteSendsEachLineInPlaceOfACommand()
    {
        Allarmi_An& a = apri();
        const QString venticinque = QStringLiteral("FRANA IN ATTO SUL VERSANT");
        QCOMPARE(venticinque.size(), 25);
        const QStringList righe{" Cantiere Nord ", "", venticinque, "perr\u00f2", "fine"};
        for (int i = 0; i < 5; ++i) {
            a.SMS_PERSONALIZZATO[i]->setText(righe[i]);
            FieldColours::setColour(a.SMS_PERSONALIZZATO[i], FieldColours::Edited);
        }
        // The first "X" answers once the lines are stored; its reply is taken
        // off the line before the read-back's "X", whose reply is shown.
        pagina->port.replyTo("X", "PRIMA,RISPOSTA,,,,");
        pagina->port.replyTo("X", "Cantiere Nord,,RIGA3,RIGA4,fine,");

        a.MESSAGGIO_PERSONALE_SCRIVI();

        QList<QByteArray> scritture;
        for (const FakeSerialPort::Write& w : pagina->port.writes())
            if (!w.bytes.isEmpty())
                scritture << w.bytes;
        const QList<QByteArray> attese{"x",
                                       " Cantiere Nord ",
                                       ",", // not trimmed
                                       ",", // an empty line: the comma alone
                                       venticinque.toLatin1(),
                                       ",",
                                       QString("perr\u00f2").toLatin1(),
                                       ",",
                                       "fine",
                                       ",",
                                       "X",
                                       "X"};
        QCOMPARE(scritture, attese);
        const QStringList lette{a.SMS_PERSONALIZZATO[0]->text(), a.SMS_PERSONALIZZATO[1]->text(),
                                a.SMS_PERSONALIZZATO[2]->text(), a.SMS_PERSONALIZZATO[3]->text(),
                                a.SMS_PERSONALIZZATO[4]->text()};
        QCOMPARE(lette, (QStringList{"Cantiere Nord", "", "RIGA3", "RIGA4", "fine"}));
        QVERIFY(tutteDaLeggere(
            QList<QLineEdit*>(a.SMS_PERSONALIZZATO.begin(), a.SMS_PERSONALIZZATO.end())));
    }

    void commaInAnSmsLineIsRefused()
    {
        Allarmi_An& a = apri();
        for (QLineEdit* r : a.SMS_PERSONALIZZATO)
            r->setText("ok");
        a.SMS_PERSONALIZZATO[2]->setText("frana, evacuare");

        a.MESSAGGIO_PERSONALE_SCRIVI();

        QCOMPARE(pagina->scritto(), QByteArray());
        QCOMPARE(pagina->dialogs.boxes().size(), 1);
        QVERIFY2(pagina->dialogs.boxes()[0].text.contains("SMS PERSONALIZZATO della riga 3"),
                 qPrintable(pagina->dialogs.boxes()[0].text));
    }

    void typingMarksABoxEdited_data()
    {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<bool>("rossa");
        QTest::newRow("a letter") << int(Qt::Key_A) << true;
        QTest::newRow("a digit") << int(Qt::Key_5) << true;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << true;
        QTest::newRow("arrow") << int(Qt::Key_Left) << false;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << false;
        QTest::newRow("Shift alone") << int(Qt::Key_Shift) << false;
    }

    void typingMarksABoxEdited()
    {
        QFETCH(int, tasto);
        QFETCH(bool, rossa);
        Allarmi_An& a = apri();
        for (QLineEdit* c : {a.AllarmeAttivo[0], a.CA[15], a.CB[3], a.SMS_PERSONALIZZATO[4]}) {
            QTest::keyClick(c, Qt::Key(tasto));
            QCOMPARE(PaginaConfig::colore(c), rossa ? FieldColours::Edited : FieldColours::ToRead);
        }
    }
};

QTEST_MAIN(TestAllarmiAn)
#include "test_allarmi_an.moc"
