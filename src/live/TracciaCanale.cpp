#include "live/TracciaCanale.h"

#include <algorithm>
#include <cmath>

void TracciaCanale::tronca(int n)
{
    if (n < 0 || n >= size())
        return;
    m_valori.resize(n);
    m_secchi.resize(n / m_larghezza);
}

void TracciaCanale::aggiungi(double valore)
{
    m_valori.append(valore);
    if (size() % m_larghezza != 0)
        return;
    m_secchi.append(calcola(size() / m_larghezza - 1));
    if (m_secchi.size() > MaxSecchi) {
        // Doubling the width halves the buckets: the cost of this rare
        // recount is spread over the readings that filled them.
        m_larghezza *= 2;
        ricalcola();
    }
}

TracciaCanale::Secchio TracciaCanale::calcola(int secchio) const
{
    Secchio s;
    const int da = secchio * m_larghezza;
    const int a = std::min(da + m_larghezza, size());
    for (int x = da; x < a; ++x) {
        const double v = m_valori.at(x);
        if (std::isnan(v))
            continue;
        if (!s.pieno || v < s.min) {
            s.min = v;
            s.xMin = x;
        }
        if (!s.pieno || v > s.max) {
            s.max = v;
            s.xMax = x;
        }
        s.pieno = true;
    }
    return s;
}

void TracciaCanale::ricalcola()
{
    const int n = size() / m_larghezza;
    m_secchi.resize(n);
    for (int b = 0; b < n; ++b)
        m_secchi[b] = calcola(b);
}

QList<QList<QPointF>> TracciaCanale::segmenti() const
{
    QList<QList<QPointF>> tutti;
    QList<QPointF> corrente;
    const auto chiudi = [&] {
        if (!corrente.isEmpty())
            tutti.append(corrente);
        corrente.clear();
    };
    const auto aggiungi = [&](const Secchio& s) {
        if (!s.pieno) {
            chiudi();
        } else if (s.xMin == s.xMax) {
            corrente.append(QPointF(s.xMin, s.min));
        } else if (s.xMin < s.xMax) {
            corrente.append(QPointF(s.xMin, s.min));
            corrente.append(QPointF(s.xMax, s.max));
        } else {
            corrente.append(QPointF(s.xMax, s.max));
            corrente.append(QPointF(s.xMin, s.min));
        }
    };
    for (const Secchio& s : m_secchi)
        aggiungi(s);
    // The bucket still filling counts like the others.
    if (size() > int(m_secchi.size()) * m_larghezza)
        aggiungi(calcola(int(m_secchi.size())));
    chiudi();
    return tutti;
}
