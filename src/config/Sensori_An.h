#pragma once

#include "config/FinestraCanali.h"

#include <array>
#include <memory>

struct ProprietaSensori;
namespace Ui {
class Sensori_An;
}

// "Proprietà dei sensori": each analog channel's name and the four values that
// turn its voltage into a physical value, read and written one multiplexer
// (sixteen rows) at a time. A write also keeps the values in ProprietaSensori,
// whence the download puts them in the data file's channel headers.
class Sensori_An : public FinestraCanali
{
    Q_OBJECT
public:
    Sensori_An(const CaselleMux& mux, QWidget* finestraPrincipale, Modulo1& link, Dialogs& dialogs,
               ProprietaSensori& proprieta, QWidget* parent = nullptr);
    ~Sensori_An() override;

    // The window's controls, for the operations and for tests.
    std::array<QPushButton*, NumeroMux> Leggi_prop_{};
    std::array<QPushButton*, NumeroMux> ScriviProp_{};
    std::array<QLineEdit*, Righe> NomeCanali{};
    std::array<QLineEdit*, Righe> CA{};
    std::array<QLineEdit*, Righe> CB{};
    std::array<QLineEdit*, Righe> CC{};
    std::array<QLineEdit*, Righe> CD{};

public slots:
    // Reads the properties of multiplexer m's channels in use.
    void Leggi_prop(int m);
    // Writes the rows as they stand to multiplexer m's channels in use, then
    // reads them back.
    void ScriviProp(int m);

private:
    void leggi(int m);
    bool senzaVirgole(int n) const;

    std::unique_ptr<Ui::Sensori_An> m_ui;
    ProprietaSensori& m_proprieta;
};
