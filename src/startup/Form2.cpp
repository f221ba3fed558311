#include "startup/Form2.h"

#include "common/Dialogs.h"
#include "common/FieldColours.h"
#include "common/SettingsFields.h"
#include "common/TextForms.h"
#include "link/ComPortNames.h"
#include "link/Modulo1.h"
#include "link/TcpClient.h"
#include "startup/AdattamentiForm1.h"
#include "startup/ConnectionSteps.h"
#include "startup/ui_Form1.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMetaMethod>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QColor Giallo = FieldColours::fromBgr(0x0000FFFF);
const QColor Verde = FieldColours::fromBgr(0x0000C000);
const QColor Magenta = FieldColours::fromBgr(0x00FF00FF);

// Stands in for the remote-access windows: closing it brings the dialog back
// and closes the serial port, as those windows do.
class SegnapostoRemoto : public QWidget
{
public:
    SegnapostoRemoto(const QString& titolo, std::function<void()> allaChiusura)
        : m_allaChiusura(std::move(allaChiusura))
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(titolo);
        auto* testo = new QLabel(QStringLiteral("Accesso remoto non disponibile."), this);
        testo->setAlignment(Qt::AlignCenter);
        (new QVBoxLayout(this))->addWidget(testo);
        resize(320, 120);
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        m_allaChiusura();
        event->accept();
    }

private:
    std::function<void()> m_allaChiusura;
};

} // namespace

Form2::Form2(Modulo1& link, Dialogs& dialogs, ConnectionSteps& principale,
             const QString& cartellaProgramma, QWidget* parent)
    : QWidget(parent), m_link(link), m_dialogs(dialogs), m_principale(principale),
      m_cartella(cartellaProgramma), m_oggi([] { return QDate::currentDate(); })
{
    ui.setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    QFont carattere = ui.Label2->font();
    carattere.setPointSizeF(9.75);
    ui.Label2->setFont(carattere);
    FieldColours::setBackground(ui.Label2, Giallo);

    const ComPortNames nomi(m_cartella);
    Option1 = {ui.Option1_0, ui.Option1_1, ui.Option1_2, ui.Option1_3,
               ui.Option1_4, ui.Option1_5, ui.Option1_6, ui.Option1_7};
    for (int i = 0; i < int(Option1.size()); ++i)
        Option1[i]->setToolTip(nomi.deviceFor(i + 1));

    connect(ui.Command1, &QPushButton::clicked, this, &Form2::Command1);
    connect(ui.Command2, &QPushButton::clicked, this, &Form2::Command2);
    connect(ui.Command3, &QPushButton::clicked, this, &Form2::Command3);
    connect(ui.No_conn, &QPushButton::clicked, this, &Form2::No_conn);
    connect(ui.GSM, &QCheckBox::toggled, this, [this](bool on) { m_link.VersioneGSM = on; });
    m_link.VersioneGSM = ui.GSM->isChecked();
    connect(&m_link.clientTcp(), &TcpClient::errorOccurred, this,
            [this](int numero, const QString& descrizione) {
                m_dialogs.message(QString(),
                                  QString::number(numero) + QLatin1Char(' ') + descrizione);
            });

    preparazione();
}

QString Form2::fileImpostazioni() const
{
    return QDir(m_cartella).filePath(QStringLiteral("tl517.ini"));
}

void Form2::preparazione()
{
    m_link.PortaAperta = false;
    if (const QScreen* schermo = QGuiApplication::primaryScreen()) {
        const QRect area = schermo->availableGeometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
    m_link.RispostaCompleta = false;

    const QString percorso = fileImpostazioni();
    QString errore;
    if (!SettingsFields::createIfMissing(percorso, &errore))
        m_dialogs.message(QStringLiteral("Attenzione"),
                          QStringLiteral("Impossibile creare il file delle impostazioni\n%1\n%2\n"
                                         "La porta scelta non sarà ricordata.")
                              .arg(QDir::toNativeSeparators(percorso), errore),
                          Dialogs::Icon::Warning);
    const std::optional<QList<double>> numeri = SettingsFields::readNumbers(percorso);
    if (!numeri && QFile::exists(percorso))
        return; // unreadable: no port selected
    const double ultimo = numeri && !numeri->isEmpty() ? numeri->last() : 0.0;
    if (ultimo == 0.0)
        stato(QStringLiteral("Select a RS232"));
    else if (ultimo >= 1 && ultimo <= 4 && ultimo == std::floor(ultimo))
        Option1[int(ultimo) - 1]->setChecked(true);
}

void Form2::Command1()
{
    esclusivo(&Form2::connetti);
}

void Form2::Command3()
{
    esclusivo(&Form2::resetta);
}

void Form2::No_conn()
{
    esclusivo(&Form2::passoPasso);
}

void Form2::esclusivo(void (Form2::*azione)())
{
    // The receive waits process events, so a second press would start a
    // second sequence on the same port.
    if (m_occupato || m_chiuso)
        return;
    m_occupato = true;
    abilitaPulsanti(false);
    (this->*azione)();
    m_occupato = false;
    if (!m_chiuso)
        abilitaPulsanti(true);
}

void Form2::abilitaPulsanti(bool abilita)
{
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui.Command1, ui.Command2, ui.Command3, ui.No_conn})
        w->setEnabled(abilita);
    for (QRadioButton* opzione : Option1)
        opzione->setEnabled(abilita);
}

