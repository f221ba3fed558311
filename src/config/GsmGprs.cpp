#include "config/GsmGprs.h"

#include "common/FieldColours.h"
#include "common/TextForms.h"
#include "config/CampiSenzaVirgola.h"
#include "config/InterruttoriLogger.h"
#include "config/MarcaModifiche.h"
#include "config/ReplyFields.h"
#include "config/StatoCasella.h"
#include "link/Modulo1.h"
#include "startup/ui_Form1.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A switch as "i" and "f" carry it from the box: 0 clear, 1 ticked, 2 grey,
// in signed text form.
QString statoAttuale(const QCheckBox* casella)
{
    const int valore = casella->checkState() == Qt::Checked            ? 1
                       : casella->checkState() == Qt::PartiallyChecked ? 2
                                                                       : 0;
    return TextForms::signedText(valore);
}

} // namespace

GsmGprs::GsmGprs(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_ui(ui), m_link(link),
      m_dialogs(dialogs), m_numeriSms{ui.NUMERO_ALLARME_SMS_0, ui.NUMERO_ALLARME_SMS_1,
                                      ui.NUMERO_ALLARME_SMS_2, ui.NUMERO_ALLARME_SMS_3,
                                      ui.NUMERO_ALLARME_SMS_4, ui.NUMERO_ALLARME_SMS_5,
                                      ui.NUMERO_ALLARME_SMS_6, ui.NUMERO_ALLARME_SMS_7,
                                      ui.NUMERO_ALLARME_SMS_8, ui.NUMERO_ALLARME_SMS_9},
      m_quantiSms(ui.NUMERO_ALLARMI_SMS), m_telefono(ui.NUMERO_ALLARME_TELEFONO),
      m_abilitaSms(ui.Abilita_SMS),
      m_abilitaTelefono(ui.Abilita_Telefono), m_gprs{ui.GPRS_0, ui.GPRS_1, ui.GPRS_2, ui.GPRS_3,
                                                     ui.GPRS_4, ui.GPRS_5, ui.GPRS_6, ui.GPRS_7,
                                                     ui.GPRS_8, ui.GPRS_9}
{
    auto* carattere = new MarcaModifiche(MarcaModifiche::Carattere, this);
    carattere->osservaTutte(m_numeriSms);
    carattere->osserva(m_quantiSms);
    carattere->osservaTutte(m_gprs);
    // The voice-alarm number turns red on any key, arrows and Shift included.
    auto* tasto = new MarcaModifiche(MarcaModifiche::QualsiasiTasto, this);
    tasto->osserva(m_telefono);

    connect(ui.LEGGI_GSM, &QPushButton::clicked, this, &GsmGprs::LEGGI_GSM);
    connect(ui.LeggiGPRS, &QPushButton::clicked, this, &GsmGprs::LeggiGPRS);
    connect(ui.SCRIVI_GSM, &QPushButton::clicked, this, &GsmGprs::SCRIVI_GSM);
    connect(ui.ScriviGPRS, &QPushButton::clicked, this, &GsmGprs::ScriviGPRS);
    // The two switches show only what the logger reports.
    auto* interruttori = new InterruttoriLogger(this);
    interruttori->aggiungi(m_abilitaSms, [this] { Abilita_SMS_MouseDown(); });
    interruttori->aggiungi(m_abilitaTelefono, [this] { Abilita_Telefono_MouseDown(); });
}

void GsmGprs::LEGGI_GSM()
{
    m_link.Disabilita_Comandi();

    m_link.Invia_Comando(QStringLiteral("I"), QString());
    const QStringList sms = ReplyFields::read(m_link, NumeriSms + 2);
    const QList<QLineEdit*> caselleSms = m_numeriSms + QList<QLineEdit*>{m_quantiSms};
    ReplyFields::show(caselleSms, sms, FieldColours::ToRead, ReplyFields::trimmed);
    StatoCasella::imposta(m_abilitaSms, sms.last());

    m_link.Invia_Comando(QStringLiteral("F"), QString());
    const QStringList telefono = ReplyFields::read(m_link, 2);
    ReplyFields::show({m_telefono}, telefono, FieldColours::ToRead, ReplyFields::trimmed);
    StatoCasella::imposta(m_abilitaTelefono, telefono.last());

    m_link.Abilita_Comandi();
}

void GsmGprs::LeggiGPRS()
{
    m_link.Disabilita_Comandi();
    m_link.Svuota_Buffer();
    m_link.Invia_Comando(QStringLiteral("K"), QString());
    // As received, blanks included.
    ReplyFields::show(m_gprs, ReplyFields::read(m_link, CampiGprs), FieldColours::Confirmed);
    m_link.Abilita_Comandi();
}

QString GsmGprs::bloccoSms(const QString& interruttore) const
{
    QString blocco;
    for (const QLineEdit* numero : m_numeriSms)
        blocco += ReplyFields::trimmed(numero->text()) + QLatin1Char(',');
    blocco += ReplyFields::trimmed(m_quantiSms->text()) + QLatin1Char(',');
    return blocco + interruttore + QLatin1Char(',');
}

QString GsmGprs::bloccoTelefono(const QString& interruttore) const
{
    return ReplyFields::trimmed(m_telefono->text()) + QLatin1Char(',') + interruttore +
           QLatin1Char(',');
}

bool GsmGprs::numeriSenzaVirgole() const
{
    CampiSenzaVirgola campi;
    for (int i = 0; i < NumeriSms; ++i)
        campi.aggiungi(QStringLiteral("numero SMS %1").arg(i + 1), m_numeriSms[i]->text());
    campi.aggiungi(QStringLiteral("\"Numero di sms da inviare\""), m_quantiSms->text());
    campi.aggiungi(QStringLiteral("numero dell'allarme TELEFONO"), m_telefono->text());
    return campi.controlla(m_dialogs);
}

bool GsmGprs::inviaSmsETelefono(const QString& sms, const QString& telefono)
{
    if (!numeriSenzaVirgole())
        return false;
    m_link.Invia_Comando(QStringLiteral("i"), bloccoSms(sms));
    m_link.Invia_Comando(QStringLiteral("f"), bloccoTelefono(telefono));
    return true;
}

void GsmGprs::SCRIVI_GSM()
{
    m_link.Disabilita_Comandi();
    if (inviaSmsETelefono(statoAttuale(m_abilitaSms), statoAttuale(m_abilitaTelefono)))
        LEGGI_GSM();
    m_link.Abilita_Comandi();
}

void GsmGprs::Abilita_SMS_MouseDown()
{
    if (!inviaSmsETelefono(InterruttoriLogger::opposto(m_abilitaSms),
                           statoAttuale(m_abilitaTelefono)))
        return;
    m_link.Attendi(50);
    LEGGI_GSM();
}

void GsmGprs::Abilita_Telefono_MouseDown()
{
    if (!inviaSmsETelefono(statoAttuale(m_abilitaSms),
                           InterruttoriLogger::opposto(m_abilitaTelefono)))
        return;
    m_link.Attendi(50);
    LEGGI_GSM();
}

void GsmGprs::ScriviGPRS()
{
    const QLabel* const etichette[CampiGprs] = {
        m_ui.GPRSLABEL_0, m_ui.GPRSLABEL_1, m_ui.GPRSLABEL_2, m_ui.GPRSLABEL_3, m_ui.GPRSLABEL_4,
        m_ui.GPRSLABEL_5, m_ui.GPRSLABEL_6, m_ui.GPRSLABEL_7, m_ui.GPRSLABEL_8, m_ui.GPRSLABEL_9};
    CampiSenzaVirgola campi;
    for (int i = 0; i < CampiGprs; ++i)
        campi.aggiungi(QLatin1Char('"') + etichette[i]->text() + QLatin1Char('"'),
                       m_gprs[i]->text());
    if (!campi.controlla(m_dialogs))
        return;

    QString parametri;
    for (QLineEdit* campo : m_gprs) {
        campo->setText(ReplyFields::trimmed(campo->text()));
        parametri += campo->text() + QLatin1Char(',');
    }
    m_link.Invia_Comando(QStringLiteral("k"), parametri);
    ReplyFields::colour(m_gprs, FieldColours::Confirmed);
}
