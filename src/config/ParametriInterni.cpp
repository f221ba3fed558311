#include "config/ParametriInterni.h"

#include "common/Dialogs.h"
#include "common/FieldColours.h"
#include "common/TextForms.h"
#include "config/CanaliMux.h"
#include "config/InterruttoriLogger.h"
#include "config/StatoCasella.h"
#include "download/StatoMemoria.h"
#include "link/Modulo1.h"
#include "startup/ui_Form1.h"

#include <QEvent>

namespace {

// Blanks (spaces) around a text removed, as the logger neither sends nor
// expects them around the pulse value.
QString senzaSpazi(const QString& testo)
{
    qsizetype inizio = 0;
    qsizetype fine = testo.size();
    while (inizio < fine && testo.at(inizio) == QLatin1Char(' '))
        ++inizio;
    while (fine > inizio && testo.at(fine - 1) == QLatin1Char(' '))
        --fine;
    return testo.mid(inizio, fine - inizio);
}

} // namespace

ParametriInterni::ParametriInterni(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs,
                                   StatoMemoria& memoria, CanaliMux& canali, QObject* parent)
    : QObject(parent), m_ui(ui), m_link(link), m_dialogs(dialogs), m_memoria(memoria),
      m_canali(canali)
{
    connect(m_ui.Status, &QPushButton::clicked, this, &ParametriInterni::Status);
    connect(m_ui.ReadSt, &QPushButton::clicked, this, &ParametriInterni::ReadSt);
    connect(m_ui.mmpioggialeggi, &QPushButton::clicked, this, &ParametriInterni::mmpioggialeggi);
    connect(m_ui.mmpioggiatastoscrivi, &QPushButton::clicked, this,
            &ParametriInterni::mmpioggiatastoscrivi);
    connect(m_ui.Resetta, &QPushButton::clicked, this, &ParametriInterni::Resetta);
    // The acquisition enable and the event counter show only what the logger
    // reports.
    auto* interruttori = new InterruttoriLogger(this);
    interruttori->aggiungi(m_ui.data_logging, [this] { data_logging_MouseDown(); });
    interruttori->aggiungi(m_ui.PLUVIOMETRO, [this] { PLUVIOMETRO_MouseDown(); });
    m_ui.mmpioggia->installEventFilter(this);
}

bool ParametriInterni::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui.mmpioggia && event->type() == QEvent::KeyPress)
        FieldColours::setColour(m_ui.mmpioggia, FieldColours::Edited);
    return QObject::eventFilter(watched, event);
}

void ParametriInterni::Status()
{
    m_link.Disabilita_Comandi();
    m_link.Invia_Comando(QStringLiteral("W"), QString());
    QLineEdit* const tensioni[] = {m_ui.parameters_0, m_ui.parameters_1, m_ui.parameters_2};
    for (QLineEdit* box : tensioni)
        box->setText(TextForms::formatText(m_link.Leggi_Risposta(), u"00.00"));
    m_link.Abilita_Comandi();
}

void ParametriInterni::ReadSt()
{
    m_link.Disabilita_Comandi();
    m_link.Svuota_Buffer();
    m_link.Invia_Comando(QStringLiteral("O"), QString());
    StatoCasella::imposta(m_ui.data_logging, m_link.Leggi_Risposta());
    m_link.Abilita_Comandi();
}

void ParametriInterni::data_logging_MouseDown()
{
    m_link.Invia_Comando(QStringLiteral("o"),
                         InterruttoriLogger::opposto(m_ui.data_logging) + QLatin1Char(','));
    m_link.Attendi(50);
    ReadSt();
}

void ParametriInterni::PLUVIOMETRO_MouseDown()
{
    m_link.Invia_Comando(QStringLiteral("u"),
                         InterruttoriLogger::opposto(m_ui.PLUVIOMETRO) + QLatin1Char(','));
    m_link.Attendi(50);
    m_link.Invia_Comando(QStringLiteral("U"), QStringLiteral(","));
    StatoCasella::imposta(m_ui.PLUVIOMETRO, m_link.Leggi_Risposta());
}

void ParametriInterni::mmpioggialeggi()
{
    m_link.Disabilita_Comandi();
    m_link.Invia_Comando(QStringLiteral("<"), QString());
    m_ui.mmpioggia->setText(senzaSpazi(m_link.Leggi_Risposta()));
    FieldColours::setColour(m_ui.mmpioggia, FieldColours::ToRead);
    m_link.Abilita_Comandi();
}

void ParametriInterni::mmpioggiatastoscrivi()
{
    const QString valore = senzaSpazi(m_ui.mmpioggia->text());
    // A comma would end the field early on the wire and the rest would be
    // taken by the logger as further fields.
    if (valore.contains(QLatin1Char(','))) {
        m_dialogs.message(QStringLiteral("Attenzione"),
                          QStringLiteral("Il valore degli impulsi del pluviometro non può "
                                         "contenere virgole: usare il punto per i decimali."),
                          Dialogs::Icon::Information, Dialogs::Buttons::Ok);
        m_ui.mmpioggia->setFocus();
        return;
    }
    m_link.Disabilita_Comandi();
    m_link.Invia_Comando(QStringLiteral(">"), valore + QLatin1Char(','));
    mmpioggialeggi();
    m_link.Abilita_Comandi();
}

void ParametriInterni::Resetta()
{
    m_link.Disabilita_Comandi();
    const Dialogs::Answer risposta = m_dialogs.message(
        QStringLiteral("Attenzione"),
        QStringLiteral("Vuoi veramente resettare il datalogger?\r\nTu perderai tutti i dati"),
        Dialogs::Icon::Critical, Dialogs::Buttons::YesNo, Dialogs::Answer::No);
    if (risposta == Dialogs::Answer::Yes)
        resetEdRilettura();
    m_link.Abilita_Comandi();
}

void ParametriInterni::resetEdRilettura()
{
    // After a port failure at any step the remaining reads are not tried.
    if (!m_link.Invia_Comando(QStringLiteral("z"), QString()))
        return;
    m_link.Attendi(20);
    m_link.Attendi(20);
    const std::function<void()> letture[] = {
        [this] { m_memoria.Aggiorna_acq(); },
        [this] { m_canali.leggicanali(); },
        m_letture.Command2,
        m_letture.leggi_nome,
    };
    for (const std::function<void()>& lettura : letture) {
        if (lettura) {
            lettura();
            if (m_link.ErroreLink())
                return;
        }
        m_link.Attendi(20);
    }
    ReadSt();
}
