#include "config/Allarmi_An.h"

#include "common/FieldColours.h"
#include "common/TextForms.h"
#include "config/CampiSenzaVirgola.h"
#include "config/MarcaModifiche.h"
#include "config/ReplyFields.h"
#include "link/Modulo1.h"
#include "ui_Allarmi_An.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

const QString NonAttivo = QStringLiteral("Non Attivo");

QString canale(int m, int p)
{
    return TextForms::signedText(FinestraCanali::Righe * m + p);
}

} // namespace

Allarmi_An::Allarmi_An(const CaselleMux& mux, QWidget* finestraPrincipale, Modulo1& link,
                       Dialogs& dialogs, QWidget* parent)
    : FinestraCanali(mux, finestraPrincipale, link, dialogs, parent),
      m_ui(std::make_unique<Ui::Allarmi_An>())
{
    m_ui->setupUi(this);
    Leggi_all_ = serie<QPushButton, NumeroMux>("Leggi_all");
    ScriviAll_ = serie<QPushButton, NumeroMux>("ScriviAll");
    AllarmeAttivo = serie<QLineEdit, Righe>("AllarmeAttivo");
    CA = serie<QLineEdit, Righe>("CA");
    CB = serie<QLineEdit, Righe>("CB");
    SMS_PERSONALIZZATO = serie<QLineEdit, RigheSms>("SMS_PERSONALIZZATO");

    QList<QPushButton*> pulsanti;
    for (int m = 0; m < NumeroMux; ++m) {
        connect(Leggi_all_[m], &QPushButton::clicked, this, [this, m] { Leggi_all(m); });
        connect(ScriviAll_[m], &QPushButton::clicked, this, [this, m] { ScriviAll(m); });
        pulsanti << Leggi_all_[m] << ScriviAll_[m];
    }
    impostaPulsanti(pulsanti);
    connect(m_ui->MESSAGGIO_PERSONALE_LEGGI, &QPushButton::clicked, this,
            &Allarmi_An::MESSAGGIO_PERSONALE_LEGGI);
    connect(m_ui->MESSAGGIO_PERSONALE_SCRIVI, &QPushButton::clicked, this,
            &Allarmi_An::MESSAGGIO_PERSONALE_SCRIVI);

    auto* modifiche = new MarcaModifiche(MarcaModifiche::Carattere, this);
    modifiche->osservaTutte(AllarmeAttivo);
    modifiche->osservaTutte(CA);
    modifiche->osservaTutte(CB);
    modifiche->osservaTutte(SMS_PERSONALIZZATO);
    for (const auto& colonna : {AllarmeAttivo, CA, CB})
        for (QLineEdit* casella : colonna)
            FieldColours::setColour(casella, FieldColours::ToRead);
    for (QLineEdit* riga : SMS_PERSONALIZZATO)
        FieldColours::setColour(riga, FieldColours::ToRead);
}

Allarmi_An::~Allarmi_An() = default;

void Allarmi_An::Leggi_all(int m)
{
    Operazione operazione(*this);
    leggi(m);
}

void Allarmi_An::leggi(int m)
{
    abilitaPulsanti(false);
    for (QLineEdit* attivo : AllarmeAttivo)
        attivo->setText(NonAttivo);
    const int n = canali(m);
    for (int p = 0; p < n && !chiusa(); ++p) {
        m_link.Invia_Comando(QStringLiteral("J"), canale(m, p) + QLatin1Char(','));
        const QStringList campi = ReplyFields::read(m_link, 3);
        AllarmeAttivo[p]->setText(campi[0]);
        CA[p]->setText(ReplyFields::trimmed(campi[1]));
        CB[p]->setText(ReplyFields::trimmed(campi[2]));
        m_link.Attendi(10);
    }
    abilitaPulsanti(true);
    for (const auto& colonna : {AllarmeAttivo, CA, CB})
        for (QLineEdit* casella : colonna)
            FieldColours::setColour(casella, FieldColours::ToRead);
}

void Allarmi_An::ScriviAll(int m)
{
    Operazione operazione(*this);
    abilitaPulsanti(false);
    const int n = canali(m);
    CampiSenzaVirgola campi;
    for (int p = 0; p < n; ++p) {
        campi.aggiungi(QStringLiteral("\"Attivo\" della riga %1").arg(p), AllarmeAttivo[p]->text());
        campi.aggiungi(QStringLiteral("\"Allarme Up\" della riga %1").arg(p), CA[p]->text());
        campi.aggiungi(QStringLiteral("\"Allarme Down\" della riga %1").arg(p), CB[p]->text());
    }
    if (!campi.controlla(m_dialogs)) {
        abilitaPulsanti(true);
        return;
    }
    for (int p = 0; p < n && !chiusa(); ++p) {
        QString parametri = canale(m, p) + QLatin1Char(',');
        for (const QLineEdit* casella : {AllarmeAttivo[p], CA[p], CB[p]})
            parametri += ReplyFields::trimmed(casella->text()) + QLatin1Char(',');
        m_link.Invia_Comando(QStringLiteral("j"), parametri);
    }
    m_link.Attendi(10);
    leggi(m);
    abilitaPulsanti(true);
}

void Allarmi_An::MESSAGGIO_PERSONALE_LEGGI()
{
    Operazione operazione(*this);
    leggiSms();
}

void Allarmi_An::leggiSms()
{
    m_link.Invia_Comando(QStringLiteral("X"), QString());
    const QStringList righe = ReplyFields::read(m_link, RigheSms);
    for (int i = 0; i < RigheSms; ++i) {
        SMS_PERSONALIZZATO[i]->setText(righe[i]);
        m_link.Attendi(10);
        FieldColours::setColour(SMS_PERSONALIZZATO[i], FieldColours::ToRead);
    }
}

void Allarmi_An::MESSAGGIO_PERSONALE_SCRIVI()
{
    Operazione operazione(*this);
    CampiSenzaVirgola campi;
    for (int i = 0; i < RigheSms; ++i)
        campi.aggiungi(QStringLiteral("SMS PERSONALIZZATO della riga %1").arg(i + 1),
                       SMS_PERSONALIZZATO[i]->text());
    if (!campi.controlla(m_dialogs))
        return;

    m_link.Invia_Comando(QStringLiteral("x"), QString());
    // Each line goes out in the place of a command, in one piece, and only
    // its closing comma is paced.
    for (int i = 0; i < RigheSms; ++i) {
        m_link.Invia_Comando(SMS_PERSONALIZZATO[i]->text(), QStringLiteral(","));
        m_link.Attendi(10);
    }
    m_link.Invia_Comando(QStringLiteral("X"), QString());
    // Its five lines are taken and dropped here: left on the line, they would
    // still be arriving when the read-back's own "X" flushes the input, and
    // the read-back would start in the middle of them.
    ReplyFields::read(m_link, RigheSms);
    leggiSms();
}
