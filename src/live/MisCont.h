#pragma once

#include "live/FileMisuraContinua.h"
#include "live/Grafici.h"
#include "live/GrigliaMisure.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class Dialogs;
class Modulo1;
class TabellaGrafico;

namespace Ui {
class MisCont;
}

// "Misura continua": reads every enabled channel of one multiplexer again and
// again, shows each cycle as a row of the grid and appends it at once to the
// file the user chose, until "Stop" or a time-out. Its chart (Grafici) is
// redrawn after every cycle while open.
//
// The run loop lives inside cmdStart(): it keeps the window alive by
// processing events at the top of every cycle and inside every receive wait,
// which is how "Stop" and the chart's buttons act during a run.
class MisCont : public QWidget
{
    Q_OBJECT
public:
    // Runs end after this many cycles: the counter of the cycles is 16-bit.
    static constexpr int MaxCicli = 32767;

    MisCont(Modulo1& link, Dialogs& dialogs, TabellaGrafico& tabella, QWidget* parent = nullptr);
    ~MisCont() override;

    // The multiplexer to read, set by the opener before showing.
    int QualeMux = 0;
    // True while the chart opened from here is shown.
    bool GraficoAperto = false;

    void cmdStart();
    void cmdStop();
    void cmdGraf();
    void cmdChiudi();

    // Where the save dialog opens (the program's folder) and where the date
    // and time of a cycle and of the proposed name come from.
    void setCartellaProgramma(const QString& cartella) { m_cartella = cartella; }
    void setOrologioData(std::function<QDateTime()> adesso) { m_adesso = std::move(adesso); }

    GrigliaMisure& griglia() { return m_griglia; }
    Grafici* grafici() const { return m_grafici; }
    bool inCorso() const { return m_inCorso; }

    // "mc_dd-mm-yyyy_hh.m.ss.txt" for that moment.
    static QString nomeProposto(const QDateTime& quando);
    // The date and time written for a cycle.
    static QString testoDataOra(const QDateTime& quando);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Esito
    {
        Finito,
        Fallito,
        Distrutto
    };
    QString sceltaFile();
    void preparaGriglia(int canali);
    Esito ciclo(int canali);
    Esito esegui(int canali);
    void fineNormale();
    void fineFallita(const QString& descrizione);
    void avviso(const QString& testo);
    void onGraficiChiuso();

    std::unique_ptr<Ui::MisCont> m_ui;
    Modulo1& m_link;
    Dialogs& m_dialogs;
    TabellaGrafico& m_tabella;
    GrigliaMisure m_griglia;
    FileMisuraContinua m_file;
    QPointer<Grafici> m_grafici;
    QString m_cartella;
    std::function<QDateTime()> m_adesso;

    bool m_stop = false;
    bool m_inCorso = false;
    int m_ciclo = 0;
    QString m_erroreCiclo;
};
