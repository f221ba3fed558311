#pragma once

#include <QList>
#include <QPointF>

// The line of one channel on the chart: its readings by category (NaN where
// the cell is not a number) turned into unbroken segments of points.
//
// A long run has far more categories than the chart has pixels, so the
// readings are gathered in buckets of w categories and each bucket gives its
// lowest and highest point: the line keeps its peaks, and the points handed
// to the chart stay under about 2 * MaxSecchi however long the run, so a
// redraw costs the same after 30,000 cycles as after 1,000. Up to MaxSecchi
// categories every reading is a point of its own.
class TracciaCanale
{
public:
    static constexpr int MaxSecchi = 256;

    int size() const { return int(m_valori.size()); }
    // Keeps the first n readings.
    void tronca(int n);
    void aggiungi(double valore);

    // Unbroken runs of points (x = category index, y = reading), in order; a
    // reading that is not a number ends a run.
    QList<QList<QPointF>> segmenti() const;
    int larghezzaSecchio() const { return m_larghezza; }

private:
    struct Secchio
    {
        bool pieno = false; // holds at least one number
        int xMin = 0, xMax = 0;
        double min = 0, max = 0;
    };
    Secchio calcola(int secchio) const;
    void ricalcola();

    QList<double> m_valori;
    QList<Secchio> m_secchi; // complete buckets only
    int m_larghezza = 1;
};
