#include "config/TempiAcquisizione.h"

#include "common/Dialogs.h"
#include "common/FieldColours.h"
#include "common/TextForms.h"
#include "config/MarcaModifiche.h"
#include "config/ReplyFields.h"
#include "link/Modulo1.h"
#include "startup/ui_Form1.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

enum Campo
{
    Ore,
    Minuti,
    Secondi
};

double valore(const QLineEdit* casella)
{
    return TextForms::value(casella->text());
}

bool inIntervallo(const QLineEdit* casella, double massimo)
{
    const double v = valore(casella);
    return v >= 0 && v <= massimo;
}

// The timing boxes never keep blanks around their text, typed or read.
void senzaSpazi(QLineEdit* casella)
{
    QObject::connect(casella, &QLineEdit::textChanged, casella, [casella](const QString& testo) {
        const QString pulito = ReplyFields::trimmed(testo);
        if (pulito != testo)
            casella->setText(pulito);
    });
}

} // namespace

TempiAcquisizione::TempiAcquisizione(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs,
                                     QObject* parent)
    : QObject(parent), m_ui(ui), m_link(link),
      m_dialogs(dialogs), m_conversione{ui.conversione_0, ui.conversione_1, ui.conversione_2}
{
    auto* marca = new MarcaModifiche(MarcaModifiche::Carattere, this);
    for (QLineEdit* casella : m_conversione + QList<QLineEdit*>{ui.preaccensione}) {
        marca->osserva(casella);
        senzaSpazi(casella);
    }

    connect(ui.Command2, &QPushButton::clicked, this, &TempiAcquisizione::Command2);
    connect(ui.Command1, &QPushButton::clicked, this, &TempiAcquisizione::Command1);
    connect(ui.preacc, &QPushButton::clicked, this, &TempiAcquisizione::preacc);
    connect(ui.impostapreacc, &QPushButton::clicked, this, &TempiAcquisizione::impostapreacc);
}

void TempiAcquisizione::Command2()
{
    m_link.Disabilita_Comandi();
    m_link.Invia_Comando(QStringLiteral("C"), QStringLiteral(","));
    ReplyFields::show(m_conversione, ReplyFields::read(m_link, 3), FieldColours::Confirmed);
    m_link.Abilita_Comandi();
}

void TempiAcquisizione::Command1()
{
    m_link.Disabilita_Comandi();
    if (intervalloValido()) {
        ReplyFields::colour(m_conversione, FieldColours::Confirmed);
        const QString v = QStringLiteral(",");
        m_link.Invia_Comando(QStringLiteral("c"), m_conversione[Ore]->text() + v +
                                                      m_conversione[Minuti]->text() + v +
                                                      m_conversione[Secondi]->text() + v);
    } else {
        m_dialogs.message(QStringLiteral("Attenzione!!"), QString::fromUtf8(MessaggioTempo),
                          Dialogs::Icon::Information);
        m_dialogs.beep();
    }
    m_link.Abilita_Comandi();
}

bool TempiAcquisizione::intervalloValido()
{
    if (!inIntervallo(m_conversione[Ore], 23) || !inIntervallo(m_conversione[Minuti], 59) ||
        !inIntervallo(m_conversione[Secondi], 59))
        return false;

    // Formatted before the minimum test, so the three digits stay in view
    // even when the interval then proves too short.
    for (QLineEdit* casella : m_conversione)
        ReplyFields::setWhole(casella, TextForms::formatText(casella->text(), u"000"));

    for (const QLineEdit* casella : m_conversione)
        if (!TextForms::isNumber(casella->text()))
            return false;
    const double totale = valore(m_conversione[Ore]) * 3600 + valore(m_conversione[Minuti]) * 60 +
                          valore(m_conversione[Secondi]);
    return totale >= (m_link.VersioneGSM ? MinimoGSM : MinimoNonGSM);
}

void TempiAcquisizione::preacc()
{
    m_link.Disabilita_Comandi();
    m_link.Invia_Comando(QStringLiteral("E"), QStringLiteral(","));
    ReplyFields::show({m_ui.preaccensione}, ReplyFields::read(m_link, 1), FieldColours::Confirmed);
    m_link.Abilita_Comandi();
}

void TempiAcquisizione::impostapreacc()
{
    m_link.Disabilita_Comandi();
    QLineEdit* casella = m_ui.preaccensione;
    if (valore(casella) > MassimaPreaccensione) {
        m_dialogs.message(QStringLiteral("Attenzione"), QString::fromUtf8(MessaggioPreaccensione),
                          Dialogs::Icon::Information);
        casella->setText(QStringLiteral("0"));
    } else if (!TextForms::isNumber(casella->text())) {
        // Letters or a comma would reach the logger as they are (a comma
        // even as two fields): nothing is sent.
        m_dialogs.message(QStringLiteral("Attenzione"),
                          QString::fromUtf8(MessaggioPreaccensioneNonNumerica),
                          Dialogs::Icon::Information);
    } else {
        const QString testo = TextForms::format(valore(casella), u"00000");
        ReplyFields::setWhole(casella, testo);
        FieldColours::setColour(casella, FieldColours::Confirmed);
        m_link.Invia_Comando(QStringLiteral("e"), testo + QLatin1Char(','));
    }
    m_link.Abilita_Comandi();
}
