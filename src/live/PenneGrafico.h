#pragma once

#include <QPen>

// The chart's fixed look: one pen per channel, whichever other channels are
// drawn, and how many categories apart the time labels stand.
class PenneGrafico
{
public:
    static constexpr int NumeroPenne = 16;

    // The pen of channel 0..15 (channels 0-7 solid, width 1; 8-15 dotted, width 2).
    static QPen penna(int canale);

    // With L rows of readings, a label on every m-th category: 1 up to 20
    // rows, then L / 20 rounded to the nearest integer, a half to the even one.
    static int passoEtichette(int righe);
};
