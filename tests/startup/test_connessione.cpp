#include "FakeLink.h"
#include "common/FieldColours.h"
#include "startup/Form1.h"
#include "startup/Form2.h"
#include "startup/ui_Form1.h"

#include <QTemporaryDir>
#include <QtTest>

// "Connessione" with the real main window on the fake port: every command of
// the retrieval in order with its parameter form, and what the boxes show.
class TestConnessione : public QObject
{
    Q_OBJECT

    struct Passo
    {
        QByteArray richiesta;
        QByteArray risposta;
    };

    static QList<Passo> retrieval(bool gsm)
    {
        QList<Passo> passi{{"V", "VK"},
                           {"H 0,", "16,"},
                           {"H 1,", "5,"},
                           {"H 2,", "0,"},
                           {"H 3,", "0,"},
                           {"G,", "9,12,2026,14,35,"},
                           {"Y,", "1,1,2027,8,5,0,"},
                           {"C,", "002,030,015,"},
                           {"E,", "00250,"},
                           {"W", "4.98,3.3,12.6,"},
                           {"H0,", "16,"},
                           {"M,", "5000,4990,"}};
        if (gsm)
            passi << Passo{"I", "3331234567,3457654321,,,,,,,,,2,1,"} << Passo{"F", "0301234567,0,"}
                  << Passo{"K", "tim,pw,ibox.tim.it,ftp.example,utente,segreto,/dati,21,60,0,"};
        passi << Passo{"Q", "DIGA04,"} << Passo{"D,", "1,"} << Passo{"U", "0,"} << Passo{"O", "1,"};
        return passi;
    }

private slots:
    void sequenceOnTheWire_data()
    {
        QTest::addColumn<bool>("gsm");
        QTest::newRow("without GSM") << false;
        QTest::newRow("GSM version") << true;
    }

    void sequenceOnTheWire()
    {
        QFETCH(bool, gsm);
        FakeLink f(FakeLink::Porta::MaiAperta);
        QTemporaryDir cartella;
        Form1 form1(f.link, f.dialogs);
        Form2 form2(f.link, f.dialogs, form1, cartella.path());
        form2.impostaOggi([] { return QDate(2026, 12, 9); });
        form2.ui.GSM->setChecked(gsm);
        QByteArray atteso;
        for (const Passo& p : retrieval(gsm)) {
            f.port.replyTo(p.richiesta, p.risposta, 0.05);
            atteso += p.richiesta;
        }
        form2.Option1[0]->setChecked(true);
        form2.Command1();

        QCOMPARE(f.port.written(), atteso);
        QVERIFY(f.dialogs.boxes().isEmpty());
        QCOMPARE(form2.ui.Label2->text(), QString("Stato Acquisizione: OK"));
        QVERIFY(form2.isHidden());

        const Ui::Form1& ui = form1.ui;
        QCOMPARE(ui.MUX_1->text(), QString("5"));
        QCOMPARE(ui.data_4->text(), QString("35"));
        QCOMPARE(FieldColours::colourOf(ui.data_4), FieldColours::Confirmed);
        QCOMPARE(ui.conversione_1->text(), QString("030"));
        QCOMPARE(ui.preaccensione->text(), QString("00250"));
        QCOMPARE(ui.parameters_1->text(), QString("03.30"));
        QCOMPARE(ui.Acq_possibili->text(), QString("5000"));
        QCOMPARE(ui.acq_disponibili->text(), QString("4990"));
        QCOMPARE(ui.Nome_Centralina->text(), QString("DIGA04"));
        QVERIFY(ui.data_logging->isChecked());
        QVERIFY(!ui.PLUVIOMETRO->isChecked());
        QCOMPARE(f.link.ModelloDatalogger, 1);
        QCOMPARE(ui.NUMERO_ALLARME_SMS_1->text(), gsm ? QString("3457654321") : QString());
        QCOMPARE(ui.GPRS_2->text(), gsm ? QString("ibox.tim.it") : QString());
        // The proposed data-file name: identifier and day/month/year.
        QVERIFY2(ui.Nome_File_Dati->text().startsWith("DIGA04_09_12_26"),
                 qPrintable(ui.Nome_File_Dati->text()));
    }
};

QTEST_MAIN(TestConnessione)
#include "test_connessione.moc"
