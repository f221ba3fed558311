#include "live/Grafici.h"

#include "common/TextForms.h"
#include "live/GrigliaMisure.h"
#include "live/PenneGrafico.h"
#include "live/TabellaGrafico.h"
#include "ui_Grafici.h"

#include <QCategoryAxis>
#include <QChart>
#include <QCloseEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScreen>
#include <QValueAxis>

#include <cmath>
#include <limits>

namespace {

double valoreCella(const QString& testo)
{
    return TextForms::isNumber(testo) ? TextForms::value(testo)
                                      : std::numeric_limits<double>::quiet_NaN();
}

} // namespace

Grafici::Grafici(TabellaGrafico& tabella, GrigliaMisure* griglia, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_ui(std::make_unique<Ui::Grafici>()), m_tabella(tabella), m_griglia(griglia),
      m_asseX(new QCategoryAxis(this)), m_asseY(new QValueAxis(this))
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(size());
    m_chkCH = {m_ui->chkCH_0,  m_ui->chkCH_1,  m_ui->chkCH_2,  m_ui->chkCH_3,
               m_ui->chkCH_4,  m_ui->chkCH_5,  m_ui->chkCH_6,  m_ui->chkCH_7,
               m_ui->chkCH_8,  m_ui->chkCH_9,  m_ui->chkCH_10, m_ui->chkCH_11,
               m_ui->chkCH_12, m_ui->chkCH_13, m_ui->chkCH_14, m_ui->chkCH_15};
    for (int n = 0; n < m_chkCH.size(); ++n)
        m_chkCH[n]->setVisible(n < m_tabella.NumCanaliGrafico);

    QChart* chart = grafico();
    m_asseX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_asseX->setLabelsAngle(-45);
    m_asseX->setTruncateLabels(false);
    chart->addAxis(m_asseX, Qt::AlignBottom);
    chart->addAxis(m_asseY, Qt::AlignLeft);
    chart->legend()->setAlignment(Qt::AlignRight);
    svuota();

    m_ui->MSChart1->setViewportUpdateMode(QGraphicsView::NoViewportUpdate);
    m_ridisegno.setSingleShot(true);
    m_ridisegno.setInterval(RitmoDisegnoMs);
    connect(&m_ridisegno, &QTimer::timeout, this, [this] { m_ui->MSChart1->viewport()->update(); });

    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());

    connect(m_ui->cmdDisegna, &QPushButton::clicked, this, &Grafici::cmdDisegna);
    connect(m_ui->cmdChiudi, &QPushButton::clicked, this, &Grafici::cmdChiudi);
}

Grafici::~Grafici() = default;

QChart* Grafici::grafico() const
{
    return m_ui->MSChart1->chart();
}

void Grafici::cmdChiudi()
{
    close();
}

void Grafici::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit chiuso();
}

void Grafici::svuota()
{
    grafico()->removeAllSeries();
    m_serie.clear();
    m_tracce.clear();
    m_canali.clear();
    m_righeTracciate = 0;
    m_etichette.clear();
    m_fineAsseX = 0;
    m_rangeY = false;
    for (const QString& e : m_asseX->categoriesLabels())
        m_asseX->remove(e);
    m_asseX->setVisible(false);
    m_asseY->setVisible(false);
}

void Grafici::popola_grafico()
{
    // The repaint comes once the changes below are made.
    if (!m_ridisegno.isActive())
        m_ridisegno.start();
    int prima = 0;
    if (m_griglia)
        prima = m_tabella.riempiDaGriglia(*m_griglia);
    const int righe = int(m_tabella.DatiGrafico.size()) - 1; // L

    QList<int> spuntati;
    for (int n = 0; n < m_chkCH.size(); ++n)
        if (!m_chkCH[n]->isHidden() && m_chkCH[n]->isChecked())
            spuntati.append(n);
    if (spuntati.isEmpty() || righe < 0) {
        svuota();
        return;
    }
    if (spuntati != m_canali || prima == 0 || prima - 1 > m_righeTracciate) {
        svuota();
        m_canali = spuntati;
        m_tracce.resize(spuntati.size());
        m_serie.resize(spuntati.size());
        prima = 1;
    }

    aggiornaTracce(prima, righe);
    for (int c = 0; c < m_canali.size(); ++c)
        aggiornaSerie(c, m_canali.at(c));
    aggiornaAsseTempo(righe);
    aggiornaAsseValori();
}

