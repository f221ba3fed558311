#pragma once

#include <QObject>

class Dialogs;
class Modulo1;
namespace Ui {
class Form1;
}

// The logger's data memory: how many acquisitions it can hold and how many
// are still free ("Stato Memoria"), and erasing it ("Cancella la memoria Dati").
class StatoMemoria : public QObject
{
    Q_OBJECT
public:
    StatoMemoria(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs, QObject* parent = nullptr);

public slots:
    // Memory status; also run at connection, after an erase, after a channel
    // write and after a full reset.
    void Aggiorna_acq();
    // Erase the data memory after a Yes/No question whose default is No.
    void Azzera_memoria();

private:
    Ui::Form1& m_ui;
    Modulo1& m_link;
    Dialogs& m_dialogs;
};
