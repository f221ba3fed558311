#include "FakeLink.h"
#include "common/FieldColours.h"
#include "startup/AdattamentiForm1.h"
#include "startup/ConnectionSteps.h"
#include "startup/Form2.h"
#include "startup/ui_Form1.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The main window as the sequence sees it: records every step with the
// status line it found, and can act inside a step.
class RecordingSteps : public ConnectionSteps
{
public:
    RecordingSteps() { ui.setupUi(&window); }

    QMainWindow window;
    Ui::Form1 ui;
    QLabel* status = nullptr;
    QStringList calls;
    std::function<void(const QString&)> during;
    QString identifier = QStringLiteral("LOGGER01");

    void leggicanali() override { step("leggicanali"); }
    void leggidata() override { step("leggidata"); }
    void LeggiDataAllarme() override { step("LeggiDataAllarme"); }
    void Command2() override { step("Command2"); }
    void preacc() override { step("preacc"); }
    void Status() override { step("Status"); }
    void Aggiorna_acq() override { step("Aggiorna_acq"); }
    void LEGGI_GSM() override { step("LEGGI_GSM"); }
    void LeggiGPRS() override { step("LeggiGPRS"); }
    void leggi_nome() override
    {
        ui.Nome_Centralina->setText(identifier);
        step("leggi_nome");
    }
    Ui::Form1& finestra() override { return ui; }
    void mostraFinestra() override { calls << "mostraFinestra"; }

private:
    void step(const QString& name)
    {
        calls << name + " | " + (status ? status->text() : QString());
        if (during)
            during(name);
    }
};

} // namespace

