#pragma once

#include <QObject>

#include <functional>

class CanaliMux;
class Dialogs;
class Modulo1;
class StatoMemoria;
namespace Ui {
class Form1;
}

// The logger's gauges and switches spread over several tabs: the internal
// voltages, the acquisition enable, the event counter (rain-gauge input) and
// its pulse value, and the full reset followed by a fresh read of the main
// settings.
class ParametriInterni : public QObject
{
    Q_OBJECT
public:
    // Reads of other pages that the full reset runs after the logger restarts;
    // the main window sets them when it creates its operations. An empty one is
    // skipped.
    struct LettureDopoReset
    {
        std::function<void()> Command2;   // acquisition interval
        std::function<void()> leggi_nome; // identifier
    };

    ParametriInterni(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs, StatoMemoria& memoria,
                     CanaliMux& canali, QObject* parent = nullptr);

    void impostaLettureDopoReset(LettureDopoReset letture) { m_letture = std::move(letture); }

public slots:
    // The three voltages, each shown as "00.00".
    void Status();
    // The acquisition enable into data_logging.
    void ReadSt();
    // A press on data_logging: the opposite state is sent, then read back.
    void data_logging_MouseDown();
    // A press on PLUVIOMETRO: the opposite state is sent, then read back.
    void PLUVIOMETRO_MouseDown();
    // The rain-gauge pulse value into mmpioggia.
    void mmpioggialeggi();
    // Writes the pulse value typed in mmpioggia, then reads it back.
    void mmpioggiatastoscrivi();
    // Full reset after a Yes/No question (default No), then the main settings
    // are read again.
    void Resetta();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The reset command and the reads that follow it.
    void resetEdRilettura();

    Ui::Form1& m_ui;
    Modulo1& m_link;
    Dialogs& m_dialogs;
    StatoMemoria& m_memoria;
    CanaliMux& m_canali;
    LettureDopoReset m_letture;
};
