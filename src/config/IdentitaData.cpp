#include "config/IdentitaData.h"

#include "common/Dialogs.h"
#include "common/FieldColours.h"
#include "common/TextForms.h"
#include "config/CampiSenzaVirgola.h"
#include "config/MarcaModifiche.h"
#include "config/ReplyFields.h"
#include "link/Modulo1.h"
#include "startup/ui_Form1.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

const QString TitoloAvviso = QStringLiteral("Attenzione!!");
const QStringList NomiCampi = {QStringLiteral("Giorno"), QStringLiteral("Mese"),
                               QStringLiteral("Anno"), QStringLiteral("Ore"),
                               QStringLiteral("Min")};

enum Campo
{
    Giorno,
    Mese,
    Anno,
    Ore,
    Minuti
};

bool inIntervallo(const QLineEdit* casella, double minimo, double massimo)
{
    const double v = TextForms::value(casella->text());
    return v >= minimo && v <= massimo;
}

} // namespace

IdentitaData::IdentitaData(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_ui(ui), m_link(link), m_dialogs(dialogs)
{
    m_dataAttuale = {{ui.data_0, ui.data_1, ui.data_2, ui.data_3, ui.data_4},
                     QStringLiteral("G"),
                     QStringLiteral("g"),
                     0,
                     QStringLiteral("della Data Attuale")};
    m_dataStart = {{ui.data_allarme_0, ui.data_allarme_1, ui.data_allarme_2, ui.data_allarme_3,
                    ui.data_allarme_4},
                   QStringLiteral("Y"),
                   QStringLiteral("y"),
                   1,
                   QStringLiteral("della Data Start")};

    auto* marca = new MarcaModifiche(MarcaModifiche::Carattere, this);
    marca->osserva(ui.Nome_Centralina);
    marca->osservaTutte(m_dataAttuale.caselle + m_dataStart.caselle);

    connect(ui.leggi_nome, &QPushButton::clicked, this, &IdentitaData::leggi_nome);
    connect(ui.imposta_nome, &QPushButton::clicked, this, &IdentitaData::imposta_nome);
    connect(ui.leggidata, &QPushButton::clicked, this, &IdentitaData::leggidata);
    connect(ui.impostadata, &QPushButton::clicked, this, &IdentitaData::impostadata);
    connect(ui.LeggiDataAllarme, &QPushButton::clicked, this, &IdentitaData::LeggiDataAllarme);
    connect(ui.ScriviDataAllarme, &QPushButton::clicked, this, &IdentitaData::ScriviDataAllarme);
    connect(ui.Subito, &QPushButton::clicked, this, &IdentitaData::Subito);
}

void IdentitaData::leggi_nome()
{
    m_link.Disabilita_Comandi();
    m_link.Invia_Comando(QStringLiteral("Q"), QString());
    ReplyFields::show({m_ui.Nome_Centralina}, ReplyFields::read(m_link, 1), FieldColours::Confirmed,
                      ReplyFields::trimmed);
    m_link.Abilita_Comandi();
}

void IdentitaData::imposta_nome()
{
    m_link.Disabilita_Comandi();
    QLineEdit* nome = m_ui.Nome_Centralina;
    CampiSenzaVirgola campi;
    campi.aggiungi(QStringLiteral("\"Identificativo\""), nome->text());
    if (campi.controlla(m_dialogs)) {
        FieldColours::setColour(nome, FieldColours::Confirmed);
        nome->setText(ReplyFields::trimmed(nome->text()));
        // Not read back: the logger does not acknowledge it.
        m_link.Invia_Comando(QStringLiteral("q"), nome->text() + QLatin1Char(','));
    }
    m_link.Abilita_Comandi();
}

void IdentitaData::leggidata()
{
    leggiRiga(m_dataAttuale);
}

void IdentitaData::impostadata()
{
    scriviRiga(m_dataAttuale, &IdentitaData::leggidata);
}

void IdentitaData::LeggiDataAllarme()
{
    leggiRiga(m_dataStart);
}

void IdentitaData::ScriviDataAllarme()
{
    scriviRiga(m_dataStart, &IdentitaData::LeggiDataAllarme);
}

void IdentitaData::Subito()
{
    m_link.Disabilita_Comandi();
    // The start-date boxes are not sent, but a wrong hour or minute in them
    // still stops the operation.
    if (!orarioValido(m_dataStart)) {
        m_link.Abilita_Comandi();
        return;
    }
    m_link.Invia_Comando(QStringLiteral("y"), QString::fromLatin1(TestoSubito));
    LeggiDataAllarme();
}

void IdentitaData::leggiRiga(const RigaData& riga)
{
    m_link.Disabilita_Comandi();
    m_link.Svuota_Buffer();
    m_link.Invia_Comando(riga.lettura, QStringLiteral(","));
    const QStringList campi = ReplyFields::read(m_link, 5 + riga.campiScartati);
    const QList<QLineEdit*>& c = riga.caselle;
    ReplyFields::show({c[Giorno], c[Mese], c[Anno]}, campi.mid(Giorno, 3), FieldColours::Confirmed,
                      ReplyFields::plainNumber);
    ReplyFields::show({c[Ore], c[Minuti]}, campi.mid(Ore, 2), FieldColours::Confirmed,
                      ReplyFields::twoDigits);
    m_link.Abilita_Comandi();
}

void IdentitaData::scriviRiga(const RigaData& riga, void (IdentitaData::*rilettura)())
{
    m_link.Disabilita_Comandi();
    if (!orarioValido(riga)) {
        m_link.Abilita_Comandi();
        return;
    }
    CampiSenzaVirgola campi;
    for (int i = Giorno; i <= Minuti; ++i)
        campi.aggiungi(QStringLiteral("\"%1\" %2").arg(NomiCampi[i], riga.nome),
                       riga.caselle[i]->text());
    if (!campi.controlla(m_dialogs)) {
        m_link.Abilita_Comandi();
        return;
    }
    ReplyFields::colour(riga.caselle, FieldColours::Confirmed);
    m_link.Invia_Comando(riga.scrittura, parametriData(riga));
    // The read-back shows what the logger now holds and unlocks the commands.
    (this->*rilettura)();
}

bool IdentitaData::orarioValido(const RigaData& riga)
{
    if (inIntervallo(riga.caselle[Ore], 0, 23) && inIntervallo(riga.caselle[Minuti], 0, 59))
        return true;
    rifiuta(QString::fromLatin1(MessaggioOrario));
    return false;
}

void IdentitaData::rifiuta(const QString& testo)
{
    m_dialogs.message(TitoloAvviso, testo, Dialogs::Icon::Information);
    m_dialogs.beep();
}

QString IdentitaData::parametriData(const RigaData& riga)
{
    // The boxes go as typed; only the year is sent as years since 1900.
    const QList<QLineEdit*>& c = riga.caselle;
    const QString anno = TextForms::signedText(TextForms::value(c[Anno]->text()) - 1900);
    const QString v = QStringLiteral(",");
    return c[Giorno]->text() + v + c[Mese]->text() + v + anno + v + c[Ore]->text() + v +
           c[Minuti]->text() + v;
}
