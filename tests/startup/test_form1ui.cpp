#include "common/FieldColours.h"
#include "startup/ui_Form1.h"

#include <QtTest>

// The main window's layout as the operation classes rely on it: names,
// widget types, captions, input limits, hidden controls and design colours.
class TestForm1Ui : public QObject
{
    Q_OBJECT

    QMainWindow window;
    Ui::Form1 ui;

    template <typename T> T* find(const QString& name) { return window.findChild<T*>(name); }

private slots:
    void initTestCase() { ui.setupUi(&window); }

    void pagesInOrderWithDataPageCurrent()
    {
        const QStringList captions{"DATA-MODALITA'",
                                   "TIMERS",
                                   "GESTIONE CANALI",
                                   "DATI GENERALI",
                                   "ACQUISIZIONE DEI DATI",
                                   "LETTURA CONTINUA",
                                   "GPRS",
                                   "ALLARMI"};
        QCOMPARE(ui.SSTab1->count(), captions.size());
        for (int i = 0; i < captions.size(); ++i)
            QCOMPARE(ui.SSTab1->tabText(i), captions[i]);
        QCOMPARE(ui.SSTab1->currentIndex(), 4);
        QCOMPARE(window.windowTitle(), QStringLiteral("NVK VK42-VK84"));
    }

