#include "live/Grafici.h"
#include "live/GrigliaMisure.h"
#include "live/PenneGrafico.h"
#include "live/TabellaGrafico.h"
#include "live/TracciaCanale.h"

#include <QCategoryAxis>
#include <QChart>
#include <QCheckBox>
#include <QLegendMarker>
#include <QLineSeries>
#include <QtTest>

#include <cmath>
#include <limits>

// The chart of the continuous measure: pens, label step, gaps, the table it
// is drawn from, and how the line of a long run is thinned.
class TestGrafici : public QObject
{
    Q_OBJECT

    // A grid of `rows` cycles over 16 channels; reading of channel c in cycle
    // r (1-based) is 100 * c + r, unless `cell` says otherwise.
    static void fill(GrigliaMisure& g, int rows, std::function<QString(int, int)> cell = nullptr)
    {
        QStringList head{"Date"};
        for (int c = 0; c < 16; ++c)
            head << QStringLiteral("CH %1").arg(c);
        g.azzera(head);
        for (int r = 1; r <= rows; ++r) {
            if (r > 1)
                g.aggiungiRiga();
            g.setTextMatrix(r, 0, QStringLiteral("09/12/2023 18:%1:00").arg(r, 4, 10, QChar('0')));
            for (int c = 0; c < 16; ++c)
                g.setTextMatrix(r, c + 1, cell ? cell(r, c) : QString::number(100 * c + r));
        }
    }

    // The chart window over the grid, the channels ticked and drawn.
    static std::unique_ptr<Grafici> chart(TabellaGrafico& t, GrigliaMisure& g,
                                          const QList<int>& ticked)
    {
        t.riempiDaGriglia(g);
        auto w = std::make_unique<Grafici>(t, &g);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        for (int n : ticked)
            w->chkCH(n)->setChecked(true);
        w->cmdDisegna();
        return w;
    }

