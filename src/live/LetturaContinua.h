#pragma once

#include "live/MisCont.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class Dialogs;

class Modulo1;
class QLabel;
class QLineEdit;
class TabellaGrafico;

namespace Ui {
class Form1;
}

// The page "LETTURA CONTINUA": read one multiplexer now, as readings or as
// temperatures, into the sixteen boxes; open the continuous-measure window;
// and the two hidden commands ("^" stand-alone recording, "L" event count).
class LetturaContinua : public QObject
{
    Q_OBJECT
public:
    LetturaContinua(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs, TabellaGrafico& tabella,
                    QObject* parent = nullptr);

    // "Leggi Mux n" and "Leggi Mux n Temp", n = 0..3.
    void MISCONTINUA(int n);
    void MISCONTINUA_TEMP(int n);
    // "Leggi Mux 0 e salva su file": the continuous-measure window for
    // multiplexer 0 (the one already open is brought forward).
    void cmdApriMisuraContinua(int indice = 0);
    // Hidden: "Registra stand alone" sends "^"; "Command3" reads "L" into Text2.
    void registradasolo();
    void CONTAIMP();

    MisCont* misCont() const { return m_misCont; }

    // How a reading is shown: the 16-bit analog model (0) with one to three
    // decimals, the others in the shortest form; a temperature as "000.0",
    // "**N.F.**" outside -30 ... 80.
    static QString testoLettura(const QString& risposta, int modello);
    static QString testoTemperatura(const QString& risposta);

private:
    void leggi(int n, bool temperature);
    void coloraEtichetta(int i, bool inAttesa);

    Ui::Form1& m_ui;
    Modulo1& m_link;
    Dialogs& m_dialogs;
    TabellaGrafico& m_tabella;
    QList<QLineEdit*> m_continua;
    QList<QLabel*> m_etichette;
    QList<QLineEdit*> m_mux;
    QPointer<MisCont> m_misCont;
};
