#include "SimulatorLink.h"

#include <QFile>

SimulatorLink::SimulatorLink(const LoggerSimulator::Options& options)
    : m_sim(options), m_names(m_folder.path())
{
    m_port = std::make_unique<HardwareSerialPort>(m_names);
    m_link = std::make_unique<Modulo1>(*m_port, m_tcp, m_clock, m_dialogs);
}

SimulatorLink::~SimulatorLink()
{
    m_link.reset();
    m_port.reset();
    m_sim.stop();
}

bool SimulatorLink::start(QString* error)
{
    if (!m_sim.start(error))
        return false;
    QFile ini(m_folder.filePath(QStringLiteral("comports.ini")));
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = ini.errorString();
        return false;
    }
    ini.write(m_sim.slavePath().toLatin1() + "\r\n");
    return true;
}

bool SimulatorLink::connect(QString* error)
{
    if (!start(error))
        return false;
    if (m_link->Cerca_Datalogger(1) != 1) {
        if (error)
            *error =
                QStringLiteral("the probe did not find the simulator on %1").arg(m_sim.slavePath());
        return false;
    }
    dropProbeTail();
    return true;
}

void SimulatorLink::dropProbeTail()
{
    // The probe takes only the start of the logger's answer. On a slow line
    // the rest is still coming, and the probe's one-second tail (a pause,
    // which this clock skips) is what lets it arrive before the first
    // command: wait for the line to go quiet, then drop what came.
    for (;;) {
        const qint64 seen = m_port->bytesPending();
        m_clock.waitForInput(m_clock.now() + 0.1, *m_port, seen);
        if (m_port->bytesPending() == seen)
            break;
    }
    m_port->discardInput();
}
