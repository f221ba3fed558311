#pragma once

#include "startup/ui_Form2.h"

#include <QDate>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class ConnectionSteps;
class Dialogs;
class Modulo1;

// The connection dialog: choose a COM port, probe the logger, read its
// settings into the main window step by step, then hand over to it.
class Form2 : public QWidget
{
    Q_OBJECT
public:
    // cartellaProgramma: where tl517.ini and comports.ini live.
    Form2(Modulo1& link, Dialogs& dialogs, ConnectionSteps& principale,
          const QString& cartellaProgramma, QWidget* parent = nullptr);

    Ui::Form2 ui;
    std::array<QRadioButton*, 8> Option1{};

    // The buttons' operations. While one runs the buttons are disabled and
    // a second press is ignored.
    void Command1(); // "Connessione"
    void Command2(); // "Connessione Modem"
    void Command3(); // "Reset"
    void No_conn();  // "Connessione Passo Passo"

    bool occupato() const { return m_occupato; }
    QString fileImpostazioni() const;
    // Today's date for the proposed data-file name (tests fix it).
    void impostaOggi(std::function<QDate()> oggi) { m_oggi = std::move(oggi); }

    static constexpr int Pausa = 10; // hundredths of a second after each step

signals:
    // Closing the dialog ends the program.
    void fineProgramma();
    // "Connessione Modem": the remote-access window to open (internet or
    // modem). With nothing connected a placeholder window stands in.
    void accessoRemoto(bool viaInternet);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void preparazione();
    void esclusivo(void (Form2::*azione)());
    void abilitaPulsanti(bool abilita);
    void stato(const QString& testo);
    // The selected port among the first `quante` options; 0 when none.
    int portaScelta(int quante) const;
    void salvaPorta(int porta);

    void connetti();
    void resetta();
    void passoPasso();
    void recuperaParametri();
    // Runs one read step of the main window, then shows its text and pauses;
    // false once the dialog was closed meanwhile.
    bool passo(void (ConnectionSteps::*operazione)(), const QString& testo);
    QString leggiValore(const QString& comando, const QString& parametri);
    void consegna();
    void mostraSegnapostoRemoto(bool viaInternet);

    Modulo1& m_link;
    Dialogs& m_dialogs;
    ConnectionSteps& m_principale;
    QString m_cartella;
    bool m_occupato = false;
    bool m_chiuso = false;
    std::function<QDate()> m_oggi;
    QPointer<QWidget> m_segnaposto;
};
