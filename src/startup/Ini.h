#pragma once

#include "startup/ui_Ini.h"

#include <QWidget>

class Clock;
class QWidget;

// The splash window: shows the product picture where the connection dialog
// will stand, for a little under two seconds, then gives way to the dialog.
class Ini : public QWidget
{
    Q_OBJECT
public:
    Ini(QWidget& dialogo, Clock& orologio, QWidget* parent = nullptr);

    Ui::Ini ui;

    static constexpr double Durata = 1.8; // seconds, strictly exceeded

    // The splash sequence.
    void avvia();

private:
    QWidget& m_dialogo;
    Clock& m_orologio;
};
