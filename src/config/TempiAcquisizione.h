#pragma once

#include <QList>
#include <QObject>

class Dialogs;
class Modulo1;
class QLineEdit;
namespace Ui {
class Form1;
}

// The acquisition interval (hours, minutes, seconds) and the sensors'
// pre-heating time in milliseconds, read and written from the "TIMERS" page.
class TempiAcquisizione : public QObject
{
    Q_OBJECT
public:
    TempiAcquisizione(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs, QObject* parent = nullptr);

    // Shortest interval the logger accepts, in seconds.
    static constexpr int MinimoNonGSM = 60;
    static constexpr int MinimoGSM = 600;
    // Longest pre-heating, in milliseconds.
    static constexpr int MassimaPreaccensione = 30000;

    static constexpr char MessaggioTempo[] =
        "Controlla il tempo di conversione ( ore<=23, minuti e secondi <=59 e tempo di "
        "conversione > 1 min per la versione non GSM e > 10 min per la versione GSM)! ";
    static constexpr char MessaggioPreaccensione[] = "Tempo di preaccensione troppo lungo ";
    static constexpr char MessaggioPreaccensioneNonNumerica[] =
        "Il tempo di preaccensione deve essere un numero di millisecondi (al massimo 30000): "
        "non è stato inviato nulla. ";

public slots:
    void Command2();      // read the interval
    void Command1();      // write the interval
    void preacc();        // read the pre-heating
    void impostapreacc(); // write the pre-heating

private:
    // The interval's three boxes pass the range and minimum tests; the boxes
    // are turned into three digits on the way, as the user sees them sent.
    bool intervalloValido();

    Ui::Form1& m_ui;
    Modulo1& m_link;
    Dialogs& m_dialogs;
    QList<QLineEdit*> m_conversione;
};
