#include "live/PenneGrafico.h"

#include <QColor>

namespace {

struct Penna
{
    int rosso, verde, blu;
};

constexpr Penna Tabella[PenneGrafico::NumeroPenne] = {
    {240, 0, 0},    {40, 40, 40},   {0, 0, 240},   {0, 140, 140}, {140, 0, 140}, {140, 140, 0},
    {80, 0, 240},   {0, 80, 240},   {200, 80, 50}, {20, 80, 20},  {50, 80, 200}, {80, 120, 120},
    {120, 80, 140}, {100, 120, 80}, {30, 50, 200}, {20, 90, 180},
};

} // namespace

QPen PenneGrafico::penna(int canale)
{
    const Penna& p = Tabella[qBound(0, canale, NumeroPenne - 1)];
    QPen pen(QColor(p.rosso, p.verde, p.blu));
    const bool punteggiata = canale >= 8;
    pen.setStyle(punteggiata ? Qt::DotLine : Qt::SolidLine);
    pen.setWidth(punteggiata ? 2 : 1);
    return pen;
}

int PenneGrafico::passoEtichette(int righe)
{
    if (righe <= 20)
        return 1;
    const int quoziente = righe / 20;
    const int resto = righe % 20;
    if (2 * resto > 20 || (2 * resto == 20 && quoziente % 2 == 1))
        return quoziente + 1;
    return quoziente;
}
