#include "SimulatorThread.h"

#include <QMetaObject>

SimulatorThread::SimulatorThread(const LoggerSimulator::Options& options) : m_options(options)
{
    m_thread.setObjectName("vklogger-sim");
}

SimulatorThread::~SimulatorThread()
{
    stop();
}

bool SimulatorThread::start(QString* error)
{
    if (m_sim)
        return true;
    m_thread.start();
    m_sim = new LoggerSimulator(m_options);
    m_sim->moveToThread(&m_thread);
    bool ok = false;
    QString why;
    // The notifiers and timers must be created in the thread that runs them.
    QMetaObject::invokeMethod(
        m_sim, [this, &ok, &why] { ok = m_sim->start(&why); }, Qt::BlockingQueuedConnection);
    if (!ok) {
        if (error)
            *error = why;
        stop();
        return false;
    }
    m_slavePath = m_sim->slavePath();
    return true;
}

void SimulatorThread::stop()
{
    if (m_sim) {
        LoggerSimulator* sim = m_sim;
        m_sim = nullptr;
        QMetaObject::invokeMethod(
            sim, [sim] { delete sim; }, Qt::BlockingQueuedConnection);
    }
    if (m_thread.isRunning()) {
        m_thread.quit();
        m_thread.wait();
    }
}

bool SimulatorThread::isRunning() const
{
    if (!m_sim)
        return false;
    bool running = false;
    QMetaObject::invokeMethod(
        m_sim, [this, &running] { running = m_sim->isRunning(); }, Qt::BlockingQueuedConnection);
    return running;
}

void SimulatorThread::withModel(const std::function<void(LoggerModel&)>& fn)
{
    if (m_sim)
        m_sim->withModel(fn);
}

void SimulatorThread::setFaults(const LoggerProtocol::Faults& faults)
{
    if (m_sim)
        m_sim->setFaults(faults);
}

void SimulatorThread::announce()
{
    if (m_sim)
        QMetaObject::invokeMethod(
            m_sim, [this] { m_sim->announce(); }, Qt::BlockingQueuedConnection);
}