    void menuActions()
    {
        const QList<QPair<QAction*, QString>> actions{{ui.PROVA_IN_SITO, "PROVA IN SITO"},
                                                      {ui.HLP_1, "HELP-?"},
                                                      {ui.INFORMAZIONI, "INFO"},
                                                      {ui.RIPRISTINA_DA_ERRORI, "RESTORE "}};
        const QList<QAction*> onBar = window.menuBar()->actions();
        QCOMPARE(onBar.size(), actions.size());
        for (int i = 0; i < actions.size(); ++i) {
            QCOMPARE(onBar[i], actions[i].first);
            QCOMPARE(actions[i].first->text(), actions[i].second);
        }
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("hidden");
        auto row = [](const char* name, const char* type, const QString& caption, int page,
                      bool hidden = false) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromLatin1(type) << caption
                                << page << hidden;
        };
        row("leggidata", "QPushButton", "Leggi la Data Attuale", 0);
        row("impostadata", "QPushButton", "Scrivi la Data Attuale", 0);
        row("LeggiDataAllarme", "QPushButton", "Leggi la Data Start", 0);
        row("ScriviDataAllarme", "QPushButton", "Scrivi la Data Start", 0);
        row("Subito", "QPushButton", "Esegui Subito La Misura", 0);
        row("data_logging", "QCheckBox", "Datalogger Abilitato per Acquisizione", 0);
        row("ReadSt", "QPushButton", "Leggi il parametro", 0);
        row("Immediata", "QCheckBox", "Immediate Conversion", 0, true);
        row("Frame1", "QGroupBox", "Tempo di Acquisizione", 1);
        row("Command2", "QPushButton", "Leggi i tempi di acquisizione", 1);
        row("Command1", "QPushButton", "Scrivi i tempi di acquisizione", 1);
        row("Frame2", "QGroupBox", "Preaccensione Strumenti", 1, true);
        row("preacc", "QPushButton", "Leggi Preaccensione", 1, true);
        row("impostapreacc", "QPushButton", "Scrivi Preaccensione", 1, true);
        row("PLUVIOMETRO", "QCheckBox",
            "Abilitazione del contatore di eventi (Ingresso Pluviometro) ", 2);
        row("leggicanali", "QPushButton", "Leggi il numero dei canali", 2);
        row("Scrivicanali", "QPushButton", "Scrivi il numero dei canali", 2);
        row("Resetta", "QPushButton", "Resetta totalmente il Datalogger", 2);
        row("Azzera_memoria", "QPushButton", "Cancella la memoria Dati", 2);
        row("Leggi_poprietà", "QPushButton", QString::fromUtf8("Accedi alle proprietà dei sensori"),
            2);
        row("leggi_nome", "QPushButton", "Leggi Identificativo", 3);
        row("imposta_nome", "QPushButton", "Scrivi Identificativo", 3);
        row("Frame4", "QGroupBox", "Stato Memoria", 3);
        row("Label5", "QLabel", "Possibili             Disponibili", 3);
        row("Aggiorna_acq", "QPushButton", "Stato Memoria", 3);
        row("cmdWebLeggi", "QPushButton", "Leggi il parametro", 3, true);
        row("Acquisisci", "QPushButton", "Acquisisci i dati della Corda Vibrante", 4);
        row("Acquisisci_Temp", "QPushButton", "Acquisisci le Temperature", 4);
        row("TipoF_0", "QRadioButton", "Scarica in Frequenza", 4);
        row("TipoF_1", "QRadioButton", "Scarica in Digits", 4);
        row("Registrazione_file", "QGroupBox", "FILE", 4);
        row("cmdScaricaRimanenti", "QPushButton", "Scarica nuovi dati", 4, true);
        row("Grafico", "QPushButton", "Grafici", 4, true);
        row("Backup", "QPushButton", "Backup", 4, true);
        row("CONTAIMP", "QPushButton", "Command3", 4, true);
        row("Text2", "QLineEdit", "", 4, true);
        row("MISCONTINUA_0", "QPushButton", "Leggi Mux 0", 5);
        row("MISCONTINUA_3", "QPushButton", "Leggi Mux 3", 5);
        row("MISCONTINUA_TEMP_0", "QPushButton", "Leggi Mux 0 Temp", 5);
        row("MISCONTINUA_TEMP_3", "QPushButton", "Leggi Mux 3 Temp", 5);
        row("LABCANALI_0", "QLabel", "CH0", 5);
        row("LABCANALI_15", "QLabel", "CH0", 5);
        row("cmdApriMisuraContinua_0", "QPushButton", "Leggi Mux 0 e salva su file", 5);
        row("registradasolo", "QPushButton", "Registra stand alone", 5, true);
        row("Status", "QPushButton", "Parametri Interni", 5);
        row("parameters_1", "QLineEdit", "", 5, true);
        row("LeggiGPRS", "QPushButton", "Leggi Parametri GPRS", 6);
        row("ScriviGPRS", "QPushButton", "Scrivi Parametri GPRS", 6);
        row("GPRSLABEL_9", "QLabel", "INVIA SEMPRE TUTTO", 6);
        row("LEGGI_GSM", "QPushButton", "Leggi", 7);
        row("SCRIVI_GSM", "QPushButton", "Scrivi", 7);
        row("Abilita_SMS", "QCheckBox", "Abilita Allarme SMS", 7);
        row("Abilita_Telefono", "QCheckBox", "Abilita Allarme TELEFONO", 7);
        row("Leggi_Allarmi", "QPushButton",
            QString::fromUtf8("Accedi alle proprietà di allarme dei sensori"), 7);
        row("mmpioggialeggi", "QPushButton", "Leggi Impulsi", 7);
        row("mmpioggiatastoscrivi", "QPushButton", "Scrivi impulsi", 7);
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, caption);
        QFETCH(int, page);
        QFETCH(bool, hidden);
        QWidget* w = find<QWidget>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(QString::fromLatin1(w->metaObject()->className()), type);
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            text = b->text();
        else if (auto* l = qobject_cast<QLabel*>(w))
            text = l->text();
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            text = g->title();
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            text = e->text();
        QCOMPARE(text, caption);
        QVERIFY(ui.SSTab1->widget(page)->isAncestorOf(w));
        // Hidden by itself or by its frame.
        QCOMPARE(!w->isVisibleTo(ui.SSTab1->widget(page)), hidden);
    }

    void inputLimits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("limit");
        const int date[] = {3, 3, 4, 3, 3};
        for (int i = 0; i < 5; ++i) {
            QTest::addRow("data_%d", i) << QString("data_%1").arg(i) << date[i];
            QTest::addRow("data_allarme_%d", i) << QString("data_allarme_%1").arg(i) << date[i];
        }
        for (int i = 0; i < 3; ++i)
            QTest::addRow("conversione_%d", i) << QString("conversione_%1").arg(i) << 3;
        QTest::newRow("preaccensione") << "preaccensione" << 5;
        QTest::newRow("Nome_Centralina") << "Nome_Centralina" << 10;
        const int gprs[] = {14, 16, 29, 29, 20, 20, 29, 8, 8, 8};
        for (int i = 0; i < 10; ++i) {
            QTest::addRow("GPRS_%d", i) << QString("GPRS_%1").arg(i) << gprs[i];
            QTest::addRow("NUMERO_ALLARME_SMS_%d", i)
                << QString("NUMERO_ALLARME_SMS_%1").arg(i) << 14;
        }
        QTest::newRow("NUMERO_ALLARMI_SMS") << "NUMERO_ALLARMI_SMS" << 14;
        QTest::newRow("NUMERO_ALLARME_TELEFONO") << "NUMERO_ALLARME_TELEFONO" << 14;
        QTest::newRow("mmpioggia") << "mmpioggia" << 14;
        for (int i = 0; i < 4; ++i)
            QTest::addRow("MUX_%d", i) << QString("MUX_%1").arg(i) << 32767;
    }

    void inputLimits()
    {
        QFETCH(QString, name);
        QFETCH(int, limit);
        auto* box = find<QLineEdit>(name);
        QVERIFY2(box, qPrintable(name));
        QCOMPARE(box->maxLength(), limit);
    }

    void designColours()
    {
        for (int i = 0; i < 4; ++i) {
            QLineEdit* mux = find<QLineEdit>(QString("MUX_%1").arg(i));
            QCOMPARE(FieldColours::designColour(mux), FieldColours::fromBgr(0x00C0FFFF));
            QCOMPARE(FieldColours::colourOf(mux), FieldColours::ToRead);
        }
        for (QLineEdit* box : {ui.data_0, ui.data_allarme_4, ui.Nome_Centralina, ui.conversione_2,
                               ui.continua_15, ui.GPRS_9, ui.Nome_File_Dati, ui.Text1})
            QCOMPARE(FieldColours::colourOf(box), FieldColours::ToRead);
        QVERIFY(ui.TipoF_0->isChecked());
        QVERIFY(ui.Immediata->isChecked());
        QVERIFY(!ui.Immediata->isEnabled());
        QVERIFY(ui.Text1->isReadOnly());
    }

    // Boxes without a label of their own are named for assistive technology.
    void everyBoxHasAName()
    {
        QSet<QWidget*> labelled;
        for (QLabel* label : window.findChildren<QLabel*>())
            if (label->buddy())
                labelled.insert(label->buddy());
        for (QLineEdit* box : window.findChildren<QLineEdit*>())
            QVERIFY2(labelled.contains(box) || !box->accessibleName().isEmpty(),
                     qPrintable(box->objectName()));
    }
};

QTEST_MAIN(TestForm1Ui)
#include "test_form1ui.moc"
