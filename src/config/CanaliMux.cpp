#include "config/CanaliMux.h"

#include "common/Dialogs.h"
#include "common/FieldColours.h"
#include "common/TextForms.h"
#include "download/StatoMemoria.h"
#include "link/Modulo1.h"
#include "startup/ui_Form1.h"

#include <cmath>

namespace {

// The count boxes are a paler yellow than the other value boxes.
constexpr quint32 ColoreProgettoMux = 0x00C0FFFF;

} // namespace

CanaliMux::CanaliMux(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs, StatoMemoria& memoria,
                     QObject* parent)
    : QObject(parent), m_ui(ui), m_link(link), m_dialogs(dialogs),
      m_memoria(memoria), m_mux{ui.MUX_0, ui.MUX_1, ui.MUX_2, ui.MUX_3}
{
    for (int m = 0; m < NumeroMux; ++m) {
        FieldColours::setDesignColour(m_mux[m], FieldColours::fromBgr(ColoreProgettoMux));
        connect(m_mux[m], &QLineEdit::textChanged, this, [this, m] { applicaRegola(m); });
    }
    connect(m_ui.leggicanali, &QPushButton::clicked, this, &CanaliMux::leggicanali);
    connect(m_ui.Scrivicanali, &QPushButton::clicked, this, &CanaliMux::Scrivicanali);
}

void CanaliMux::applicaRegola(int m)
{
    QLineEdit* box = m_mux[m];
    FieldColours::setColour(box, FieldColours::Edited);
    const double conta = TextForms::value(box->text());
    if (conta < 0 || conta > MassimoCanali)
        box->setText(QStringLiteral("0")); // runs the rule again, on "0"
}

void CanaliMux::leggicanali()
{
    m_link.Disabilita_Comandi();
    for (int m = 0; m < NumeroMux; ++m) {
        m_link.Invia_Comando(QStringLiteral("H"), TextForms::signedText(m) + QLatin1Char(','));
        m_mux[m]->setText(m_link.Leggi_Risposta());
        FieldColours::setColour(m_mux[m], FieldColours::Confirmed);
        m_link.Attendi(20);
    }
    m_link.Attendi(200);
    m_link.Abilita_Comandi();
}

int CanaliMux::primaContaNonValida() const
{
    for (int m = 0; m < NumeroMux; ++m) {
        const QString testo = m_mux[m]->text();
        const double conta = TextForms::value(testo);
        if (!TextForms::isNumber(testo) || conta != std::floor(conta) || conta < 0 ||
            conta > MassimoCanali)
            return m;
    }
    return -1;
}

void CanaliMux::Scrivicanali()
{
    // The write erases the memory first, so a count the logger cannot take
    // (8.5, a time-out marker, an empty box) is refused before anything else.
    const int errata = primaContaNonValida();
    if (errata >= 0) {
        m_dialogs.message(QStringLiteral("Attenzione"),
                          QStringLiteral("Il numero dei canali di CH MUX%1 deve essere un numero "
                                         "intero da 0 a 16.")
                              .arg(errata),
                          Dialogs::Icon::Information, Dialogs::Buttons::Ok);
        m_mux[errata]->setFocus();
        return;
    }

    m_link.Disabilita_Comandi();
    const Dialogs::Answer risposta =
        m_dialogs.message(QStringLiteral("Attenzione"),
                          QStringLiteral("Questa operazione necessita l'azzeramento della memoria. "
                                         "Vuoi proseguire?\r\nTutti i dati verranno persi."),
                          Dialogs::Icon::Critical, Dialogs::Buttons::YesNo, Dialogs::Answer::No);
    // New counts over a memory that was not erased would mislabel its records:
    // when the erase cannot be sent, nothing more is.
    if (risposta == Dialogs::Answer::Yes &&
        m_link.Invia_Comando(QStringLiteral("b"), QStringLiteral(","))) {
        m_link.Attendi(20);
        for (int m = 0; m < NumeroMux; ++m) {
            const double conta = TextForms::value(m_mux[m]->text());
            m_link.Invia_Comando(QStringLiteral("h"), TextForms::signedText(m) + QLatin1Char(',') +
                                                          TextForms::signedText(conta) +
                                                          QLatin1Char(','));
        }
        leggicanali();
        m_link.Attendi(20);
        m_memoria.Aggiorna_acq();
        m_link.Attendi(20);
    }
    m_link.Attendi(200);
    m_link.Abilita_Comandi();
}
