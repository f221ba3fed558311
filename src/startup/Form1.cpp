#include "startup/Form1.h"

#include "about/About.h"
#include "common/Dialogs.h"
#include "common/SettingsFields.h"
#include "config/CanaliMux.h"
#include "config/FinestreSensori.h"
#include "config/GsmGprs.h"
#include "config/IdentitaData.h"
#include "config/ParametriInterni.h"
#include "config/TempiAcquisizione.h"
#include "download/ScaricoDati.h"
#include "download/StatoMemoria.h"
#include "link/Modulo1.h"
#include "live/LetturaContinua.h"
#include "startup/Aiuto.h"
#include "startup/ImmagineProdotto.h"
#include "startup/ProvaInSito.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QScreen>

Form1::Form1(Modulo1& link, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_link(link), m_dialogs(dialogs)
{
    ui.setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // An all-blank text does not survive the .ui file.
    ui.Text1->setText(QStringLiteral(" "));
    ui.Image1->setPixmap(ImmagineProdotto::disegna(QSize(120, 120)));
    ui.Dir1->setText(QDir::toNativeSeparators(QDir::currentPath()));
    // Every page's tab stays in sight: no scrolling tab bar hiding the last ones.
    ui.SSTab1->setUsesScrollButtons(false);

    connect(ui.Dir1_Sfoglia, &QToolButton::clicked, this, &Form1::scegliCartella);
    connect(ui.PROVA_IN_SITO, &QAction::triggered, this, &Form1::PROVA_IN_SITO);
    connect(ui.HLP_1, &QAction::triggered, this, &Form1::HLP);
    connect(ui.INFORMAZIONI, &QAction::triggered, this, &Form1::INFORMAZIONI);
    connect(ui.RIPRISTINA_DA_ERRORI, &QAction::triggered, this, &Form1::RIPRISTINA_DA_ERRORI);

    m_link.registraComandi(comandiBloccati());
    creaOperazioni();

    // Load: fixed size, centred on the screen, hidden until connected.
    setFixedSize(sizeHint().expandedTo(size()));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - frameGeometry().width()) / 2,
             area.top() + (area.height() - frameGeometry().height()) / 2);
    }
}

Form1::~Form1() = default;

void Form1::creaOperazioni()
{
    memoria = new StatoMemoria(ui, m_link, m_dialogs, this);
    canali = new CanaliMux(ui, m_link, m_dialogs, *memoria, this);
    parametri = new ParametriInterni(ui, m_link, m_dialogs, *memoria, *canali, this);
    identita = new IdentitaData(ui, m_link, m_dialogs, this);
    tempi = new TempiAcquisizione(ui, m_link, m_dialogs, this);
    gsm = new GsmGprs(ui, m_link, m_dialogs, this);
    scarico = new ScaricoDati(ui, m_link, m_dialogs, proprieta, this);
    lettura = new LetturaContinua(ui, m_link, m_dialogs, tabellaGrafico, this);
    sensori = new FinestreSensori(ui, this, m_link, m_dialogs, proprieta, this);
    // After a full reset the interval and the identifier are read back.
    parametri->impostaLettureDopoReset(
        {[this] { tempi->Command2(); }, [this] { identita->leggi_nome(); }});
}

QList<QWidget*> Form1::comandiBloccati() const
{
    return {ui.leggi_nome,
            ui.imposta_nome,
            ui.Aggiorna_acq,
            ui.Acquisisci,
            ui.Acquisisci_Temp,
            ui.MISCONTINUA_0,
            ui.MISCONTINUA_1,
            ui.MISCONTINUA_2,
            ui.MISCONTINUA_3,
            ui.MISCONTINUA_TEMP_0,
            ui.MISCONTINUA_TEMP_1,
            ui.MISCONTINUA_TEMP_2,
            ui.MISCONTINUA_TEMP_3,
            ui.Status,
            ui.leggidata,
            ui.impostadata,
            ui.ReadSt,
            ui.Command1,
            ui.Command2,
            ui.impostapreacc,
            ui.preacc,
            ui.Scrivicanali,
            ui.leggicanali,
            ui.Leggi_poprietà,
            ui.Azzera_memoria,
            ui.Resetta,
            ui.Leggi_Allarmi,
            ui.LEGGI_GSM,
            ui.SCRIVI_GSM,
            ui.Abilita_SMS,
            ui.Abilita_Telefono,
            ui.LeggiGPRS,
            ui.cmdWebLeggi};
}

