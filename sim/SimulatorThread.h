#pragma once

#include "LoggerSimulator.h"

#include <QString>
#include <QThread>

#include <functional>

// A LoggerSimulator running in a thread of its own, for tests that talk to it
// through a real serial port from the main thread (whose event loop is busy
// waiting for replies). start() returns once the pty exists; the destructor
// stops it.
//
//   SimulatorThread sim(options);
//   QVERIFY(sim.start());
//   port.setPortName(sim.slavePath());
//   sim.withModel([](LoggerModel& m) { m.identifier = "STAZ1"; });
class SimulatorThread
{
public:
    explicit SimulatorThread(const LoggerSimulator::Options& options = LoggerSimulator::Options());
    ~SimulatorThread();
    SimulatorThread(const SimulatorThread&) = delete;
    SimulatorThread& operator=(const SimulatorThread&) = delete;

    bool start(QString* error = nullptr);
    void stop();
    QString slavePath() const { return m_slavePath; }
    bool isRunning() const;

    // Runs fn with the model locked, from the calling thread.
    void withModel(const std::function<void(LoggerModel&)>& fn);
    void setFaults(const LoggerProtocol::Faults& faults);
    // Sends the wake-up text ending in "S2" (in the simulator's thread; returns
    // once it is queued for the line).
    void announce();

    LoggerSimulator* simulator() const { return m_sim; }

private:
    LoggerSimulator::Options m_options;
    QThread m_thread;
    LoggerSimulator* m_sim = nullptr;
    QString m_slavePath;
};
