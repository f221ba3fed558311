#include "live/TabellaGrafico.h"

#include "live/GrigliaMisure.h"

int TabellaGrafico::riempiDaGriglia(const GrigliaMisure& griglia)
{
    const int righe = griglia.Rows();
    int prima = 0;
    // Only the grid's last row changes during a run, so the rows before the
    // one that was last at the previous copy are still the same.
    if (m_sorgente == &griglia && m_generazione == griglia.generazione() &&
        !DatiGrafico.isEmpty() && DatiGrafico.size() <= righe)
        prima = int(DatiGrafico.size()) - 1;

    DatiGrafico.resize(righe);
    for (int r = prima; r < righe; ++r)
        DatiGrafico[r] = griglia.riga(r);
    NumCanaliGrafico = griglia.Cols() - 1;
    NumRigheGrafico = righe - 1;
    m_sorgente = &griglia;
    m_generazione = griglia.generazione();
    return prima;
}

QString TabellaGrafico::cella(int riga, int colonna) const
{
    if (riga < 0 || riga >= DatiGrafico.size())
        return QString();
    const QStringList& r = DatiGrafico.at(riga);
    return colonna >= 0 && colonna < r.size() ? r.at(colonna) : QString();
}
