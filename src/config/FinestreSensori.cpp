#include "config/FinestreSensori.h"

#include "config/Allarmi_An.h"
#include "config/Sensori_An.h"
#include "startup/ui_Form1.h"

FinestreSensori::FinestreSensori(Ui::Form1& ui, QWidget* finestraPrincipale, Modulo1& link,
                                 Dialogs& dialogs, ProprietaSensori& proprieta, QObject* parent)
    : QObject(parent), m_ui(ui), m_finestraPrincipale(finestraPrincipale), m_link(link),
      m_dialogs(dialogs), m_proprieta(proprieta)
{
    connect(m_ui.Leggi_poprietà, &QPushButton::clicked, this, &FinestreSensori::Leggi_poprietà);
    connect(m_ui.Leggi_Allarmi, &QPushButton::clicked, this, &FinestreSensori::Leggi_Allarmi);
}

FinestreSensori::~FinestreSensori()
{
    delete m_sensori;
    delete m_allarmi;
}

Sensori_An* FinestreSensori::sensori() const
{
    return m_sensori;
}

Allarmi_An* FinestreSensori::allarmi() const
{
    return m_allarmi;
}

namespace {

FinestraCanali::CaselleMux caselleMux(Ui::Form1& ui)
{
    return {ui.MUX_0, ui.MUX_1, ui.MUX_2, ui.MUX_3};
}

// A window still open from before is closed first, so each opening starts
// from "Da Leggere".
template <typename W> void chiudiPrecedente(QPointer<W>& finestra)
{
    if (finestra && !finestra->chiusa())
        finestra->close();
    finestra.clear();
}

} // namespace

void FinestreSensori::Leggi_poprietà()
{
    chiudiPrecedente(m_sensori);
    m_sensori =
        new Sensori_An(caselleMux(m_ui), m_finestraPrincipale, m_link, m_dialogs, m_proprieta);
    m_sensori->apri();
}

void FinestreSensori::Leggi_Allarmi()
{
    chiudiPrecedente(m_allarmi);
    m_allarmi = new Allarmi_An(caselleMux(m_ui), m_finestraPrincipale, m_link, m_dialogs);
    m_allarmi->apri();
}