    static QList<QPointF> pointsOf(const QList<QLineSeries*>& pieces)
    {
        QList<QPointF> all;
        for (QLineSeries* s : pieces)
            all += s->points();
        return all;
    }

private slots:
    void labelStep_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("step");
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("20") << 20 << 1;
        QTest::newRow("21 (1.05)") << 21 << 1;
        QTest::newRow("30 (1.5 to 2)") << 30 << 2;
        QTest::newRow("45 (2.25)") << 45 << 2;
        QTest::newRow("50 (2.5 to 2)") << 50 << 2;
        QTest::newRow("70 (3.5 to 4)") << 70 << 4;
        QTest::newRow("90 (4.5 to 4)") << 90 << 4;
        QTest::newRow("30000") << 30000 << 1500;
    }

    void labelStep()
    {
        QFETCH(int, rows);
        QFETCH(int, step);
        QCOMPARE(PenneGrafico::passoEtichette(rows), step);

        // On the chart: a label on categories 0, m, 2m, ... with its cycle's time.
        if (rows > 100)
            return;
        GrigliaMisure g;
        TabellaGrafico t;
        fill(g, rows);
        auto w = chart(t, g, {0});
        const QStringList labels = w->asseTempo()->categoriesLabels();
        QCOMPARE(labels.size(), (rows + step - 1) / step);
        for (int i = 0; i < labels.size(); ++i) {
            QCOMPARE(labels[i], t.cella(1 + i * step, 0));
            QCOMPARE(w->asseTempo()->endValue(labels[i]), double(i * step));
        }
        QCOMPARE(w->asseTempo()->labelsPosition(), QCategoryAxis::AxisLabelsPositionOnValue);
    }

    void pensFollowTheChannelNotTheOrder()
    {
        GrigliaMisure g;
        TabellaGrafico t;
        fill(g, 5);
        auto w = chart(t, g, {2, 9});
        QCOMPARE(w->canaliDisegnati(), (QList<int>{2, 9}));
        QLineSeries* a = w->segmentiCanale(0).first();
        QLineSeries* b = w->segmentiCanale(1).first();
        QCOMPARE(a->name(), QString("CH 2"));
        QCOMPARE(b->name(), QString("CH 9"));
        QCOMPARE(a->pen().color(), QColor(0, 0, 240));
        QCOMPARE(a->pen().style(), Qt::SolidLine);
        QCOMPARE(a->pen().width(), 1);
        QCOMPARE(b->pen().color(), QColor(20, 80, 20));
        QCOMPARE(b->pen().style(), Qt::DotLine);
        QCOMPARE(b->pen().width(), 2);
        QCOMPARE(a->points(), (QList<QPointF>{{0, 201}, {1, 202}, {2, 203}, {3, 204}, {4, 205}}));
        QCOMPARE(w->grafico()->series().size(), 2);

        // The same channel alone keeps its pen.
        w->chkCH(2)->setChecked(false);
        w->cmdDisegna();
        QCOMPARE(w->segmentiCanale(0).first()->pen().color(), QColor(20, 80, 20));
        QCOMPARE(w->grafico()->series().size(), 1);
    }

    void nothingTickedGivesAnEmptyChart()
    {
        GrigliaMisure g;
        TabellaGrafico t;
        fill(g, 4);
        t.riempiDaGriglia(g);
        t.NumCanaliGrafico = 3;
        Grafici w(t, &g);
        QCOMPARE(w.chkCH(2)->isHidden(), false);
        QCOMPARE(w.chkCH(3)->isHidden(), true);
        w.popola_grafico();
        QVERIFY(w.grafico()->series().isEmpty());
        // A hidden box counts as unticked.
        w.chkCH(3)->setChecked(true);
        w.popola_grafico();
        QVERIFY(w.grafico()->series().isEmpty());
    }

    void cellsThatAreNotNumbersLeaveGaps()
    {
        GrigliaMisure g;
        TabellaGrafico t;
        fill(g, 6, [](int r, int) {
            return r == 3 ? QString("Timeout") : r == 5 ? QString() : QString::number(r);
        });
        auto w = chart(t, g, {0});
        const QList<QLineSeries*> pieces = w->segmentiCanale(0);
        QCOMPARE(pieces.size(), 3);
        QCOMPARE(pieces[0]->points(), (QList<QPointF>{{0, 1}, {1, 2}}));
        QCOMPARE(pieces[1]->points(), (QList<QPointF>{{3, 4}}));
        QVERIFY(pieces[1]->pointsVisible()); // a lone reading shows as a dot
        QCOMPARE(pieces[2]->points(), (QList<QPointF>{{5, 6}}));
        // One legend entry per channel.
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        int shown = 0;
        for (QLegendMarker* m : w->grafico()->legend()->markers())
            shown += m->isVisible();
        QCOMPARE(shown, 1);
    }

    void tableCopiesOnlyWhatTheGridAdded()
    {
        GrigliaMisure g;
        TabellaGrafico t;
        fill(g, 3);
        QCOMPARE(t.riempiDaGriglia(g), 0);
        g.aggiungiRiga();
        g.setTextMatrix(4, 1, "x");
        QCOMPARE(t.riempiDaGriglia(g), 3);
        QCOMPARE(t.DatiGrafico.size(), 5);
        QCOMPARE(t.cella(4, 1), QString("x"));
        QCOMPARE(t.NumCanaliGrafico, 16);
        QCOMPARE(t.NumRigheGrafico, 4);
        // A change to an earlier row or a new run: a whole copy again.
        g.setTextMatrix(1, 1, "y");
        QCOMPARE(t.riempiDaGriglia(g), 0);
        QCOMPARE(t.cella(1, 1), QString("y"));
        fill(g, 2);
        QCOMPARE(t.riempiDaGriglia(g), 0);
        QCOMPARE(t.DatiGrafico.size(), 3);
        GrigliaMisure other;
        fill(other, 2);
        QCOMPARE(t.riempiDaGriglia(other), 0);
    }

    void longRunIsThinnedButKeepsItsPeaks()
    {
        TracciaCanale trace;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        for (int x = 0; x < 30000; ++x)
            trace.aggiungi(x == 12345 ? 9999.0 : x == 20000 ? -50.0 : std::sin(x / 100.0));
        const QList<QList<QPointF>> pieces = trace.segmenti();
        QCOMPARE(pieces.size(), 1);
        const QList<QPointF>& p = pieces.first();
        QVERIFY(p.size() <= 2 * TracciaCanale::MaxSecchi + 2);
        QVERIFY(p.size() > TracciaCanale::MaxSecchi);
        QVERIFY(p.contains(QPointF(12345, 9999.0)));
        QVERIFY(p.contains(QPointF(20000, -50.0)));
        for (int i = 1; i < p.size(); ++i)
            QVERIFY(p[i].x() > p[i - 1].x());

        // Up to MaxSecchi readings every one is a point; the tail can be redone.
        TracciaCanale small;
        for (int x = 0; x < 10; ++x)
            small.aggiungi(x == 4 ? nan : x);
        QCOMPARE(small.segmenti().size(), 2);
        small.tronca(4);
        small.aggiungi(4);
        QCOMPARE(small.segmenti(),
                 (QList<QList<QPointF>>{{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}}));
    }
};

QTEST_MAIN(TestGrafici)
#include "test_grafici.moc"