void Form2::stato(const QString& testo)
{
    ui.Label2->setText(testo);
}

int Form2::portaScelta(int quante) const
{
    for (int i = 0; i < quante; ++i)
        if (Option1[i]->isChecked())
            return i + 1;
    return 0;
}

void Form2::salvaPorta(int porta)
{
    QString errore;
    if (!SettingsFields::writeFile(fileImpostazioni(), {SettingsFields::printNumber(porta)},
                                   &errore))
        m_dialogs.message(QStringLiteral("Attenzione"),
                          QStringLiteral("Impossibile scrivere il file delle impostazioni\n%1\n%2\n"
                                         "La connessione prosegue, ma la porta scelta non sarà "
                                         "ricordata.")
                              .arg(QDir::toNativeSeparators(fileImpostazioni()), errore),
                          Dialogs::Icon::Warning);
}

void Form2::connetti()
{
    const int porta = portaScelta(8);
    if (porta == 0) {
        stato(QStringLiteral("No selected channel!"));
        return;
    }
    m_link.NumeroPorta = porta;
    stato(QStringLiteral("Connessione su COM%1").arg(porta));
    salvaPorta(porta);

    const bool trovato = m_link.Cerca_Datalogger(porta) == 1;
    if (m_chiuso)
        return;
    if (!trovato) {
        stato(QStringLiteral("Datalogger non trovato, controllare la connessione"));
        m_link.Chiudi_Porta();
        return;
    }
    stato(QStringLiteral(" Datalogger Presente"));
    FieldColours::setBackground(ui.Label2, Verde);
    m_link.Attendi(Pausa);
    recuperaParametri();
}

void Form2::recuperaParametri()
{
    stato(QStringLiteral("Recupero dei parametri interni"));
    using S = ConnectionSteps;
    if (!passo(&S::leggicanali, QStringLiteral("Informazione sensori: OK")) ||
        !passo(&S::leggidata, QStringLiteral("Data/Ora interna: OK")) ||
        !passo(&S::LeggiDataAllarme, QStringLiteral("Data Allarme: OK")) ||
        !passo(&S::Command2, QStringLiteral("Timer: OK")) ||
        !passo(&S::preacc, QStringLiteral("Preaccensione: OK")) ||
        !passo(&S::Status, QStringLiteral("Parametri interni: OK")) ||
        !passo(&S::Aggiorna_acq, QStringLiteral("Memoria: OK")))
        return;
    if (ui.GSM->isChecked() && (!passo(&S::LEGGI_GSM, QStringLiteral("GSM/SMS: OK")) ||
                                !passo(&S::LeggiGPRS, QStringLiteral("GPRS: OK"))))
        return;
    if (!passo(&S::leggi_nome, QStringLiteral("Nome Datalogger: OK")))
        return;

    Ui::Form1& finestra = m_principale.finestra();
    // A reply that is no number (a time-out included) counts as model 0; one
    // too large for the model code counts as a non-analog model.
    const double modello =
        std::round(TextForms::value(leggiValore(QStringLiteral("D"), QStringLiteral(","))));
    m_link.ModelloDatalogger = int(std::clamp(modello, -32768.0, 32767.0));
    stato(QStringLiteral("Modello Datalogger: OK"));
    if (m_link.ModelloDatalogger == 0)
        AdattamentiForm1::modelloAnalogico(finestra,
                                           QStringLiteral("NVK VK42-VK84 16 BIT DATALOGGER"));

    AdattamentiForm1::impostaInterruttore(finestra.PLUVIOMETRO,
                                          leggiValore(QStringLiteral("U"), QString()));
    stato(QStringLiteral("Ingresso ad eventi: OK"));
    m_link.Attendi(Pausa);
    if (m_chiuso)
        return;

    AdattamentiForm1::impostaInterruttore(finestra.data_logging,
                                          leggiValore(QStringLiteral("O"), QString()));
    stato(QStringLiteral("Stato Acquisizione: OK"));
    m_link.Attendi(Pausa);
    if (m_chiuso)
        return;

    consegna();
    AdattamentiForm1::proponiNomeFile(finestra, m_oggi());
}