// The connection dialog: settings file, probe, the retrieval sequence with
// its status texts, the model-0 layout and the proposed data-file name.
class TestForm2 : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeLink> f;
    std::unique_ptr<RecordingSteps> steps;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<Form2> form;

    QString iniPath() const { return folder->filePath("tl517.ini"); }

    void writeIni(const QByteArray& bytes)
    {
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readIni() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    void createForm(const QString& where = QString())
    {
        form = std::make_unique<Form2>(f->link, f->dialogs, *steps,
                                       where.isEmpty() ? folder->path() : where);
        form->impostaOggi([] { return QDate(2025, 12, 9); });
        steps->status = form->ui.Label2;
    }

    // A logger that answers the probe and the three reads of the dialog.
    void scriptLogger(const QByteArray& model = "1,", const QByteArray& counter = "1,",
                      const QByteArray& acquisition = "1,")
    {
        f->port.replyTo("V", "OK");
        if (!model.isEmpty())
            f->port.replyTo("D,", model);
        f->port.replyTo("U", counter);
        f->port.replyTo("O", acquisition);
    }

    QString status() const { return form->ui.Label2->text(); }

private slots:
    void init()
    {
        // The dialog itself probes and opens the port.
        f = std::make_unique<FakeLink>(FakeLink::Porta::MaiAperta);
        steps = std::make_unique<RecordingSteps>();
        folder = std::make_unique<QTemporaryDir>();
    }

    void cleanup() { form.reset(); }

    void firstStartCreatesTheSettingsFile()
    {
        createForm();
        QCOMPARE(readIni(), QByteArray());
        QCOMPARE(status(), QStringLiteral("Select a RS232"));
        for (QRadioButton* option : form->Option1)
            QVERIFY(!option->isChecked());
        QVERIFY(!f->link.PortaAperta);
        QVERIFY(f->dialogs.boxes().isEmpty());
    }

    void savedPort_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("selected"); // 0: none
        QTest::addColumn<QString>("statusLine");
        const QString design = "Selezionare la seriale, connettere il cavo e premere Connessione";
        QTest::newRow("port 3") << QByteArray(" 3 \r\n") << 3 << design;
        QTest::newRow("port 6: none, design text") << QByteArray(" 6 \r\n") << 0 << design;
        QTest::newRow("last number wins") << QByteArray("2, 4\r\n") << 4 << design;
        QTest::newRow("zero") << QByteArray(" 0 \r\n") << 0 << "Select a RS232";
        QTest::newRow("empty file") << QByteArray() << 0 << "Select a RS232";
        QTest::newRow("out of range") << QByteArray("99999\r\n") << 0 << design;
    }

    void savedPort()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, selected);
        QFETCH(QString, statusLine);
        writeIni(file);
        createForm();
        for (int i = 0; i < 8; ++i)
            QCOMPARE(form->Option1[i]->isChecked(), i + 1 == selected);
        QCOMPARE(status(), statusLine);
    }

    void noPortSelectedSendsNothing()
    {
        writeIni(" 6 \r\n");
        createForm();
        form->Command1();
        QCOMPARE(status(), QStringLiteral("No selected channel!"));
        QVERIFY(f->port.writes().isEmpty());
        QCOMPARE(f->port.openCount(), 0);
        QCOMPARE(readIni(), QByteArray(" 6 \r\n"));
    }

    void optionTooltipsNameTheDevices()
    {
        createForm();
#ifndef Q_OS_WIN
        QCOMPARE(form->Option1[0]->toolTip(), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(form->Option1[7]->toolTip(), QStringLiteral("/dev/ttyS7"));
#endif
    }

    void notFoundClosesThePortAndWaits()
    {
        createForm();
        form->Option1[2]->setChecked(true);
        form->Command1();
        QCOMPARE(status(), QStringLiteral("Datalogger non trovato, controllare la connessione"));
        QCOMPARE(readIni(), QByteArray(" 3 \r\n"));
        QCOMPARE(f->port.written(), QByteArray("V"));
        QCOMPARE(f->port.commPort(), 3);
        QVERIFY(!f->port.isOpen());
        QVERIFY(steps->calls.isEmpty());
        QVERIFY(form->ui.Command1->isEnabled());
        QVERIFY(!form->occupato());
    }

    void sequenceRunsTheStepsInOrder_data()
    {
        QTest::addColumn<bool>("gsm");
        QTest::newRow("GSM version") << true;
        QTest::newRow("without GSM") << false;
    }

    void sequenceRunsTheStepsInOrder()
    {
        QFETCH(bool, gsm);
        scriptLogger();
        createForm();
        form->ui.GSM->setChecked(gsm);
        form->Option1[2]->setChecked(true);
        form->show();

        form->Command1();

        QStringList expected{"leggicanali | Recupero dei parametri interni",
                             "leggidata | Informazione sensori: OK",
                             "LeggiDataAllarme | Data/Ora interna: OK",
                             "Command2 | Data Allarme: OK",
                             "preacc | Timer: OK",
                             "Status | Preaccensione: OK",
                             "Aggiorna_acq | Parametri interni: OK"};
        if (gsm)
            expected << "LEGGI_GSM | Memoria: OK"
                     << "LeggiGPRS | GSM/SMS: OK"
                     << "leggi_nome | GPRS: OK";
        else
            expected << "leggi_nome | Memoria: OK";
        expected << "mostraFinestra";
        QCOMPARE(steps->calls, expected);
        QCOMPARE(status(), QStringLiteral("Stato Acquisizione: OK"));
        QCOMPARE(f->port.written(), QByteArray("VD,UO"));
        QCOMPARE(readIni(), QByteArray(" 3 \r\n"));
        QCOMPARE(f->link.VersioneGSM, gsm);

        // One pause after the probe, after each step and after U and O.
        const int stepsRun = gsm ? 10 : 8;
        QCOMPARE(f->clock.pauses().count(0.1), 1 + stepsRun + 2);

        Ui::Form1& ui = steps->ui;
        QVERIFY(ui.PLUVIOMETRO->isChecked());
        QVERIFY(ui.data_logging->isChecked());
        QCOMPARE(f->link.ModelloDatalogger, 1);
        QCOMPARE(ui.Nome_File_Dati->text(), QStringLiteral("LOGGER01_09_12_25_VW.txt"));
        QCOMPARE(FieldColours::colourOf(ui.Nome_File_Dati), FieldColours::Confirmed);
        QVERIFY(form->isHidden());
        QVERIFY(!form->isEnabled());
        QVERIFY(f->port.isOpen());
    }

    void modelAdaptations_data()
    {
        QTest::addColumn<QByteArray>("reply"); // empty: the logger stays silent
        QTest::addColumn<int>("model");
        QTest::newRow("0: analog") << QByteArray("0,") << 0;
        QTest::newRow("time-out counts as 0") << QByteArray() << 0;
        QTest::newRow("not a number counts as 0") << QByteArray("xy,") << 0;
        QTest::newRow("1: vibrating wire") << QByteArray("1,") << 1;
        QTest::newRow("1.6 rounds to 2") << QByteArray("1.6,") << 2;
        QTest::newRow("too large for the code") << QByteArray("99999,") << 32767;
    }

    void modelAdaptations()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, model);
        scriptLogger(reply, "0,", "0,");
        createForm();
        form->Option1[0]->setChecked(true);
        form->Command1();

        QCOMPARE(f->link.ModelloDatalogger, model);
        Ui::Form1& ui = steps->ui;
        const bool analog = model == 0;
        QCOMPARE(steps->window.windowTitle(),
                 analog ? QStringLiteral("NVK VK42-VK84 16 BIT DATALOGGER")
                        : QStringLiteral("NVK VK42-VK84"));
        QCOMPARE(ui.Acquisisci_Temp->isHidden(), analog);
        QCOMPARE(ui.Acquisisci->text(),
                 analog ? QStringLiteral("Acquisisci dati Analogici")
                        : QStringLiteral("Acquisisci i dati della Corda Vibrante"));
        QCOMPARE(ui.Frame2->isHidden(), !analog);
        QCOMPARE(ui.TipoF_0->isHidden(), analog);
        QCOMPARE(ui.TipoF_1->isHidden(), analog);
        QVERIFY(!ui.PLUVIOMETRO->isChecked());
        QVERIFY(!ui.data_logging->isChecked());
        QCOMPARE(steps->calls.last(), QStringLiteral("mostraFinestra"));
    }

    void switchRepliesSetTheBox_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<Qt::CheckState>("state");
        QTest::newRow("1") << QByteArray("1,") << Qt::Checked;
        QTest::newRow("0") << QByteArray("0,") << Qt::Unchecked;
        QTest::newRow("2: grey") << QByteArray("2,") << Qt::PartiallyChecked;
        QTest::newRow("7: clear") << QByteArray("7,") << Qt::Unchecked;
        QTest::newRow("%%: clear") << QByteArray("%%,") << Qt::Unchecked;
    }

    void switchRepliesSetTheBox()
    {
        QFETCH(QByteArray, reply);
        QFETCH(Qt::CheckState, state);
        QCheckBox box;
        int presses = 0;
        connect(&box, &QCheckBox::stateChanged, this, [&] { ++presses; });
        AdattamentiForm1::impostaInterruttore(&box, QString::fromLatin1(reply.chopped(1)));
        QCOMPARE(box.checkState(), state);
        QCOMPARE(presses, 0); // setting it from the logger sends nothing back
    }

    void proposedFileName_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("name");
        QTest::newRow("usual") << "LOGGER01" << QDate(2025, 12, 9) << "LOGGER01_09_12_25_VW.txt";
        QTest::newRow("empty identifier") << "" << QDate(2025, 12, 9) << "_09_12_25_VW.txt";
        QTest::newRow("new year's day 2100") << "A" << QDate(2100, 1, 1) << "A_01_01_00_VW.txt";
    }

    void proposedFileName()
    {
        QFETCH(QString, identifier);
        QFETCH(QDate, today);
        QFETCH(QString, name);
        QCOMPARE(AdattamentiForm1::nomeFileProposto(identifier, today), name);
    }

    void nameUsesTheIdentifierAsRead()
    {
        steps->identifier = QString();
        scriptLogger();
        createForm();
        form->Option1[1]->setChecked(true);
        form->Command1();
        QCOMPARE(steps->ui.Nome_File_Dati->text(), QStringLiteral("_09_12_25_VW.txt"));
    }

    void unwritableSettingsAreReportedAndTheConnectionRuns()
    {
        scriptLogger();
        createForm(folder->filePath("no/such/folder"));
        QCOMPARE(f->dialogs.boxes().size(), 1);
        QVERIFY(f->dialogs.boxes()[0].text.contains("tl517.ini"));
        QCOMPARE(status(), QStringLiteral("Select a RS232"));

        form->Option1[3]->setChecked(true);
        form->Command1();
        QCOMPARE(f->dialogs.boxes().size(), 2);
        QVERIFY(f->dialogs.boxes()[1].text.contains("La connessione prosegue"));
        QCOMPARE(steps->calls.last(), QStringLiteral("mostraFinestra"));
    }

    void secondPressDuringTheSequenceIsIgnored()
    {
        scriptLogger();
        createForm();
        form->Option1[0]->setChecked(true);
        steps->during = [this](const QString& name) {
            if (name == "leggidata") {
                QVERIFY(!form->ui.Command1->isEnabled());
                QVERIFY(!form->ui.Command2->isEnabled());
                QVERIFY(!form->Option1[0]->isEnabled());
                form->Command1();
                form->Command2();
            }
        };
        form->Command1();
        QCOMPARE(steps->calls.filter("leggicanali").size(), 1);
        QCOMPARE(f->port.written(), QByteArray("VD,UO"));
        QVERIFY(!f->link.ModoTCP);
    }

    void closingDuringTheSequenceStopsIt()
    {
        scriptLogger();
        createForm();
        form->Option1[0]->setChecked(true);
        form->show();
        QSignalSpy ended(form.get(), &Form2::fineProgramma);
        steps->during = [this](const QString& name) {
            if (name == "preacc")
                form->close();
        };
        form->Command1();
        QCOMPARE(ended.count(), 1);
        QVERIFY(steps->calls.last().startsWith("preacc"));
        QVERIFY(!f->port.isOpen());
        QCOMPARE(f->port.written(), QByteArray("V"));
    }

    void tcpClientErrorsShowNumberAndDescription()
    {
        createForm();
        emit f->tcp.errorOccurred(10061, QStringLiteral("Connection refused"));
        QCOMPARE(f->dialogs.boxes().size(), 1);
        QCOMPARE(f->dialogs.boxes()[0].title, Dialogs::programTitle());
        QCOMPARE(f->dialogs.boxes()[0].text, QStringLiteral("10061 Connection refused"));
        QCOMPARE(f->dialogs.boxes()[0].buttons, Dialogs::Buttons::Ok);
    }

    void resetAsksThenConnects_data()
    {
        QTest::addColumn<Dialogs::Answer>("answer");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("no: straight to the connection") << Dialogs::Answer::No << QByteArray("VV");
        QTest::newRow("yes: z first") << Dialogs::Answer::Yes << QByteArray("Vz,V");
    }

    void resetAsksThenConnects()
    {
        QFETCH(Dialogs::Answer, answer);
        QFETCH(QByteArray, written);
        createForm();
        form->Option1[1]->setChecked(true);
        f->dialogs.answerNext(answer);
        form->Command3();
        QCOMPARE(f->dialogs.boxes().size(), 1);
        const ScriptedDialogs::Box& box = f->dialogs.boxes()[0];
        QCOMPARE(box.title, QStringLiteral("Attenzione"));
        QCOMPARE(box.text, QStringLiteral("Vuoi veramente resettare il datalogger?\r\n"
                                          "Perderai tutti i dati e tutte le impostazioni!"));
        QCOMPARE(box.buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(box.defaultAnswer, Dialogs::Answer::No);
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QCOMPARE(f->port.written(), written);
        QCOMPARE(status(), QStringLiteral("Datalogger non trovato, controllare la connessione"));
    }

    void hiddenButtonsConsiderOnlyTheFirstFourPorts()
    {
        createForm();
        form->Option1[4]->setChecked(true);
        form->Command3();
        QCOMPARE(status(), QStringLiteral("Nessun canale attivo!"));
        form->No_conn();
        QCOMPARE(status(), QStringLiteral("No selected channel!"));
        QVERIFY(f->port.writes().isEmpty());
    }

    void stepByStepConnectionReadsNothing()
    {
        f->port.replyTo("V", "OK");
        createForm();
        form->Option1[3]->setChecked(true);
        form->No_conn();
        QCOMPARE(status(), QStringLiteral(" Vantrix Found"));
        QCOMPARE(steps->calls, QStringList{"mostraFinestra"});
        QCOMPARE(readIni(), QByteArray(" 4 \r\n"));
        QVERIFY(steps->ui.Nome_File_Dati->text().isEmpty());
        QVERIFY(form->isHidden());
    }

    void remoteAccessPlaceholderBringsTheDialogBack()
    {
        createForm();
        form->show();
        form->Command2();
        QVERIFY(!f->link.ModoTCP);
        QVERIFY(f->link.PortaAperta);
        QWidget* placeholder = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == "GSM CONNECTION" && w->isVisible())
                placeholder = w;
        QVERIFY(placeholder);
        form->hide();
        placeholder->close();
        QVERIFY(form->isVisible());
    }
};

QTEST_MAIN(TestForm2)
#include "test_form2.moc"
