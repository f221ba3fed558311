#pragma once

#include <QObject>

#include <array>

class Dialogs;
class Modulo1;
class QLineEdit;
class StatoMemoria;
namespace Ui {
class Form1;
}

// The number of channels in use on each of the four multiplexers, read from
// and written to the logger through the boxes MUX_0..MUX_3. Those boxes are
// the program's only record of the counts: downloads, live reading and the
// property windows read them from there.
class CanaliMux : public QObject
{
    Q_OBJECT
public:
    static constexpr int NumeroMux = 4;
    static constexpr int MassimoCanali = 16;

    // The channel write ends with a memory status read, hence `memoria`.
    CanaliMux(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs, StatoMemoria& memoria,
              QObject* parent = nullptr);

public slots:
    // Reads the four counts into the boxes.
    void leggicanali();
    // Erases the data memory after a Yes/No question (default No), writes the
    // four counts and reads them back.
    void Scrivicanali();

private:
    // Change rule of a box: edited colour, and a count outside 0..16 becomes 0.
    void applicaRegola(int m);
    // The first box whose text is not a whole count 0..16, or -1.
    int primaContaNonValida() const;

    Ui::Form1& m_ui;
    Modulo1& m_link;
    Dialogs& m_dialogs;
    StatoMemoria& m_memoria;
    std::array<QLineEdit*, NumeroMux> m_mux{};
};
