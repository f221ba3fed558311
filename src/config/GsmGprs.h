#pragma once

#include <QList>
#include <QObject>

class Dialogs;
class Modulo1;
class QCheckBox;
class QLineEdit;
class QString;
namespace Ui {
class Form1;
}

// The GSM version's alarm settings (ten SMS numbers, how many SMS to send,
// the voice-alarm number and the two alarm switches, page "ALLARMI") and its
// GPRS/FTP upload settings (page "GPRS"): their reads and writes. The two
// check boxes show only what the logger reports: pressing one sends the
// opposite state and reads both back.
class GsmGprs : public QObject
{
    Q_OBJECT
public:
    GsmGprs(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs, QObject* parent = nullptr);

    static constexpr int NumeriSms = 10;
    static constexpr int CampiGprs = 10;

public slots:
    void LEGGI_GSM(); // read the SMS and telephone settings
    void LeggiGPRS(); // read the GPRS settings
    // Writes the SMS and telephone settings, then reads them back.
    void SCRIVI_GSM();
    // Trims the ten GPRS boxes and writes them; no read-back.
    void ScriviGPRS();
    // A press on a switch: the logger gets the opposite of what it shows.
    void Abilita_SMS_MouseDown();
    void Abilita_Telefono_MouseDown();

private:
    // The parameter texts of "i" and "f", each ending with its switch.
    QString bloccoSms(const QString& interruttore) const;
    QString bloccoTelefono(const QString& interruttore) const;
    // No comma in the numbers "i" and "f" carry (a box is shown otherwise).
    bool numeriSenzaVirgole() const;
    // Sends "i" and "f" with these switches: false when refused.
    bool inviaSmsETelefono(const QString& sms, const QString& telefono);

    Ui::Form1& m_ui;
    Modulo1& m_link;
    Dialogs& m_dialogs;
    QList<QLineEdit*> m_numeriSms; // NUMERO_ALLARME_SMS(0..9)
    QLineEdit* m_quantiSms;        // NUMERO_ALLARMI_SMS
    QLineEdit* m_telefono;         // NUMERO_ALLARME_TELEFONO
    QCheckBox* m_abilitaSms;
    QCheckBox* m_abilitaTelefono;
    QList<QLineEdit*> m_gprs; // GPRS(0..9)
};
