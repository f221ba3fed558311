#include "link/Modulo1.h"

#include "common/Dialogs.h"
#include "link/Clock.h"
#include "link/SerialPort.h"
#include "link/TcpClient.h"

#include <cmath>

namespace {

// Settings of the probe: 9600 baud for the GSM version, 115200 otherwise.
const QString ImpostazioniGSM = QStringLiteral("9600,N,8,1");
const QString ImpostazioniSenzaGSM = QStringLiteral("115200,N,8,1");

// A moment past a deadline, so that "more than n seconds" loops end.
constexpr double Istante = 0.001;

// Once this much consumed text sits at the front of the buffer it is cut off,
// so a long download keeps neither quadratic copies nor all its bytes.
constexpr qsizetype SogliaCompattazione = 64 * 1024;

} // namespace

Modulo1::Modulo1(SerialPort& port, TcpClient& tcp, Clock& clock, Dialogs& dialogs)
    : m_port(port), m_tcp(tcp), m_clock(clock), m_dialogs(dialogs)
{
}

QString Modulo1::BufferRicezione() const
{
    return QString::fromLatin1(m_buffer.constData() + m_lettura, m_buffer.size() - m_lettura);
}

int Modulo1::Cerca_Datalogger(int porta)
{
    NumeroPorta = porta;
    if (m_port.isOpen())
        m_port.close();
    m_port.setCommPort(porta);
    m_port.setSettings(VersioneGSM ? ImpostazioniGSM : ImpostazioniSenzaGSM);
    m_port.setInputLen(0);
    m_port.setDTREnable(true);
    if (!m_port.open()) {
        m_dialogs.message(QString(), m_port.errorString(), Dialogs::Icon::None);
        return 0;
    }

    // The logger needs time after DTR rises before it listens.
    m_clock.pause(AssestamentoSonda);

    m_port.discardInput();
    m_port.output(QByteArrayLiteral("V"));
    const double t1 = m_clock.now();
    while (m_port.bytesPending() < 2 && m_clock.now() - t1 <= FinestraSonda && !m_port.failed())
        m_clock.waitForInput(t1 + FinestraSonda + Istante, m_port, m_port.bytesPending());

    const bool trovato = !m_port.input().isEmpty();
    m_port.discardInput();
    PortaAperta = true;

    const double trascorso = m_clock.now() - t1;
    if (trascorso < CodaSonda)
        m_clock.pause(CodaSonda - trascorso);
    return trovato ? 1 : 0;
}

bool Modulo1::Invia_Comando(const QString& comando, const QString& parametri)
{
    azzeraStato();
    m_buffer.clear();
    m_lettura = 0;

    if (ModoTCP) {
        const bool inviato = m_tcp.SendData((comando + parametri).toLatin1());
        if (!inviato)
            segnaErrore();
        return inviato;
    }

    apriSeChiusa();
    svuotaIngresso();
    bool inviato = m_port.output(comando.toLatin1());
    const QByteArray testo = parametri.toLatin1();
    for (qsizetype i = 0; inviato && i < testo.size(); ++i) {
        inviato = m_port.output(testo.mid(i, 1));
        Attendi(1);
    }
    if (!inviato)
        segnaErrore();
    chiudiSeChiusa();
    return inviato;
}

Modulo1::Esito Modulo1::ricevi(const std::function<qsizetype(qsizetype)>& cerca, qsizetype& trovato)
{
    const double inizio = std::round(m_clock.now());
    RispostaCompleta = false;
    LinkTransport& trasporto = ModoTCP ? static_cast<LinkTransport&>(m_tcp) : m_port;
    qsizetype esaminato = m_lettura; // nothing before this holds the terminator
    for (;;) {
        const bool linea = accoda();
        trovato = cerca(esaminato);
        esaminato = m_buffer.size();
        // What arrived before the line failed still counts.
        if (trovato < 0 && !linea)
            return Esito::Errore;
        RispostaCompleta = trovato >= 0;
        // The time-out wins even over a terminator that came in the same pass.
        if (m_clock.now() - inizio >= TimeoutRisposta) {
            RispostaCompleta = true;
            m_timeout = true;
            UltimaRisposta = QStringLiteral("%%");
            return Esito::Scaduto;
        }
        if (RispostaCompleta)
            return Esito::Trovato;
        m_clock.waitForInput(inizio + TimeoutRisposta, trasporto, trasporto.bytesPending());
    }
}

QString Modulo1::Leggi_Risposta()
{
    apriSeChiusa();
    qsizetype virgola = -1;
    const Esito esito = ricevi([this](qsizetype da) { return m_buffer.indexOf(',', da); }, virgola);
    if (esito == Esito::Errore) {
        UltimaRisposta.clear();
    } else if (esito == Esito::Trovato) {
        UltimaRisposta = QString::fromLatin1(m_buffer.constData() + m_lettura, virgola - m_lettura);
        m_lettura = virgola + 1;
        if (m_lettura == m_buffer.size()) {
            m_buffer.clear();
            m_lettura = 0;
        } else if (m_lettura >= SogliaCompattazione) {
            m_buffer.remove(0, m_lettura);
            m_lettura = 0;
        }
    }
    // After a time-out the partial text stays until the next command.
    chiudiSeChiusa();
    return UltimaRisposta;
}