void Grafici::aggiornaTracce(int prima, int righe)
{
    for (int c = 0; c < m_canali.size(); ++c) {
        TracciaCanale& t = m_tracce[c];
        t.tronca(prima - 1);
        const int colonna = m_canali.at(c) + 1;
        for (int r = t.size() + 1; r <= righe; ++r)
            t.aggiungi(valoreCella(m_tabella.cella(r, colonna)));
    }
    m_righeTracciate = righe;
}

void Grafici::aggiornaSerie(int c, int canale)
{
    const QList<QList<QPointF>> pezzi = m_tracce.at(c).segmenti();
    QList<QLineSeries*>& serie = m_serie[c];
    // At least one series per channel, so its name shows in the legend even
    // before it has a point.
    const qsizetype servono = std::max<qsizetype>(1, pezzi.size());
    QChart* chart = grafico();
    while (serie.size() > servono)
        chart->removeSeries(serie.takeLast());
    while (serie.size() < servono) {
        auto* s = new QLineSeries(chart);
        s->setPen(PenneGrafico::penna(canale));
        chart->addSeries(s);
        s->attachAxis(m_asseX);
        s->attachAxis(m_asseY);
        serie.append(s);
    }
    const QString nome = m_tabella.cella(0, canale + 1);
    for (qsizetype i = 0; i < serie.size(); ++i) {
        QLineSeries* s = serie.at(i);
        if (s->name() != nome)
            s->setName(nome);
        const QList<QPointF> punti = i < pezzi.size() ? pezzi.at(i) : QList<QPointF>();
        // A reading alone between two gaps has no line: show it as a dot.
        if (s->pointsVisible() != (punti.size() == 1))
            s->setPointsVisible(punti.size() == 1);
        s->replace(punti);
        const QList<QLegendMarker*> marcatori = chart->legend()->markers(s);
        for (QLegendMarker* m : marcatori)
            m->setVisible(i == 0);
    }
}

void Grafici::aggiornaAsseTempo(int righe)
{
    // Category r - 1 is table row r; a label on every m-th one, from the first.
    const int passo = PenneGrafico::passoEtichette(righe);
    QList<QPair<QString, int>> volute;
    for (int x = 0; x < righe; x += passo)
        volute.append({m_tabella.cella(x + 1, 0), x});
    if (volute != m_etichette) {
        for (const QString& e : m_asseX->categoriesLabels())
            m_asseX->remove(e);
        m_asseX->setStartValue(-1);
        // Two cycles in the same second have the same label: the axis keeps
        // one label per text, so the later one is left without.
        for (const auto& [testo, x] : volute)
            m_asseX->append(testo, x);
        m_etichette = volute;
    }
    // Every change of range redraws every line: the axis grows in steps of
    // a quarter, not by one category per cycle.
    const int ultima = std::max(1, righe - 1);
    if (ultima > m_fineAsseX) {
        m_fineAsseX = ultima < 20 ? 20 : int(std::ceil(ultima * 1.25));
        m_asseX->setRange(0, m_fineAsseX);
    }
    m_asseX->setVisible(true);
}

void Grafici::aggiornaAsseValori()
{
    double minimo = std::numeric_limits<double>::infinity();
    double massimo = -minimo;
    for (const QList<QLineSeries*>& serie : m_serie)
        for (const QLineSeries* s : serie)
            for (const QPointF& p : s->points()) {
                minimo = std::min(minimo, p.y());
                massimo = std::max(massimo, p.y());
            }
    if (!std::isfinite(minimo)) {
        minimo = 0;
        massimo = 1;
    }
    // Widened only when a reading falls outside, with room to spare.
    if (!m_rangeY || minimo < m_minimoY || massimo > m_massimoY) {
        const double margine = massimo > minimo ? (massimo - minimo) * 0.1 : 1.0;
        m_minimoY = minimo - margine;
        m_massimoY = massimo + margine;
        m_rangeY = true;
        m_asseY->setRange(m_minimoY, m_massimoY);
    }
    m_asseY->setVisible(true);
}
