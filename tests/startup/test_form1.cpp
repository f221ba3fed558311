#include "FakeLink.h"
#include "about/About.h"
#include "startup/Form1.h"
#include "startup/ProvaInSito.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The main window frame: lock list, menus and the exit sequence with its log.
class TestForm1 : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeLink> f;
    std::unique_ptr<Form1> form;
    std::unique_ptr<QTemporaryDir> folder;

    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private slots:
    void init()
    {
        f = std::make_unique<FakeLink>();
        QVERIFY(f->port.isOpen());
        form = std::make_unique<Form1>(f->link, f->dialogs);
        folder = std::make_unique<QTemporaryDir>();
        form->ui.Dir1->setText(QDir::toNativeSeparators(folder->path()));
    }

    void cleanup()
    {
        form.reset(); // before the link it registered its controls with
    }

    void lockListHoldsTheDeviceControls()
    {
        const QStringList expected{"leggi_nome",
                                   "imposta_nome",
                                   "Aggiorna_acq",
                                   "Acquisisci",
                                   "Acquisisci_Temp",
                                   "MISCONTINUA_0",
                                   "MISCONTINUA_1",
                                   "MISCONTINUA_2",
                                   "MISCONTINUA_3",
                                   "MISCONTINUA_TEMP_0",
                                   "MISCONTINUA_TEMP_1",
                                   "MISCONTINUA_TEMP_2",
                                   "MISCONTINUA_TEMP_3",
                                   "Status",
                                   "leggidata",
                                   "impostadata",
                                   "ReadSt",
                                   "Command1",
                                   "Command2",
                                   "impostapreacc",
                                   "preacc",
                                   "Scrivicanali",
                                   "leggicanali",
                                   QString::fromUtf8("Leggi_poprietà"),
                                   "Azzera_memoria",
                                   "Resetta",
                                   "Leggi_Allarmi",
                                   "LEGGI_GSM",
                                   "SCRIVI_GSM",
                                   "Abilita_SMS",
                                   "Abilita_Telefono",
                                   "LeggiGPRS",
                                   "cmdWebLeggi"};
        QStringList names;
        for (QWidget* w : form->comandiBloccati())
            names << w->objectName();
        QCOMPARE(names, expected);
    }

    void restoreEnablesEveryLockedControlAndDropsInput()
    {
        f->link.Disabilita_Comandi();
        for (QWidget* w : form->comandiBloccati())
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(form->ui.ScriviGPRS->isEnabled()); // not in the list
        f->port.feed("stale,");

        form->ui.RIPRISTINA_DA_ERRORI->trigger();

        for (QWidget* w : form->comandiBloccati())
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        QCOMPARE(f->port.bytesPending(), 0);
        QVERIFY(f->port.written().isEmpty());
    }

    void onSiteTestSendsJThenShowsItsWindow()
    {
        form->ui.PROVA_IN_SITO->trigger();
        QCOMPARE(f->port.written(), QByteArray("J"));
        QVERIFY(f->clock.pauses().contains(0.2));
        auto* window = form->findChild<ProvaInSito*>();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(window->isEnabled());
    }

    void infoShowsOneModelessAboutBox()
    {
        form->ui.INFORMAZIONI->trigger();
        form->ui.INFORMAZIONI->trigger();
        const QList<About*> boxes = form->findChildren<About*>();
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0]->isVisible());
        QVERIFY(!boxes[0]->isModal());
    }

    // A step of the connection runs the page's operation even when the lock
    // left its button disabled.
    void connectionStepRunsTheOperation()
    {
        for (int m = 0; m < 4; ++m)
            f->port.replyTo(QByteArray("H ") + QByteArray::number(m) + ",", "16,");
        form->ui.leggicanali->setEnabled(false);
        static_cast<ConnectionSteps&>(*form).leggicanali();
        QCOMPARE(f->port.written(), QByteArray("H 0,H 1,H 2,H 3,"));
        QCOMPARE(form->ui.MUX_3->text(), QString("16"));
    }

    // The page operations are wired to their buttons.
    void buttonsRunTheirOperations()
    {
        f->port.replyTo("Q", "CANTIERE1,");
        form->ui.leggi_nome->click();
        QCOMPARE(f->port.written(), QByteArray("Q"));
        QCOMPARE(form->ui.Nome_Centralina->text(), QString("CANTIERE1"));
    }

    void exitSendsStopOnlyWhenAcquisitionEnabled_data()
    {
        QTest::addColumn<bool>("acquisition");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("disabled: nothing sent") << false << QByteArray();
        QTest::newRow("enabled: d and five zeros") << true << QByteArray("d0,0,0,0,0,");
    }

    void exitSendsStopOnlyWhenAcquisitionEnabled()
    {
        QFETCH(bool, acquisition);
        QFETCH(QByteArray, sent);
        form->ui.data_logging->setChecked(acquisition);
        form->ui.Nome_File_Dati->setText("LOGGER01_09_12_25_VW.txt");
        QSignalSpy ended(form.get(), &Form1::fineProgramma);

        form->close();

        QCOMPARE(f->port.written(), sent);
        QVERIFY(f->clock.pauses().first() > 1.0 - 1e-9); // the second before anything else
        // "d" alone, then the parameter characters, a pause of more than 10 ms
        // after each.
        const auto& writes = f->port.writes();
        if (!writes.isEmpty()) {
            QCOMPARE(writes.size(), 11);
            QCOMPARE(writes[0].bytes, QByteArray("d"));
            for (int i = 2; i < writes.size(); ++i)
                QVERIFY(writes[i].time - writes[i - 1].time > 0.010);
        }
        QVERIFY(!f->port.isOpen());
        QCOMPARE(ended.count(), 1);
        QVERIFY(QFile::exists(folder->filePath("LOGOUT_LOGGER01_09_12_25_VW.txt")));
    }

    void exitLogLines_data()
    {
        QTest::addColumn<QString>("nameBox");
        QTest::addColumn<QString>("logName");
        QTest::addColumn<bool>("filled");
        QTest::newRow("proposed name, filled boxes") << "LOGGER01_09_12_25_VW.txt"
                                                     << "LOGOUT_LOGGER01_09_12_25_VW.txt" << true;
        QTest::newRow("empty boxes give the labels alone") << ""
                                                           << "LOGOUT_" << false;
        QTest::newRow("full path after a download: its file name only")
            << "C:\\DATI\\LOGGER01_09_12_25_SENS.txt"
            << "LOGOUT_LOGGER01_09_12_25_SENS.txt" << true;
        QTest::newRow("full path, forward slashes")
            << "/home/tecnico/dati/LOGGER01_09_12_25_TEMP.txt"
            << "LOGOUT_LOGGER01_09_12_25_TEMP.txt" << true;
    }

    void exitLogLines()
    {
        QFETCH(QString, nameBox);
        QFETCH(QString, logName);
        QFETCH(bool, filled);
        Ui::Form1& ui = form->ui;
        ui.Nome_File_Dati->setText(nameBox);
        if (filled) {
            ui.Nome_Centralina->setText("LOGGER01");
            ui.Acq_possibili->setText("16000");
            ui.acq_disponibili->setText("15990");
            ui.conversione_0->setText("001");
            ui.conversione_1->setText("30");
            ui.conversione_2->setText("0");
            ui.preaccensione->setText("00500");
        }

        form->close();

        const QByteArray expected = filled ? QByteArray("ID VANTRIX: LOGGER01\r\n"
                                                        "PO ACQUISITION: 16000\r\n"
                                                        "AV ACQUISITION: 15990\r\n"
                                                        "ACQ HOURS     : 001\r\n"
                                                        "ACQ MINUTES   : 30\r\n"
                                                        "ACQ SECONDS   : 0\r\n"
                                                        "PRE-HEATING   : 00500\r\n")
                                           : QByteArray("ID VANTRIX: \r\n"
                                                        "PO ACQUISITION: \r\n"
                                                        "AV ACQUISITION: \r\n"
                                                        "ACQ HOURS     : \r\n"
                                                        "ACQ MINUTES   : \r\n"
                                                        "ACQ SECONDS   : \r\n"
                                                        "PRE-HEATING   : \r\n");
        QCOMPARE(readAll(folder->filePath(logName)), expected);
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files).size(), 1);
        QVERIFY(f->dialogs.boxes().isEmpty());
    }

    void unwritableLogIsReportedAndTheProgramStillEnds()
    {
        form->ui.Dir1->setText(folder->filePath("missing/folder"));
        form->ui.Nome_File_Dati->setText("X.txt");
        QSignalSpy ended(form.get(), &Form1::fineProgramma);

        form->close();

        QCOMPARE(f->dialogs.boxes().size(), 1);
        QCOMPARE(f->dialogs.boxes()[0].title, QStringLiteral("Attenzione"));
        QVERIFY(f->dialogs.boxes()[0].text.contains("LOGOUT_X.txt"));
        QCOMPARE(ended.count(), 1);
    }

    void exitRunsOnce()
    {
        QSignalSpy ended(form.get(), &Form1::fineProgramma);
        form->esci();
        form->esci();
        QCOMPARE(ended.count(), 1);
    }
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