void Form1::PROVA_IN_SITO()
{
    m_link.Invia_Comando(QStringLiteral("J"), QString());
    if (!m_prova)
        m_prova = new ProvaInSito(this);
    m_prova->setEnabled(false);
    m_prova->show();
    m_prova->raise();
    m_link.Attendi(20);
    if (m_prova)
        m_prova->setEnabled(true);
}

void Form1::HLP()
{
    if (!m_aiuto)
        m_aiuto = new Aiuto(this);
    m_aiuto->show();
    m_aiuto->raise();
}

void Form1::INFORMAZIONI()
{
    if (!m_about)
        m_about = new About(this);
    m_about->show();
    m_about->raise();
}

void Form1::RIPRISTINA_DA_ERRORI()
{
    m_link.Svuota_Buffer();
    m_link.Abilita_Comandi();
}

void Form1::scegliCartella()
{
    const QString scelta =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Cartella dei file di dati"),
                                          QDir::fromNativeSeparators(ui.Dir1->text()));
    if (!scelta.isEmpty())
        ui.Dir1->setText(QDir::toNativeSeparators(scelta));
}

// --- connection steps: the operations run as if their buttons were pressed ---

void Form1::leggicanali()
{
    canali->leggicanali();
}

void Form1::leggidata()
{
    identita->leggidata();
}

void Form1::LeggiDataAllarme()
{
    identita->LeggiDataAllarme();
}

void Form1::Command2()
{
    tempi->Command2();
}

void Form1::preacc()
{
    tempi->preacc();
}

void Form1::Status()
{
    parametri->Status();
}

void Form1::Aggiorna_acq()
{
    memoria->Aggiorna_acq();
}

void Form1::LEGGI_GSM()
{
    gsm->LEGGI_GSM();
}

void Form1::LeggiGPRS()
{
    gsm->LeggiGPRS();
}

void Form1::leggi_nome()
{
    identita->leggi_nome();
}

void Form1::mostraFinestra()
{
    setEnabled(true);
    show();
    raise();
    activateWindow();
}

// --- exit ---

void Form1::closeEvent(QCloseEvent* event)
{
    esci();
    event->accept();
}

void Form1::esci()
{
    // A second close while the sequence runs (its pause repaints) is the same exit.
    if (m_uscitaFatta)
        return;
    m_uscitaFatta = true;

    m_link.Attendi(100);
    if (ui.data_logging->isChecked() && ui.Immediata->isChecked())
        m_link.Invia_Comando(QStringLiteral("d"), QStringLiteral("0,0,0,0,0,"));
    m_link.Chiudi_Porta();
    if (m_link.ModoTCP)
        m_link.Disconnetti_TCP();
    scriviLogUscita();
    hide();
    emit fineProgramma();
}

QString Form1::percorsoLogUscita() const
{
    // After a download the name box holds a whole path: only its file name
    // goes into the log's name, which stays in the chosen folder.
    const QString nome = ui.Nome_File_Dati->text();
    const qsizetype separatore =
        std::max(nome.lastIndexOf(QLatin1Char('/')), nome.lastIndexOf(QLatin1Char('\\')));
    QString cartella = QDir::fromNativeSeparators(ui.Dir1->text().trimmed());
    if (cartella.isEmpty())
        cartella = QDir::currentPath();
    return QDir(cartella).filePath(QStringLiteral("LOGOUT_") + nome.mid(separatore + 1));
}

QStringList Form1::righeLogUscita() const
{
    return {QStringLiteral("ID VANTRIX: ") + ui.Nome_Centralina->text(),
            QStringLiteral("PO ACQUISITION: ") + ui.Acq_possibili->text(),
            QStringLiteral("AV ACQUISITION: ") + ui.acq_disponibili->text(),
            QStringLiteral("ACQ HOURS     : ") + ui.conversione_0->text(),
            QStringLiteral("ACQ MINUTES   : ") + ui.conversione_1->text(),
            QStringLiteral("ACQ SECONDS   : ") + ui.conversione_2->text(),
            QStringLiteral("PRE-HEATING   : ") + ui.preaccensione->text()};
}

void Form1::scriviLogUscita()
{
    const QString percorso = percorsoLogUscita();
    QString errore;
    if (!SettingsFields::writeFile(percorso, righeLogUscita(), &errore))
        m_dialogs.message(QStringLiteral("Attenzione"),
                          QStringLiteral("Impossibile scrivere il file di uscita\n%1\n%2")
                              .arg(QDir::toNativeSeparators(percorso), errore),
                          Dialogs::Icon::Warning);
}
