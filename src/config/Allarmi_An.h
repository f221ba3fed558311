#pragma once

#include "config/FinestraCanali.h"

#include <array>
#include <memory>

class MarcaModifiche;
namespace Ui {
class Allarmi_An;
}

// "Allarmi dei sensori": each channel's alarm activation field and its upper
// and lower thresholds, read and written one multiplexer at a time, and the
// five lines of the personal SMS the logger sends with its alarms. Values
// travel as texts; the logger decides what they mean.
class Allarmi_An : public FinestraCanali
{
    Q_OBJECT
public:
    static constexpr int RigheSms = 5;

    Allarmi_An(const CaselleMux& mux, QWidget* finestraPrincipale, Modulo1& link, Dialogs& dialogs,
               QWidget* parent = nullptr);
    ~Allarmi_An() override;

    // The window's controls, for the operations and for tests.
    std::array<QPushButton*, NumeroMux> Leggi_all_{};
    std::array<QPushButton*, NumeroMux> ScriviAll_{};
    std::array<QLineEdit*, Righe> AllarmeAttivo{};
    std::array<QLineEdit*, Righe> CA{}; // upper threshold
    std::array<QLineEdit*, Righe> CB{}; // lower threshold
    std::array<QLineEdit*, RigheSms> SMS_PERSONALIZZATO{};

public slots:
    void Leggi_all(int m);
    // Writes the rows as they stand to multiplexer m's channels, then reads
    // them back.
    void ScriviAll(int m);
    void MESSAGGIO_PERSONALE_LEGGI();
    // Writes the five lines as typed, then reads them back.
    void MESSAGGIO_PERSONALE_SCRIVI();

private:
    void leggi(int m);
    void leggiSms();

    std::unique_ptr<Ui::Allarmi_An> m_ui;
};
