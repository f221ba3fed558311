#include "live/LetturaContinua.h"

#include "common/TextForms.h"
#include "link/Modulo1.h"
#include "live/MisCont.h"
#include "startup/ui_Form1.h"

#include <cmath>

namespace {

constexpr int Posizioni = 16;
const QString NonLetto = QStringLiteral("N.R.");

} // namespace

LetturaContinua::LetturaContinua(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs,
                                 TabellaGrafico& tabella, QObject* parent)
    : QObject(parent), m_ui(ui), m_link(link), m_dialogs(dialogs), m_tabella(tabella)
{
    m_continua = {ui.continua_0,  ui.continua_1,  ui.continua_2,  ui.continua_3,
                  ui.continua_4,  ui.continua_5,  ui.continua_6,  ui.continua_7,
                  ui.continua_8,  ui.continua_9,  ui.continua_10, ui.continua_11,
                  ui.continua_12, ui.continua_13, ui.continua_14, ui.continua_15};
    m_etichette = {ui.LABCANALI_0,  ui.LABCANALI_1,  ui.LABCANALI_2,  ui.LABCANALI_3,
                   ui.LABCANALI_4,  ui.LABCANALI_5,  ui.LABCANALI_6,  ui.LABCANALI_7,
                   ui.LABCANALI_8,  ui.LABCANALI_9,  ui.LABCANALI_10, ui.LABCANALI_11,
                   ui.LABCANALI_12, ui.LABCANALI_13, ui.LABCANALI_14, ui.LABCANALI_15};
    m_mux = {ui.MUX_0, ui.MUX_1, ui.MUX_2, ui.MUX_3};

    const QList<QPushButton*> letture = {ui.MISCONTINUA_0, ui.MISCONTINUA_1, ui.MISCONTINUA_2,
                                         ui.MISCONTINUA_3};
    const QList<QPushButton*> temperature = {ui.MISCONTINUA_TEMP_0, ui.MISCONTINUA_TEMP_1,
                                             ui.MISCONTINUA_TEMP_2, ui.MISCONTINUA_TEMP_3};
    for (int n = 0; n < 4; ++n) {
        connect(letture[n], &QPushButton::clicked, this, [this, n] { MISCONTINUA(n); });
        connect(temperature[n], &QPushButton::clicked, this, [this, n] { MISCONTINUA_TEMP(n); });
    }
    connect(ui.cmdApriMisuraContinua_0, &QPushButton::clicked, this,
            [this] { cmdApriMisuraContinua(0); });
    connect(ui.registradasolo, &QPushButton::clicked, this, &LetturaContinua::registradasolo);
    connect(ui.CONTAIMP, &QPushButton::clicked, this, &LetturaContinua::CONTAIMP);
}

void LetturaContinua::MISCONTINUA(int n)
{
    leggi(n, false);
}

void LetturaContinua::MISCONTINUA_TEMP(int n)
{
    leggi(n, true);
}

QString LetturaContinua::testoLettura(const QString& risposta, int modello)
{
    const double v = TextForms::value(risposta);
    return modello == 0 ? TextForms::format(v, u"######0.0##") : TextForms::plainText(v);
}

QString LetturaContinua::testoTemperatura(const QString& risposta)
{
    const double t = TextForms::value(risposta);
    if (t < -30 || t > 80)
        return QStringLiteral("**N.F.**");
    return TextForms::format(t, u"000.0");
}

void LetturaContinua::coloraEtichetta(int i, bool inAttesa)
{
    QLabel* l = m_etichette.at(i);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, inAttesa ? Qt::red : Qt::black);
    l->setPalette(p);
}

void LetturaContinua::leggi(int n, bool temperature)
{
    if (n < 0 || n >= m_mux.size())
        return;
    m_link.Disabilita_Comandi();
    if (!temperature)
        m_link.Svuota_Buffer();
    for (int i = 0; i < Posizioni; ++i) {
        m_etichette[i]->setText(QStringLiteral("CH") + TextForms::signedText(16 * n + i));
        m_continua[i]->setText(NonLetto);
    }
    m_link.Invia_Comando(temperature ? QStringLiteral("t") : QStringLiteral("p"),
                         TextForms::signedText(n) + QLatin1Char(','));

    // A multiplexer has 16 positions: more pairs than that are not awaited.
    const double k = std::min<double>(TextForms::value(m_mux[n]->text()), Posizioni);
    for (int i = 0; i <= k - 1; ++i) {
        coloraEtichetta(i, true);
        const QString posizione = m_link.Leggi_Risposta();
        const QString lettura = m_link.Interrotto() ? QString() : m_link.Leggi_Risposta();
        coloraEtichetta(i, false);
        // A silent logger or a broken line: the boxes not yet filled keep
        // "N.R." instead of waiting out a time-out for every field.
        if (m_link.Interrotto())
            break;
        const double c = std::nearbyint(TextForms::value(posizione));
        if (c < 0 || c >= Posizioni)
            continue; // no box for that position
        m_continua[int(c)]->setText(temperature ? testoTemperatura(lettura)
                                                : testoLettura(lettura, m_link.ModelloDatalogger));
    }
    m_link.Abilita_Comandi();
}

void LetturaContinua::cmdApriMisuraContinua(int indice)
{
    Q_UNUSED(indice);
    if (!m_misCont) {
        QWidget* finestra = m_ui.cmdApriMisuraContinua_0->window();
        m_misCont = new MisCont(m_link, m_dialogs, m_tabella, finestra);
    }
    m_misCont->QualeMux = 0;
    m_misCont->show();
    m_misCont->raise();
    m_misCont->activateWindow();
}

void LetturaContinua::registradasolo()
{
    m_link.Disabilita_Comandi();
    m_link.Svuota_Buffer();
    m_link.Invia_Comando(QStringLiteral("^"), QString());
    m_link.Abilita_Comandi();
}

void LetturaContinua::CONTAIMP()
{
    m_link.Invia_Comando(QStringLiteral("L"), QStringLiteral(","));
    m_ui.Text2->setText(m_link.Leggi_Risposta());
}
