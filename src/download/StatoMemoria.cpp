#include "download/StatoMemoria.h"

#include "common/Dialogs.h"
#include "common/TextForms.h"
#include "link/Modulo1.h"
#include "startup/ui_Form1.h"

StatoMemoria::StatoMemoria(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_ui(ui), m_link(link), m_dialogs(dialogs)
{
    connect(m_ui.Aggiorna_acq, &QPushButton::clicked, this, &StatoMemoria::Aggiorna_acq);
    connect(m_ui.Azzera_memoria, &QPushButton::clicked, this, &StatoMemoria::Azzera_memoria);
}

void StatoMemoria::Aggiorna_acq()
{
    m_link.Disabilita_Comandi();
    // The logger reports no memory figures while multiplexer 0 has no channel.
    m_link.Invia_Comando(QStringLiteral("H"), QStringLiteral("0,"));
    const QString canali = m_link.Leggi_Risposta();
    if (m_link.ErroreLink()) {
        // A failed port is not a logger without channels: nothing to show.
    } else if (TextForms::value(canali) != 0) {
        m_link.Attendi(50);
        m_link.Invia_Comando(QStringLiteral("M"), QStringLiteral(","));
        m_ui.Acq_possibili->setText(m_link.Leggi_Risposta());
        m_ui.acq_disponibili->setText(m_link.Leggi_Risposta());
    } else {
        m_dialogs.message(QStringLiteral("Attenzione"),
                          QStringLiteral("Seleziona almeno un canale!"), Dialogs::Icon::Information,
                          Dialogs::Buttons::Ok);
    }
    m_link.Abilita_Comandi();
}

void StatoMemoria::Azzera_memoria()
{
    m_link.Disabilita_Comandi();
    const Dialogs::Answer risposta = m_dialogs.message(
        QStringLiteral("Attenzione"),
        QStringLiteral("Vuoi veramente canncellare la memoria?\r\nTutti i dati saranno persi."),
        Dialogs::Icon::Critical, Dialogs::Buttons::YesNo, Dialogs::Answer::No);
    // A port that fails on the erase ends the operation quietly: there is no
    // memory status to show.
    if (risposta == Dialogs::Answer::Yes && m_link.Invia_Comando(QStringLiteral("b"), QString())) {
        m_link.Attendi(20);
        Aggiorna_acq();
    }
    m_link.Abilita_Comandi();
}
