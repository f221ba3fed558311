#include "download/Registrazione.h"

void Registrazione::impostaData(int k, const QString& testo)
{
    m_data[k] = aLarghezza(testo, LarghezzeData[k]);
}

void Registrazione::aggiungiValore(const QString& testo)
{
    m_valori += aLarghezza(testo, LarghezzaValore);
}

QString Registrazione::valore(int canale) const
{
    return m_valori.mid(qsizetype(canale) * LarghezzaValore, LarghezzaValore);
}

void Registrazione::impostaEventi(const QString& testo)
{
    m_eventi = aLarghezza(testo, LarghezzaValore);
}

QString Registrazione::eventi() const
{
    return m_eventi.isEmpty() ? QString(LarghezzaValore, u' ') : m_eventi;
}

QString Registrazione::aLarghezza(const QString& testo, int larghezza)
{
    if (testo.size() >= larghezza)
        return testo.left(larghezza);
    return testo + QString(larghezza - testo.size(), u' ');
}
