#include "download/LetturaMemoria.h"

#include "common/TextForms.h"
#include "download/ReadingConversions.h"
#include "link/Modulo1.h"

#include <cmath>

namespace {

// Far beyond any memory, small enough that N * (C + 6) stays exact.
constexpr double ConteggioMassimo = 1e12;

} // namespace

LetturaMemoria::LetturaMemoria(Modulo1& link) : m_link(link) {}

qint64 LetturaMemoria::conteggio(const QString& risposta)
{
    const double v = TextForms::value(risposta);
    if (!(v > 0))
        return 0;
    return qint64(std::floor(std::min(v, ConteggioMassimo)));
}

bool LetturaMemoria::campo(QString& testo)
{
    testo = m_link.Leggi_Risposta();
    return !m_link.Interrotto();
}

LetturaMemoria::Esito LetturaMemoria::leggi(const Conversione& converti,
                                            const std::function<bool()>& conEventi,
                                            const std::function<void(int)>& avanzamento)
{
    Esito esito;
    QString testo;
    if (!campo(testo)) {
        esito.interrotto = true;
        return esito;
    }
    esito.record = conteggio(testo);
    if (!campo(testo)) {
        esito.interrotto = true;
        return esito;
    }
    esito.canali = conteggio(testo);
    esito.contiRicevuti = true;

    const double totale = double(esito.record) * double(esito.canali + 6);
    double letti = 0;
    for (qint64 r = 0; r < esito.record; ++r) {
        Registrazione registrazione;
        for (int k = 0; k < 6; ++k) {
            if (!campo(testo)) {
                esito.interrotto = true;
                return esito;
            }
            registrazione.impostaData(k, testo);
        }
        for (qint64 c = 0; c < esito.canali; ++c) {
            if (!campo(testo)) {
                esito.interrotto = true;
                return esito;
            }
            registrazione.aggiungiValore(converti(testo));
        }
        letti += double(esito.canali + 6);
        avanzamento(int(std::floor(letti * 100.0 / totale)));
        if (conEventi()) {
            if (!campo(testo)) {
                esito.interrotto = true;
                return esito;
            }
            registrazione.impostaEventi(ReadingConversions::eventi(testo));
        }
        esito.registrazioni.append(std::move(registrazione));
    }
    return esito;
}
