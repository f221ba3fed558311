#pragma once

#include "HybridClock.h"
#include "ScriptedDialogs.h"
#include "SimulatorThread.h"
#include "link/ComPortNames.h"
#include "link/HardwareSerialPort.h"
#include "link/Modulo1.h"
#include "link/SocketTcpClient.h"

#include <QTemporaryDir>

#include <memory>

// What every end-to-end test starts from: the logger simulator in a thread of
// its own on a pseudo-terminal, COM 1 mapped to it through comports.ini in a
// temporary folder, and the program's link over a real serial port to it.
// Pauses run on the clock only; receive waits are real.
class SimulatorLink
{
public:
    explicit SimulatorLink(const LoggerSimulator::Options& options = LoggerSimulator::Options());
    ~SimulatorLink();
    SimulatorLink(const SimulatorLink&) = delete;
    SimulatorLink& operator=(const SimulatorLink&) = delete;

    // Starts the simulator and maps COM 1 to it; false with the reason.
    bool start(QString* error = nullptr);
    // start(), then the probe on COM 1: the port stays open as after "Connessione".
    bool connect(QString* error = nullptr);

    SimulatorThread& sim() { return m_sim; }
    Modulo1& link() { return *m_link; }
    HardwareSerialPort& port() { return *m_port; }
    ScriptedDialogs& dialogs() { return m_dialogs; }
    Clock& clock() { return m_clock; }
    // A folder of the test's own (comports.ini lives there), removed at the end.
    QString folder() const { return m_folder.path(); }

private:
    void dropProbeTail();

    QTemporaryDir m_folder;
    SimulatorThread m_sim;
    ComPortNames m_names;
    SocketTcpClient m_tcp;
    HybridClock m_clock;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<HardwareSerialPort> m_port;
    std::unique_ptr<Modulo1> m_link;
};