QString Modulo1::Leggi_Fino_A(const QString& marcatore)
{
    apriSeChiusa();
    const QByteArray marca = marcatore.toLatin1();
    const auto cerca = [this, &marca](qsizetype esaminato) -> qsizetype {
        // Over TCP the marker counts only at the very end of what arrived.
        if (ModoTCP)
            return m_buffer.size() - m_lettura >= marca.size() && m_buffer.endsWith(marca)
                       ? m_buffer.size() - marca.size()
                       : -1;
        return m_buffer.indexOf(marca, std::max(m_lettura, esaminato - marca.size() + 1));
    };
    qsizetype trovato = -1;
    QString risultato;
    switch (ricevi(cerca, trovato)) {
    case Esito::Errore:
        break; // an empty result; the error stays recorded for the caller
    case Esito::Scaduto:
        risultato = UltimaRisposta;
        break;
    case Esito::Trovato:
        risultato = QString::fromLatin1(m_buffer.constData() + m_lettura, trovato - m_lettura);
        if (ModoTCP) {
            // The text before the marker stays in the buffer.
            m_buffer.truncate(trovato);
        } else {
            // What followed the marker is dropped.
            m_buffer.clear();
            m_lettura = 0;
        }
        break;
    }
    chiudiSeChiusa();
    return risultato;
}

QString Modulo1::Invia_Attendi(const QString& testo, int n)
{
    azzeraStato();
    return attendiConteggio(testo.toLatin1(), n);
}

QString Modulo1::Invia_Attendi_Porta(const QString& testo, int n)
{
    azzeraStato();
    apriSeChiusa();
    m_port.discardInput();
    const QString letto = attendiConteggio(testo.toLatin1(), n);
    chiudiSeChiusa();
    return letto;
}

QString Modulo1::attendiConteggio(const QByteArray& testo, int n)
{
    if (!m_port.output(testo)) {
        segnaErrore();
        UltimaRisposta.clear();
        return UltimaRisposta;
    }
    // Bounded: a modem or logger that never sends n characters must not hang
    // the program; what arrived by then is returned.
    const double scadenza = m_clock.now() + TimeoutRisposta;
    while (m_port.bytesPending() < n && !portaInErrore()) {
        if (m_clock.now() >= scadenza) {
            m_timeout = true;
            break;
        }
        m_clock.waitForInput(scadenza, m_port, m_port.bytesPending());
    }
    if (portaInErrore()) {
        segnaErrore();
        UltimaRisposta.clear();
        return UltimaRisposta;
    }
    UltimaRisposta = QString::fromLatin1(m_port.input());
    m_port.discardInput();
    return UltimaRisposta;
}

void Modulo1::Svuota_Buffer()
{
    if (ModoTCP)
        return;
    apriSeChiusa();
    svuotaIngresso();
    chiudiSeChiusa();
}

void Modulo1::svuotaIngresso()
{
    UltimaRisposta = QString::fromLatin1(m_port.input());
    m_port.discardInput();
    m_buffer.clear();
    m_lettura = 0;
}

void Modulo1::Attendi(int centesimi)
{
    if (ModoTCP)
        return;
    m_clock.pause(centesimi / 100.0);
}

void Modulo1::Apri_Porta()
{
    if (!m_port.isOpen())
        m_port.open();
}

void Modulo1::Chiudi_Porta()
{
    if (m_port.isOpen())
        m_port.close();
}

void Modulo1::Connetti_TCP(const QString& host)
{
    m_tcp.setRemoteHost(host);
    m_tcp.setRemotePort(TcpPort);
    m_tcp.setLocalPort(TcpPort);
    m_tcp.Connect(host, TcpPort);
    if (m_tcp.failed()) {
        segnaErrore();
        m_dialogs.message(QString(), m_tcp.errorString());
    }
}

void Modulo1::Disconnetti_TCP()
{
    m_tcp.Disconnect();
}

void Modulo1::registraComandi(const QList<QWidget*>& comandi)
{
    m_comandi.clear();
    for (QWidget* w : comandi)
        m_comandi.append(w);
}

void Modulo1::Disabilita_Comandi()
{
    for (const QPointer<QWidget>& w : m_comandi)
        if (w)
            w->setEnabled(false);
}

void Modulo1::Abilita_Comandi()
{
    for (const QPointer<QWidget>& w : m_comandi)
        if (w)
            w->setEnabled(true);
}

void Modulo1::apriSeChiusa()
{
    if (!ModoTCP && !PortaAperta)
        Apri_Porta();
}

void Modulo1::chiudiSeChiusa()
{
    if (!ModoTCP && !PortaAperta)
        Chiudi_Porta();
}

bool Modulo1::portaInErrore()
{
    return ModoTCP ? m_tcp.failed() : (!m_port.isOpen() || m_port.failed());
}

bool Modulo1::accoda()
{
    if (ModoTCP) {
        m_buffer += m_tcp.GetData();
    } else {
        // A read returns at most InputLen bytes when that is set: take all.
        while (m_port.bytesPending() > 0) {
            const QByteArray arrivati = m_port.input();
            if (arrivati.isEmpty())
                break;
            m_buffer += arrivati;
        }
    }
    if (portaInErrore()) {
        segnaErrore();
        return false;
    }
    return true;
}

void Modulo1::segnaErrore()
{
    m_erroreLink = true;
    const QString testo = ModoTCP ? m_tcp.errorString() : m_port.errorString();
    m_descrizioneErrore = testo.isEmpty() ? QStringLiteral("Porta non aperta") : testo;
}

void Modulo1::azzeraStato()
{
    m_timeout = false;
    m_erroreLink = false;
    m_descrizioneErrore.clear();
}
