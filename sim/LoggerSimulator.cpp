#include "LoggerSimulator.h"

#include <QMutexLocker>

LoggerSimulator::LoggerSimulator(const Options& options, QObject* parent)
    : QObject(parent), m_options(options), m_protocol(m_model), m_transport(this),
      m_pollTimer(this), m_delayTimer(this), m_idleTimer(this)
{
    m_model.modelCode = options.modelCode;
    m_model.eventCounterEnabled = options.eventCounter;
    m_model.muxChannels = spreadChannels(options.channels);
    m_model.clockRunning = options.clockRunning;
    m_model.fillMemory(options.records, options.channels);
    m_protocol.setFaults(options.faults);
    m_protocol.setQuietMs(options.quietMs);
    m_transport.setBytesPerSecond(options.baud / 10);

    m_pollTimer.setSingleShot(true);
    m_pollTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pollTimer, &QTimer::timeout, this, &LoggerSimulator::onPoll);
    m_delayTimer.setSingleShot(true);
    m_delayTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_delayTimer, &QTimer::timeout, this, &LoggerSimulator::releaseDelayed);
    connect(&m_idleTimer, &QTimer::timeout, this, &LoggerSimulator::onIdleCheck);

    connect(&m_transport, &PtyTransport::received, this, &LoggerSimulator::onReceived);
    connect(&m_transport, &PtyTransport::drained, this, &LoggerSimulator::maybeHangUp);
    connect(&m_transport, &PtyTransport::slaveOpened, this, [this] {
        if (m_options.announceOnOpen)
            announce();
    });
    // What the program left unread is not for the next one who opens the port.
    connect(&m_transport, &PtyTransport::slaveClosed, this, [this] {
        m_delayed.clear();
        m_transport.discardOutput();
    });
    m_clock.start();
}

LoggerSimulator::~LoggerSimulator()
{
    stop();
}

std::array<int, LoggerModel::kMultiplexers> LoggerSimulator::spreadChannels(int channels)
{
    std::array<int, LoggerModel::kMultiplexers> counts{};
    int left = qBound(0, channels, LoggerModel::kChannels);
    for (int& c : counts) {
        c = qMin(left, LoggerModel::kChannelsPerMux);
        left -= c;
    }
    return counts;
}

bool LoggerSimulator::start(QString* error)
{
    if (!m_transport.open(error))
        return false;
    if (m_options.announceOnStart)
        announce();
    if (m_options.announceEveryMs > 0)
        m_idleTimer.start(qMax(10, m_options.announceEveryMs / 4));
    m_lastActivityMs = m_clock.elapsed();
    return true;
}

void LoggerSimulator::stop()
{
    m_pollTimer.stop();
    m_delayTimer.stop();
    m_idleTimer.stop();
    m_delayed.clear();
    m_transport.close();
}

void LoggerSimulator::withModel(const std::function<void(LoggerModel&)>& fn)
{
    QMutexLocker lock(&m_mutex);
    fn(m_model);
}

void LoggerSimulator::setFaults(const LoggerProtocol::Faults& faults)
{
    QMutexLocker lock(&m_mutex);
    m_protocol.setFaults(faults);
}

void LoggerSimulator::announce()
{
    QByteArray text;
    {
        QMutexLocker lock(&m_mutex);
        text = m_protocol.announcement();
    }
    deliver(text);
}

void LoggerSimulator::onReceived(const QByteArray& bytes)
{
    m_lastActivityMs = m_clock.elapsed();
    QByteArray reply;
    {
        QMutexLocker lock(&m_mutex);
        reply = m_protocol.feed(bytes, m_clock.elapsed());
    }
    deliver(reply);
    schedulePoll();
}

void LoggerSimulator::onPoll()
{
    QByteArray reply;
    {
        QMutexLocker lock(&m_mutex);
        reply = m_protocol.poll(m_clock.elapsed());
    }
    deliver(reply);
    schedulePoll();
}

void LoggerSimulator::schedulePoll()
{
    qint64 deadline;
    {
        QMutexLocker lock(&m_mutex);
        deadline = m_protocol.nextDeadline();
    }
    if (deadline < 0) {
        m_pollTimer.stop();
        return;
    }
    m_pollTimer.start(int(qMax<qint64>(0, deadline - m_clock.elapsed())));
}

void LoggerSimulator::deliver(const QByteArray& reply)
{
    bool hangup;
    {
        QMutexLocker lock(&m_mutex);
        hangup = m_protocol.hangupRequested();
    }
    if (hangup)
        m_hangupPending = true;
    if (!reply.isEmpty()) {
        m_lastActivityMs = m_clock.elapsed();
        if (m_options.slowMs > 0 || !m_delayed.empty()) {
            m_delayed.push_back({m_clock.elapsed() + m_options.slowMs, reply});
            if (!m_delayTimer.isActive())
                m_delayTimer.start(
                    int(qMax<qint64>(0, m_delayed.front().dueMs - m_clock.elapsed())));
            return;
        }
        m_transport.send(reply);
    }
    maybeHangUp();
}

void LoggerSimulator::releaseDelayed()
{
    const qint64 now = m_clock.elapsed();
    while (!m_delayed.empty() && m_delayed.front().dueMs <= now) {
        m_transport.send(m_delayed.front().bytes);
        m_delayed.pop_front();
    }
    if (!m_delayed.empty())
        m_delayTimer.start(int(qMax<qint64>(0, m_delayed.front().dueMs - now)));
    maybeHangUp();
}

void LoggerSimulator::maybeHangUp()
{
    m_lastActivityMs = m_clock.elapsed();
    if (m_hangupPending && m_hangupWaitFrom < 0)
        m_hangupWaitFrom = m_clock.elapsed();
    if (!m_hangupPending || !m_delayed.empty() || m_transport.pendingOutput() > 0 ||
        !m_transport.isOpen())
        return;
    // Closing the master flushes the slave's input, so let the program read
    // the fields that came before the hang-up first (for a bounded time).
    if (m_transport.unreadBySlave() > 0 && m_clock.elapsed() - m_hangupWaitFrom < 2000) {
        QTimer::singleShot(5, this, &LoggerSimulator::maybeHangUp);
        return;
    }
    m_hangupPending = false;
    stop();
    emit hungUp();
}

void LoggerSimulator::onIdleCheck()
{
    if (m_transport.pendingOutput() > 0 || !m_delayed.empty())
        return;
    {
        QMutexLocker lock(&m_mutex);
        if (m_protocol.busy())
            return;
    }
    if (m_clock.elapsed() - m_lastActivityMs >= m_options.announceEveryMs)
        announce();
}
