#include "config/GsmGprs.h"

#include "common/FieldColours.h"
#include "config/MarcaModifiche.h"
#include "config/ReplyFields.h"
#include "config/StatoCasella.h"
#include "link/Modulo1.h"
#include "startup/ui_Form1.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

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
