#include "config/FinestraCanali.h"

#include "common/TextForms.h"
#include "link/Modulo1.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

FinestraCanali::FinestraCanali(const CaselleMux& mux, QWidget* finestraPrincipale, Modulo1& link,
                               Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_link(link), m_dialogs(dialogs), m_mux(mux),
      m_finestraPrincipale(finestraPrincipale)
{
}

int FinestraCanali::canaliDaTesto(const QString& testo)
{
    const double n = std::floor(TextForms::value(testo));
    return n <= 0 ? 0 : n >= Righe ? Righe : int(n);
}

int FinestraCanali::canali(int m) const
{
    return m_mux[m] ? canaliDaTesto(m_mux[m]->text()) : 0;
}

void FinestraCanali::apri()
{
    m_link.Disabilita_Comandi();
    if (m_finestraPrincipale)
        m_finestraPrincipale->hide();
    show();
    setEnabled(true);
    m_link.Abilita_Comandi();
}

void FinestraCanali::abilitaPulsanti(bool abilitati)
{
    for (QPushButton* p : m_pulsanti)
        p->setEnabled(abilitati);
}

void FinestraCanali::closeEvent(QCloseEvent* evento)
{
    evento->accept();
    m_chiusa = true;
    setEnabled(false);
    if (m_finestraPrincipale)
        m_finestraPrincipale->show();
    if (m_inCorso == 0)
        deleteLater();
}

FinestraCanali::Operazione::Operazione(FinestraCanali& finestra) : m_finestra(finestra)
{
    ++m_finestra.m_inCorso;
}

FinestraCanali::Operazione::~Operazione()
{
    if (--m_finestra.m_inCorso == 0 && m_finestra.m_chiusa)
        m_finestra.deleteLater();
}
