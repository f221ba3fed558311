#pragma once

#include "download/ProprietaSensori.h"
#include "live/TabellaGrafico.h"
#include "startup/ConnectionSteps.h"
#include "startup/ui_Form1.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

class About;
class Aiuto;
class CanaliMux;
class Dialogs;
class FinestreSensori;
class GsmGprs;
class IdentitaData;
class LetturaContinua;
class Modulo1;
class ParametriInterni;
class ProvaInSito;
class ScaricoDati;
class StatoMemoria;
class TempiAcquisizione;

// The main window frame: the eight pages, the menus, load and exit. The
// operations of the pages live in the classes below, handed the widgets.
class Form1 : public QMainWindow, public ConnectionSteps
{
    Q_OBJECT
public:
    Form1(Modulo1& link, Dialogs& dialogs, QWidget* parent = nullptr);
    ~Form1() override;

    Ui::Form1 ui;

    // The program's analog calibration table and chart table.
    ProprietaSensori proprieta;
    TabellaGrafico tabellaGrafico;

    // The operations of the pages; each connects its own controls.
    StatoMemoria* memoria = nullptr;
    CanaliMux* canali = nullptr;
    ParametriInterni* parametri = nullptr;
    IdentitaData* identita = nullptr;
    TempiAcquisizione* tempi = nullptr;
    GsmGprs* gsm = nullptr;
    ScaricoDati* scarico = nullptr;
    LetturaContinua* lettura = nullptr;
    FinestreSensori* sensori = nullptr;

    // The device controls that Disabilita_Comandi locks, in the link's order.
    QList<QWidget*> comandiBloccati() const;

    // Menu commands.
    void PROVA_IN_SITO();
    void HLP();
    void INFORMAZIONI();
    void RIPRISTINA_DA_ERRORI();

    // The exit sequence; the window closes and fineProgramma() follows.
    void esci();
    // Where the exit log goes and what it holds.
    QString percorsoLogUscita() const;
    QStringList righeLogUscita() const;

    // --- ConnectionSteps: each runs the button's operation, as if pressed ---
    // (called directly: the lock may have left the button disabled)
    void leggicanali() override;
    void leggidata() override;
    void LeggiDataAllarme() override;
    void Command2() override;
    void preacc() override;
    void Status() override;
    void Aggiorna_acq() override;
    void LEGGI_GSM() override;
    void LeggiGPRS() override;
    void leggi_nome() override;
    Ui::Form1& finestra() override { return ui; }
    void mostraFinestra() override;

signals:
    // The program ends: every window goes.
    void fineProgramma();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void creaOperazioni();
    void scegliCartella();
    void scriviLogUscita();

    Modulo1& m_link;
    Dialogs& m_dialogs;
    bool m_uscitaFatta = false;
    QPointer<ProvaInSito> m_prova;
    QPointer<Aiuto> m_aiuto;
    QPointer<About> m_about;
};
