#pragma once

#include "live/TracciaCanale.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

class GrigliaMisure;
class QCategoryAxis;
class QChart;
class QCheckBox;
class QLineSeries;
class QValueAxis;
class TabellaGrafico;

namespace Ui {
class Grafici;
}

// The chart of the continuous measure: one line per ticked channel against
// the time of each cycle, drawn from the continuous window's grid and
// redrawn after every cycle while it is open. A cell that is not a number
// ("Timeout", an empty cell) leaves a gap in its line.
//
// Once the continuous window (and with it the grid) is gone, the chart keeps
// drawing from the table as it was last filled.
class Grafici : public QWidget
{
    Q_OBJECT
public:
    Grafici(TabellaGrafico& tabella, GrigliaMisure* griglia, QWidget* parent = nullptr);
    ~Grafici() override;

    // Refills the table from the grid and draws the ticked channels.
    void popola_grafico();
    void cmdDisegna() { popola_grafico(); }
    void cmdChiudi();

    // --- for the continuous window and the tests ---
    QCheckBox* chkCH(int n) const { return m_chkCH.at(n); }
    QChart* grafico() const;
    QCategoryAxis* asseTempo() const { return m_asseX; }
    QValueAxis* asseValori() const { return m_asseY; }
    // The channels drawn, in order, and the pieces of the line of the c-th.
    QList<int> canaliDisegnati() const { return m_canali; }
    QList<QLineSeries*> segmentiCanale(int c) const { return m_serie.value(c); }

signals:
    void chiuso();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void svuota();
    void aggiornaTracce(int prima, int righe);
    void aggiornaSerie(int c, int canale);
    void aggiornaAsseTempo(int righe);
    void aggiornaAsseValori();

    std::unique_ptr<Ui::Grafici> m_ui;
    TabellaGrafico& m_tabella;
    QPointer<GrigliaMisure> m_griglia;
    QList<QCheckBox*> m_chkCH;
    QCategoryAxis* m_asseX;
    QValueAxis* m_asseY;
    // Repaints the chart at most every RitmoDisegnoMs: a fast run redraws
    // its data every cycle without painting faster than the eye can follow.
    QTimer m_ridisegno;
    static constexpr int RitmoDisegnoMs = 40;

    QList<int> m_canali;                // ticked channels, as last drawn
    QList<TracciaCanale> m_tracce;      // one per drawn channel
    QList<QList<QLineSeries*>> m_serie; // the segments of each drawn channel
    int m_righeTracciate = 0;           // table rows the traces hold
    QList<QPair<QString, int>> m_etichette;
    int m_fineAsseX = 0; // last category the time axis shows
    bool m_rangeY = false;
    double m_minimoY = 0, m_massimoY = 0;
};