bool Form2::passo(void (ConnectionSteps::*operazione)(), const QString& testo)
{
    (m_principale.*operazione)();
    if (m_chiuso)
        return false;
    stato(testo);
    m_link.Attendi(Pausa);
    return !m_chiuso;
}

QString Form2::leggiValore(const QString& comando, const QString& parametri)
{
    m_link.Invia_Comando(comando, parametri);
    return m_link.Leggi_Risposta();
}

void Form2::consegna()
{
    hide();
    setEnabled(false);
    m_principale.mostraFinestra();
}

void Form2::resetta()
{
    const int porta = portaScelta(4);
    if (porta == 0) {
        stato(QStringLiteral("Nessun canale attivo!"));
        return;
    }
    m_link.NumeroPorta = porta;
    stato(QStringLiteral("Connessione su COM%1").arg(porta));
    m_link.Cerca_Datalogger(porta);
    if (m_chiuso)
        return;
    const Dialogs::Answer risposta =
        m_dialogs.message(QStringLiteral("Attenzione"),
                          QStringLiteral("Vuoi veramente resettare il datalogger?\r\n"
                                         "Perderai tutti i dati e tutte le impostazioni!"),
                          Dialogs::Icon::Critical, Dialogs::Buttons::YesNo, Dialogs::Answer::No);
    if (risposta == Dialogs::Answer::Yes) {
        m_link.Invia_Comando(QStringLiteral("z"), QStringLiteral(","));
        stato(QStringLiteral(" RX455 Resettato"));
        FieldColours::setBackground(ui.Label2, Magenta);
        m_link.Attendi(50);
    }
    m_link.Chiudi_Porta();
    if (!m_chiuso)
        connetti();
}

void Form2::passoPasso()
{
    const int porta = portaScelta(4);
    if (porta == 0) {
        stato(QStringLiteral("No selected channel!"));
        return;
    }
    m_link.NumeroPorta = porta;
    stato(QStringLiteral("Connection on COM%1").arg(porta));
    salvaPorta(porta);
    const bool trovato = m_link.Cerca_Datalogger(porta) == 1;
    if (m_chiuso)
        return;
    if (!trovato) {
        stato(QStringLiteral("Vantrix not found. Try to check if it is on and the connection"));
        m_link.Chiudi_Porta();
        return;
    }
    stato(QStringLiteral(" Vantrix Found"));
    FieldColours::setBackground(ui.Label2, Verde);
    consegna();
}

void Form2::Command2()
{
    if (m_occupato || m_chiuso)
        return;
    const bool viaInternet = ui.chkTCP->isChecked();
    m_link.ModoTCP = viaInternet;
    m_link.PortaAperta = true;
    if (isSignalConnected(QMetaMethod::fromSignal(&Form2::accessoRemoto)))
        emit accessoRemoto(viaInternet);
    else
        mostraSegnapostoRemoto(viaInternet);
}

void Form2::mostraSegnapostoRemoto(bool viaInternet)
{
    if (m_segnaposto) {
        m_segnaposto->raise();
        return;
    }
    m_segnaposto = new SegnapostoRemoto(viaInternet ? QStringLiteral("Internet Connection")
                                                    : QStringLiteral("GSM CONNECTION"),
                                        [this] {
                                            show();
                                            m_link.Chiudi_Porta();
                                        });
    m_segnaposto->show();
}

void Form2::closeEvent(QCloseEvent* event)
{
    if (m_occupato) {
        // A sequence is waiting for the logger: closing the port makes its
        // remaining reads fail at once instead of waiting out their time-outs.
        m_chiuso = true;
        m_link.Chiudi_Porta();
    }
    if (m_segnaposto)
        m_segnaposto->deleteLater();
    event->accept();
    emit fineProgramma();
}
