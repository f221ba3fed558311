#pragma once

#include "FakeSerialPort.h"
#include "FakeTcpClient.h"
#include "ScriptedDialogs.h"
#include "VirtualClock.h"
#include "link/Modulo1.h"
#include "startup/ui_Form1.h"

#include <QMainWindow>

// The main window's widgets on a fake link: a virtual clock, a fake port
// already opened as after a probe, scripted dialogs. Operation classes are
// built on `ui` and `link` by the test.
struct FinestraProva
{
    VirtualClock clock;
    FakeSerialPort port{clock};
    FakeTcpClient tcp{clock};
    ScriptedDialogs dialogs;
    Modulo1 link{port, tcp, clock, dialogs};
    QMainWindow finestra;
    Ui::Form1 ui;

    FinestraProva()
    {
        ui.setupUi(&finestra);
        link.PortaAperta = true;
        port.open();
    }

    // The pauses asked for, without the 10 ms pacing after each parameter
    // character.
    QList<double> pause() const
    {
        QList<double> lunghe;
        for (double p : clock.pauses())
            if (p > 0.015)
                lunghe.append(p);
        return lunghe;
    }
};
