#pragma once

#include "FakeSerialPort.h"
#include "FakeTcpClient.h"
#include "ScriptedDialogs.h"
#include "VirtualClock.h"
#include "link/Modulo1.h"

#include <QList>

// The program's link on a fake port with a virtual clock and scripted
// dialogs, the port open as after a successful probe; or, for a test of
// what opens it, closed and never opened yet.
struct FakeLink
{
    enum class Porta
    {
        Aperta,
        MaiAperta
    };

    VirtualClock clock;
    FakeSerialPort port{clock};
    FakeTcpClient tcp{clock};
    ScriptedDialogs dialogs;
    Modulo1 link{port, tcp, clock, dialogs};

    explicit FakeLink(Porta porta = Porta::Aperta)
    {
        if (porta == Porta::MaiAperta)
            return;
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
