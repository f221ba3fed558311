#include "live/MisCont.h"

#include "common/Dialogs.h"
#include "common/FieldColours.h"
#include "common/TextForms.h"
#include "download/mFile.h"
#include "link/ComPortNames.h"
#include "link/Modulo1.h"
#include "live/Grafici.h"
#include "live/TabellaGrafico.h"
#include "ui_MisCont.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QScreen>

#include <cmath>

namespace {

const QString Marcatore = QStringLiteral("%%");
const QString Timeout = QStringLiteral("Timeout");
constexpr int LarghezzaData = 120;  // 1800 twips
constexpr int LarghezzaCanale = 67; // 1000 twips

} // namespace

MisCont::MisCont(Modulo1& link, Dialogs& dialogs, TabellaGrafico& tabella, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_ui(std::make_unique<Ui::MisCont>()), m_link(link), m_dialogs(dialogs), m_tabella(tabella),
      m_griglia(this), m_cartella(ComPortNames::programFolder()),
      m_adesso([] { return QDateTime::currentDateTime(); })
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(size());
    m_ui->Grid1->setModel(&m_griglia);
    m_ui->Grid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Rows of one fixed height: a long run's grid never measures its rows.
    m_ui->Grid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_ui->Grid1->verticalHeader()->setDefaultSectionSize(m_ui->Grid1->fontMetrics().height() + 6);
    FieldColours::setColour(m_ui->txtAvviso, FieldColours::ToRead);

    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());

    connect(m_ui->cmdStart, &QPushButton::clicked, this, &MisCont::cmdStart);
    connect(m_ui->cmdStop, &QPushButton::clicked, this, &MisCont::cmdStop);
    connect(m_ui->cmdGraf, &QPushButton::clicked, this, &MisCont::cmdGraf);
    connect(m_ui->cmdChiudi, &QPushButton::clicked, this, &MisCont::cmdChiudi);
}

MisCont::~MisCont() = default;

QString MisCont::nomeProposto(const QDateTime& quando)
{
    return QStringLiteral("mc_") + quando.toString(QStringLiteral("dd-MM-yyyy_HH.m.ss")) +
           QStringLiteral(".txt");
}

