#pragma once

class QWidget;
namespace Ui {
class Form1;
}

// The main window as the connection sequence drives it: its read operations,
// run as if their buttons were pressed, the boxes the sequence fills itself,
// and showing it once the logger's settings are in.
class ConnectionSteps
{
public:
    virtual ~ConnectionSteps() = default;

    virtual void leggicanali() = 0;      // "Leggi il numero dei canali"
    virtual void leggidata() = 0;        // "Leggi la Data Attuale"
    virtual void LeggiDataAllarme() = 0; // "Leggi la Data Start"
    virtual void Command2() = 0;         // "Leggi i tempi di acquisizione"
    virtual void preacc() = 0;           // "Leggi Preaccensione"
    virtual void Status() = 0;           // "Parametri Interni"
    virtual void Aggiorna_acq() = 0;     // "Stato Memoria"
    virtual void LEGGI_GSM() = 0;        // "Leggi" (SMS and telephone alarms)
    virtual void LeggiGPRS() = 0;        // "Leggi Parametri GPRS"
    virtual void leggi_nome() = 0;       // "Leggi Identificativo"

    virtual Ui::Form1& finestra() = 0;
    // Enables the main window and shows it, modeless.
    virtual void mostraFinestra() = 0;
};
