#pragma once

#include <QList>
#include <QObject>
#include <QString>

class Dialogs;
class Modulo1;
class QLineEdit;
namespace Ui {
class Form1;
}

// The logger's identifier, its clock and its start date ("Data Start"), and
// "Esegui Subito La Misura", which moves the start date into the past so that
// the logger starts acquiring at once. Each operation is what its button
// does; the connection sequence calls the reads the same way.
class IdentitaData : public QObject
{
    Q_OBJECT
public:
    IdentitaData(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs, QObject* parent = nullptr);

    // The start date "Esegui Subito La Misura" writes: 1 January 2000, 00:00.
    static constexpr char TestoSubito[] = "1,1,100,00,00,";
    static constexpr char MessaggioOrario[] = "Controlla i dati inseriti! ";

public slots:
    void leggi_nome();
    void imposta_nome();
    void leggidata();
    void impostadata();
    void LeggiDataAllarme();
    void ScriviDataAllarme();
    void Subito();

private:
    // One row of five boxes (day, month, year, hour, minute) and the commands
    // that read and write it.
    struct RigaData
    {
        QList<QLineEdit*> caselle;
        QString lettura;   // "G" / "Y"
        QString scrittura; // "g" / "y"
        int campiScartati; // reply fields after the minute that are dropped
        QString nome;      // how the messages name the row
    };

    void leggiRiga(const RigaData& riga);
    // The write of a row; `rilettura` shows what the logger then reports.
    void scriviRiga(const RigaData& riga, void (IdentitaData::*rilettura)());
    // Hour 0..23 and minute 0..59, or the message and the beep.
    bool orarioValido(const RigaData& riga);
    void rifiuta(const QString& testo);
    static QString parametriData(const RigaData& riga);

    Ui::Form1& m_ui;
    Modulo1& m_link;
    Dialogs& m_dialogs;
    RigaData m_dataAttuale;
    RigaData m_dataStart;
};
