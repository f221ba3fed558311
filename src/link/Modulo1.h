#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class Clock;
class Dialogs;
class SerialPort;
class TcpClient;

// The link to the logger: its state and the primitives every operation uses
// to talk to it (probe, send a command, read a reply field, read up to a
// marker, flush, pause, open and close the port, the TCP path, and the lock of
// the main window's device controls). One instance for the program.
//
// Wire text is bytes: BufferRicezione holds them as received and replies are
// turned into text with Latin-1, so every byte survives unchanged.
class Modulo1
{
public:
    // Time-outs and waits of the link, in seconds.
    static constexpr double TimeoutRisposta = 60.0;  // a reply field or a marker
    static constexpr double AssestamentoSonda = 8.0; // probe: settle after opening
    static constexpr double FinestraSonda = 20.0;    // probe: reply window after "V"
    static constexpr double CodaSonda = 1.0;         // probe: at least this long after "V"
    static constexpr int TcpPort = 1024;             // the logger's port on the TCP path

    Modulo1(SerialPort& port, TcpClient& tcp, Clock& clock, Dialogs& dialogs);

    // --- link state ---
    bool ModoTCP = false;
    bool PortaAperta = false;
    int NumeroPorta = 1;
    QString UltimaRisposta;
    bool RispostaCompleta = false;
    int ModelloDatalogger = 0;
    // "9600,N,8,1" is the setting with the GSM version checked (always, in the
    // delivered layout); the connection dialog sets this flag from its box.
    bool VersioneGSM = true;

    // Characters received and not yet consumed by a receive primitive.
    QString BufferRicezione() const;

    // --- primitives ---
    int Cerca_Datalogger(int porta);
    bool Invia_Comando(const QString& comando, const QString& parametri);
    QString Leggi_Risposta();
    QString Leggi_Fino_A(const QString& marcatore);
    QString Invia_Attendi(const QString& testo, int n);
    QString Invia_Attendi_Porta(const QString& testo, int n);
    void Svuota_Buffer();
    void Attendi(int centesimi);
    void Apri_Porta();
    void Chiudi_Porta();
    void Connetti_TCP(const QString& host);
    void Disconnetti_TCP();
    void Disabilita_Comandi();
    void Abilita_Comandi();

    // The main window's device controls that Disabilita_Comandi locks.
    void registraComandi(const QList<QWidget*>& comandi);

    // True when the last receive since the latest Invia_Comando ended by a
    // time-out or a port error: callers reading a run of fields stop there.
    bool Interrotto() const { return m_timeout || m_erroreLink; }
    bool ErroreLink() const { return m_erroreLink; }
    bool TimeoutAvvenuto() const { return m_timeout; }
    // The system's description of the last port or socket error.
    QString DescrizioneErrore() const { return m_descrizioneErrore; }

    SerialPort& porta() { return m_port; }
    TcpClient& clientTcp() { return m_tcp; }
    Clock& orologio() { return m_clock; }

private:
    enum class Esito
    {
        Trovato,
        Scaduto,
        Errore
    };
    // The receive loop shared by the two receive primitives: appends what
    // arrives until `cerca` finds the terminator (its position, or -1), the
    // time-out passes or the line fails.
    Esito ricevi(const std::function<qsizetype(qsizetype)>& cerca, qsizetype& trovato);

    void apriSeChiusa();
    void chiudiSeChiusa();
    void svuotaIngresso();
    // Appends what has arrived on the current transport; false on a port error.
    bool accoda();
    bool portaInErrore();
    void segnaErrore();
    void azzeraStato();
    QString attendiConteggio(const QByteArray& testo, int n);

    SerialPort& m_port;
    TcpClient& m_tcp;
    Clock& m_clock;
    Dialogs& m_dialogs;
    QList<QPointer<QWidget>> m_comandi;

    // Received bytes; m_lettura is where the next field starts, so reading N
    // fields costs O(N) instead of cutting the front for every field.
    QByteArray m_buffer;
    qsizetype m_lettura = 0;

    bool m_timeout = false;
    bool m_erroreLink = false;
    QString m_descrizioneErrore;
};
