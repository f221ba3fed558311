#pragma once

#include "download/DataFileLayout.h"

#include <QDateTime>
#include <QObject>

#include <functional>

class Dialogs;
class Modulo1;
class QString;
struct ProprietaSensori;
namespace Ui {
class Form1;
}

// The two downloads of the tab "ACQUISIZIONE DEI DATI": the logger's data
// memory ("A", vibrating-wire or analog readings) and its temperature memory
// ("a"), each to a data file in the folder of the "FILE" frame.
//
// Both share one course: lock the device controls, name and create the file,
// send the command, read the dump, write the file, unlock. A download the
// logger or the line cuts short keeps its complete records in a file of
// their own and never replaces a file already there.
class ScaricoDati : public QObject
{
    Q_OBJECT
public:
    ScaricoDati(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs, ProprietaSensori& proprieta,
                QObject* parent = nullptr);

    // The PC's date and time, for the file name and the header (tests fix it).
    void setOrologioData(std::function<QDateTime()> adesso) { m_adesso = std::move(adesso); }

    // Label in the name of the file that keeps an interrupted download.
    static QString etichettaInterrotto() { return QStringLiteral("INTERROTTO"); }

public slots:
    // "Acquisisci i dati della Corda Vibrante" / "Acquisisci dati Analogici".
    void Acquisisci();
    // "Acquisisci le Temperature".
    void Acquisisci_Temp();

private:
    struct Genere
    {
        DataFileLayout::Tipo tipo;
        QString comando;
        QString attesa; // shown while the logger is asked
    };

    void scarica(const Genere& genere);
    QString converti(const Genere& genere, const QString& risposta) const;
    bool conEventi(const Genere& genere) const;
    QStringList descrizione(const Genere& genere) const;
    void segnalaInterruzione(const QString& salvato, qint64 salvate, qint64 annunciate,
                             bool contiRicevuti);

    Ui::Form1& m_ui;
    Modulo1& m_link;
    Dialogs& m_dialogs;
    ProprietaSensori& m_proprieta;
    std::function<QDateTime()> m_adesso;
};
