#pragma once

#include <QList>
#include <QObject>

class Dialogs;
class Modulo1;
class QCheckBox;
class QLineEdit;
namespace Ui {
class Form1;
}

// The GSM version's alarm settings (ten SMS numbers, how many SMS to send,
// the voice-alarm number and the two alarm switches, page "ALLARMI") and its
// GPRS/FTP upload settings (page "GPRS"). The reads are here; the writes
// (SCRIVI_GSM, the two switches' MouseDown, ScriviGPRS) join them in this
// class, on the same boxes.
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

private:
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