QString MisCont::testoDataOra(const QDateTime& quando)
{
    // Always with seconds and without commas: the line's fields are split at
    // commas, and cycles come seconds apart.
    return quando.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

void MisCont::avviso(const QString& testo)
{
    m_ui->txtAvviso->setText(testo);
    m_ui->txtAvviso->setVisible(true);
}

void MisCont::cmdStop()
{
    avviso(QStringLiteral("Termino lettura in corso..."));
    m_ui->cmdStop->setEnabled(false);
    m_stop = true;
}

void MisCont::cmdChiudi()
{
    close();
}

void MisCont::closeEvent(QCloseEvent* event)
{
    // Only "Chiudi" closes the window, and not while a run goes on.
    if (m_inCorso)
        event->ignore();
    else
        event->accept();
}

void MisCont::cmdGraf()
{
    m_tabella.riempiDaGriglia(m_griglia);
    m_ui->cmdGraf->setEnabled(false);
    // The chart belongs to the main window, not to this one: it may stay open
    // after this window is closed.
    m_grafici = new Grafici(m_tabella, &m_griglia, parentWidget());
    connect(m_grafici, &Grafici::chiuso, this, &MisCont::onGraficiChiuso);
    m_grafici->popola_grafico();
    GraficoAperto = true;
    m_grafici->show();
}

void MisCont::onGraficiChiuso()
{
    m_ui->cmdGraf->setEnabled(true);
    GraficoAperto = false;
    m_grafici = nullptr;
}

QString MisCont::sceltaFile()
{
    Dialogs::SaveRequest richiesta;
    richiesta.title = QStringLiteral("Salva misura continua");
    richiesta.folder = m_cartella;
    richiesta.proposedName = nomeProposto(m_adesso());
    richiesta.filter = QStringLiteral("File di testo (*.txt)");
    richiesta.defaultSuffix = QStringLiteral("txt");
    return m_dialogs.saveFile(richiesta);
}

void MisCont::cmdStart()
{
    if (m_inCorso)
        return;
    avviso(QStringLiteral("Richiesta dati alla centralina..."));
    m_file = FileMisuraContinua();

    if (!m_link.Invia_Comando(QStringLiteral("H"), QStringLiteral(" 0,"))) {
        fineFallita(m_link.DescrizioneErrore());
        return;
    }
    const QString r = m_link.Leggi_Risposta();
    // A time-out, an empty reply and one that is no number alike.
    if (r == Marcatore || !TextForms::isNumber(r)) {
        m_dialogs.message(QString(), QStringLiteral("Errore di connessione."));
        m_ui->cmdChiudi->setEnabled(true);
        return;
    }
    const int canali = int(std::nearbyint(TextForms::value(r)));
    if (canali <= 0) {
        m_dialogs.message(QStringLiteral("Azione annullata"),
                          QStringLiteral("Attivare almeno un canale."));
        avviso(QStringLiteral("Azione annullata"));
        m_ui->cmdGraf->setEnabled(false);
        m_ui->cmdStop->setEnabled(false);
        m_stop = true;
        return;
    }
    // Not while a chart from an earlier run is still open: one chart at a time.
    m_ui->cmdGraf->setEnabled(!GraficoAperto);

    const QString percorso = sceltaFile();
    if (percorso.isEmpty())
        return;
    mFile file(m_dialogs);
    if (file.File_Occupato(percorso)) {
        // The user gave up on a file another program holds: it is left alone.
        fineFallita(QString());
        return;
    }
    mFile::Cancella_File(percorso);
    if (!m_file.crea(percorso)) {
        fineFallita(m_file.errore());
        return;
    }

    QPointer<MisCont> vivo(this);
    m_inCorso = true;
    const Esito esito = esegui(canali);
    if (!vivo)
        return;
    m_inCorso = false;
    if (esito == Esito::Finito)
        fineNormale();
    else if (esito == Esito::Fallito)
        fineFallita(m_erroreCiclo);
}

void MisCont::preparaGriglia(int canali)
{
    QStringList intestazione{QStringLiteral("Date")};
    for (int k = 1; k <= canali; ++k)
        intestazione.append(QStringLiteral("CH ") + QString::number(k - 1));
    m_griglia.azzera(intestazione);
    // The date column is as wide as the layout asks unless the screen's font
    // needs more to show a whole date and time on one line.
    const int testoData =
        m_ui->Grid1->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000 00:00:00")) + 12;
    m_ui->Grid1->setColumnWidth(0, std::max(LarghezzaData, testoData));
    for (int k = 1; k <= canali; ++k)
        m_ui->Grid1->setColumnWidth(k, LarghezzaCanale);
}

MisCont::Esito MisCont::esegui(int canali)
{
    m_ui->cmdStart->setEnabled(false);
    m_ui->cmdStop->setEnabled(true);
    m_ui->cmdChiudi->setEnabled(false);
    m_ui->txtAvviso->setVisible(false);

    preparaGriglia(canali);
    if (!m_file.inizio(m_griglia.riga(0))) {
        m_erroreCiclo = m_file.errore();
        return Esito::Fallito;
    }
    m_stop = false;
    m_ciclo = 1;
    QPointer<MisCont> vivo(this);
    while (!m_stop) {
        QCoreApplication::processEvents();
        if (!vivo)
            return Esito::Distrutto;
        const Esito esito = ciclo(canali);
        if (!vivo)
            return Esito::Distrutto;
        if (esito != Esito::Finito)
            return esito;
    }
    return Esito::Finito;
}

MisCont::Esito MisCont::ciclo(int canali)
{
    QPointer<MisCont> vivo(this);
    const int d = m_griglia.Rows() - 1;
    m_griglia.setTextMatrix(d, 0, testoDataOra(m_adesso()));
    if (!m_link.Invia_Comando(QStringLiteral("p"), QString::number(QualeMux) + QLatin1Char(','))) {
        m_erroreCiclo = m_link.DescrizioneErrore();
        return Esito::Fallito;
    }
    bool scaduto = false;
    for (int k = 1; k <= canali; ++k) {
        QString lettura = Timeout;
        if (!scaduto) {
            m_link.Leggi_Risposta(); // the channel position, not used
            if (!vivo)
                return Esito::Distrutto;
            // A port error (cable pulled) ends the run at once; a silent
            // logger is not waited for twice in the same pair.
            if (!m_link.ErroreLink() && !m_link.TimeoutAvvenuto())
                lettura = m_link.Leggi_Risposta();
            if (!vivo)
                return Esito::Distrutto;
            if (m_link.ErroreLink()) {
                m_erroreCiclo = m_link.DescrizioneErrore();
                return Esito::Fallito;
            }
            if (m_link.TimeoutAvvenuto() || lettura == Marcatore) {
                lettura = Timeout;
                scaduto = true;
                m_stop = true;
            }
        }
        m_griglia.setTextMatrix(d, k, lettura);
    }

    if (GraficoAperto && m_grafici)
        m_grafici->popola_grafico();
    if (!m_stop)
        m_griglia.aggiungiRiga();
    if (!m_file.appendi(m_griglia.riga(d).join(QLatin1Char(',')))) {
        m_erroreCiclo = m_file.errore();
        return Esito::Fallito;
    }
    if (!m_stop)
        m_ui->Grid1->scrollToBottom();
    if (m_ciclo >= MaxCicli) {
        m_erroreCiclo = QStringLiteral("Overflow");
        return Esito::Fallito;
    }
    ++m_ciclo;
    return Esito::Finito;
}

void MisCont::fineNormale()
{
    m_ui->txtAvviso->clear();
    m_ui->txtAvviso->setVisible(false);
    if (!m_file.fine()) {
        fineFallita(m_file.errore());
        return;
    }
    m_ui->cmdChiudi->setEnabled(true);
    m_ui->cmdStart->setEnabled(true);
    m_ui->cmdGraf->setEnabled(!GraficoAperto);
    m_ui->cmdStop->setEnabled(false);
}

void MisCont::fineFallita(const QString& descrizione)
{
    m_file.interrotto();
    if (!descrizione.isEmpty())
        m_dialogs.message(QString(), descrizione);
    m_ui->cmdChiudi->setEnabled(true);
}
