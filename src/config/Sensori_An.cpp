#include "config/Sensori_An.h"

#include "common/TextForms.h"
#include "config/CampiSenzaVirgola.h"
#include "config/ReplyFields.h"
#include "download/ProprietaSensori.h"
#include "link/Modulo1.h"
#include "ui_Sensori_An.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

const QString NonAttivo = QStringLiteral("Non Attivo");

QString canale(int m, int p)
{
    return TextForms::signedText(FinestraCanali::Righe * m + p);
}

} // namespace

Sensori_An::Sensori_An(const CaselleMux& mux, QWidget* finestraPrincipale, Modulo1& link,
                       Dialogs& dialogs, ProprietaSensori& proprieta, QWidget* parent)
    : FinestraCanali(mux, finestraPrincipale, link, dialogs, parent),
      m_ui(std::make_unique<Ui::Sensori_An>()), m_proprieta(proprieta)
{
    m_ui->setupUi(this);
    Leggi_prop_ = serie<QPushButton, NumeroMux>("Leggi_prop");
    ScriviProp_ = serie<QPushButton, NumeroMux>("ScriviProp");
    NomeCanali = serie<QLineEdit, Righe>("NomeCanali");
    CA = serie<QLineEdit, Righe>("CA");
    CB = serie<QLineEdit, Righe>("CB");
    CC = serie<QLineEdit, Righe>("CC");
    CD = serie<QLineEdit, Righe>("CD");

    QList<QPushButton*> pulsanti;
    for (int m = 0; m < NumeroMux; ++m) {
        connect(Leggi_prop_[m], &QPushButton::clicked, this, [this, m] { Leggi_prop(m); });
        connect(ScriviProp_[m], &QPushButton::clicked, this, [this, m] { ScriviProp(m); });
        pulsanti << Leggi_prop_[m] << ScriviProp_[m];
    }
    impostaPulsanti(pulsanti);

    for (const auto* colonna : {&NomeCanali, &CA, &CB, &CC, &CD})
        for (QLineEdit* casella : *colonna)
            FieldColours::setColour(casella, FieldColours::ToRead);
}

Sensori_An::~Sensori_An() = default;

void Sensori_An::Leggi_prop(int m)
{
    Operazione operazione(*this);
    leggi(m);
}

void Sensori_An::leggi(int m)
{
    abilitaPulsanti(false);
    for (QLineEdit* nome : NomeCanali)
        nome->setText(NonAttivo);
    const int n = canali(m);
    for (int p = 0; p < n && !chiusa(); ++p) {
        m_link.Invia_Comando(QStringLiteral("R"), canale(m, p) + QLatin1Char(','));
        const QStringList campi = ReplyFields::read(m_link, 5);
        NomeCanali[p]->setText(campi[0]);
        CA[p]->setText(ReplyFields::trimmed(campi[1]));
        CB[p]->setText(ReplyFields::trimmed(campi[2]));
        CC[p]->setText(ReplyFields::trimmed(campi[3]));
        CD[p]->setText(ReplyFields::trimmed(campi[4]));
        m_link.Attendi(10);
    }
    abilitaPulsanti(true);
}

bool Sensori_An::senzaVirgole(int n) const
{
    CampiSenzaVirgola campi;
    const std::pair<const char*, const std::array<QLineEdit*, Righe>*> colonne[] = {
        {"Nome", &NomeCanali},
        {"Zero_Volt", &CA},
        {"FS_Volt", &CB},
        {"Zero_Fisico", &CC},
        {"FS_Fisico", &CD}};
    for (int p = 0; p < n; ++p)
        for (const auto& [titolo, colonna] : colonne)
            campi.aggiungi(QStringLiteral("\"%1\" della riga %2").arg(QLatin1String(titolo)).arg(p),
                           (*colonna)[p]->text());
    return campi.controlla(m_dialogs);
}

void Sensori_An::ScriviProp(int m)
{
    Operazione operazione(*this);
    abilitaPulsanti(false);
    const int n = canali(m);
    if (!senzaVirgole(n)) {
        abilitaPulsanti(true);
        return;
    }
    for (int p = 0; p < n && !chiusa(); ++p) {
        const int voce = Righe * m + p;
        m_proprieta.Zero_Volt[voce] = TextForms::value(CA[p]->text());
        m_proprieta.FS_Volt[voce] = TextForms::value(CB[p]->text());
        m_proprieta.Zero_Fisico[voce] = TextForms::value(CC[p]->text());
        m_proprieta.FS_Fisico[voce] = TextForms::value(CD[p]->text());

        QString parametri = canale(m, p) + QLatin1Char(',');
        for (const QLineEdit* casella : {NomeCanali[p], CA[p], CB[p], CC[p], CD[p]})
            parametri += ReplyFields::trimmed(casella->text()) + QLatin1Char(',');
        m_link.Invia_Comando(QStringLiteral("r"), parametri);
    }
    m_link.Attendi(10);
    leggi(m);
    abilitaPulsanti(true);
}
