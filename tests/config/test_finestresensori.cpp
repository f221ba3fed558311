#include "PaginaConfig.h"
#include "config/Allarmi_An.h"
#include "config/FinestreSensori.h"
#include "config/Sensori_An.h"
#include "download/ProprietaSensori.h"
#include "startup/ui_Form1.h" // seen by AUTOUIC here, not inside PaginaConfig.h

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The life of the two per-channel windows: opened from the main window's
// buttons in its place, their captions, limits and fixed texts, and a fresh
// window on every opening; closing one while it talks to the logger.
class TestFinestreSensori : public QObject
{
    Q_OBJECT

    std::unique_ptr<PaginaConfig> pagina;
    ProprietaSensori proprieta;
    std::unique_ptr<FinestreSensori> finestre;

    QPushButton* pulsante(bool sensori) const
    {
        return sensori ? pagina->ui.Leggi_poprietà : pagina->ui.Leggi_Allarmi;
    }
    FinestraCanali* aperta(bool sensori) const
    {
        return sensori ? static_cast<FinestraCanali*>(finestre->sensori())
                       : static_cast<FinestraCanali*>(finestre->allarmi());
    }
    static void eliminaChiuse()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void init()
    {
        pagina = std::make_unique<PaginaConfig>();
        pagina->link.registraComandi({pulsante(true), pulsante(false), pagina->ui.LEGGI_GSM});
        finestre = std::make_unique<FinestreSensori>(pagina->ui, &pagina->finestra, pagina->link,
                                                     pagina->dialogs, proprieta);
        pagina->finestra.show();
    }

    void cleanup()
    {
        finestre.reset();
        pagina.reset();
    }

    void windowTakesTheMainWindowsPlace_data()
    {
        QTest::addColumn<bool>("sensori");
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QStringList>("limiti"); // "prefix=limit" of the boxes
        QTest::newRow("sensor properties")
            << true << "Proprietà dei sensori"
            << QStringList{"NomeCanali=10", "CA=13", "CB=13", "CC=13", "CD=13"};
        QTest::newRow("alarms") << false << "Allarmi dei sensori"
                                << QStringList{"AllarmeAttivo=10", "CA=13", "CB=13",
                                               "SMS_PERSONALIZZATO=25"};
    }

    void windowTakesTheMainWindowsPlace()
    {
        QFETCH(bool, sensori);
        QFETCH(QString, titolo);
        QFETCH(QStringList, limiti);

        pulsante(sensori)->click();

        QPointer<FinestraCanali> finestra = aperta(sensori);
        QVERIFY(finestra);
        QCOMPARE(finestra->windowTitle(), titolo);
        QVERIFY(finestra->isVisible() && finestra->isEnabled());
        QVERIFY(!pagina->finestra.isVisible());
        QVERIFY(pulsante(sensori)->isEnabled()); // locked and released around the opening

        const QList<QLineEdit*> caselle = finestra->findChildren<QLineEdit*>();
        int controllate = 0;
        for (const QString& limite : limiti) {
            const QString prefisso = limite.section('=', 0, 0) + '_';
            const int righe = prefisso.startsWith("SMS") ? 5 : 16;
            int trovate = 0;
            for (const QLineEdit* c : caselle) {
                if (!c->objectName().startsWith(prefisso))
                    continue;
                ++trovate;
                QCOMPARE(c->maxLength(), limite.section('=', 1).toInt());
                QCOMPARE(c->text(), QStringLiteral("Da Leggere"));
                QCOMPARE(PaginaConfig::colore(c), FieldColours::ToRead);
            }
            QCOMPARE(trovate, righe);
            controllate += trovate;
        }
        QCOMPARE(controllate, caselle.size());
        for (int p = 0; p < 16; ++p)
            QCOMPARE(
                finestra->findChild<QLabel*>(QStringLiteral("Numero_Canali_%1").arg(p))->text(),
                QString::number(p));
        for (int m = 0; m < 4; ++m)
            QVERIFY(
                !finestra
                     ->findChild<QPushButton*>(
                         QStringLiteral("%1_%2").arg(sensori ? "Leggi_prop" : "Leggi_all").arg(m))
                     ->text()
                     .compare(QStringLiteral("Leggi MUX%1").arg(m)));

        finestra->close();
        QVERIFY(pagina->finestra.isVisible());
        QVERIFY(!finestra->isVisible());
        eliminaChiuse();
        QVERIFY(!finestra); // discarded
    }

    void sensorWindowStatesItsFixedTexts()
    {
        finestre->Leggi_poprietà();
        QStringList testi;
        for (const QLabel* l : finestre->sensori()->findChildren<QLabel*>())
            testi << l->text();
        QVERIFY(testi.contains(
            "VALUE=((VOLT_OUT-ZERO_VOLT)/(FS_VOLT-ZERO_VOLT))*(FS_PH-ZERO_PH)+ZERO_PH"));
        QVERIFY(testi.contains(
            "Le modifiche sui fondi scala non hanno effetto sui sensori a corda vibrante"));
        for (const char* colonna : {"Nome", "Zero_Volt", "FS_Volt", "Zero_Fisico", "FS_Fisico"})
            QVERIFY2(testi.contains(colonna), colonna);
    }

    void everyOpeningIsAFreshWindow_data()
    {
        QTest::addColumn<bool>("sensori");
        QTest::newRow("sensor properties") << true;
        QTest::newRow("alarms") << false;
    }

    void everyOpeningIsAFreshWindow()
    {
        QFETCH(bool, sensori);
        pulsante(sensori)->click();
        QPointer<FinestraCanali> prima = aperta(sensori);
        prima->findChild<QLineEdit*>("CA_0")->setText("7");
        prima->close();
        eliminaChiuse();

        pulsante(sensori)->click();
        QVERIFY(!prima);
        QCOMPARE(aperta(sensori)->findChild<QLineEdit*>("CA_0")->text(),
                 QStringLiteral("Da Leggere"));
    }

    void closingDuringAReadStopsAfterTheCurrentChannel_data() { everyOpeningIsAFreshWindow_data(); }

    void closingDuringAReadStopsAfterTheCurrentChannel()
    {
        QFETCH(bool, sensori);
        pagina->ui.MUX_0->setText("3");
        pulsante(sensori)->click();
        QPointer<FinestraCanali> finestra = aperta(sensori);
        const int campi = sensori ? 5 : 3;
        pagina->port.replyTo(sensori ? "R 0," : "J 0,", QByteArray(campi, ',').replace(",", "1,"));
        // The user closes the window while the first channel's reply is awaited.
        pagina->clock.scheduleIn(0.001, [&] {
            finestra->close();
            eliminaChiuse(); // the main loop would get to it while we wait
        });

        if (sensori)
            finestre->sensori()->Leggi_prop(0);
        else
            finestre->allarmi()->Leggi_all(0);

        QCOMPARE(pagina->scritto(), QByteArray(sensori ? "R 0," : "J 0,"));
        QVERIFY(pagina->finestra.isVisible());
        QVERIFY(finestra); // still there while its operation ran
        eliminaChiuse();
        QVERIFY(!finestra);
    }
};

QTEST_MAIN(TestFinestreSensori)
#include "test_finestresensori.moc"
