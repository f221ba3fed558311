#pragma once

#include "LoggerModel.h"
#include "LoggerProtocol.h"
#include "PtyTransport.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

// A logger behind a pseudo-terminal: the model, the protocol and the pty,
// driven by the event loop of the thread the object lives in.
//
// The wake-up text ending in "S2" cannot follow DTR (a pty has none), so it
// is sent on one of these occasions, as the options choose:
//   announceOnStart   once, as soon as the line is up (it waits in the
//                     slave's input until the program opens and reads it);
//   announceOnOpen    each time the program opens the slave;
//   announceEveryMs   whenever the line has been idle that long (nothing
//                     received or sent, no request half-received);
//   announce()        on demand, e.g. by a test that has just raised DTR.
class LoggerSimulator : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        int records = 0;   // acquisitions in memory at start
        int channels = 8;  // channels in use, filling multiplexer 0 first
        int modelCode = 1; // 0 = 16-bit analog model, 1 = vibrating-wire
        bool eventCounter = false;
        int baud = 0; // line speed to emulate, 10 bits a byte; 0 = unlimited
        LoggerProtocol::Faults faults;
        int slowMs = 0; // every reply starts this much later
        bool announceOnStart = false;
        bool announceOnOpen = false;
        int announceEveryMs = 0;
        qint64 quietMs = LoggerProtocol::kDefaultQuietMs;
        bool clockRunning = false; // clock follows the host's, else frozen at its setting
    };

    LoggerSimulator() : LoggerSimulator(Options{}) {}
    explicit LoggerSimulator(const Options& options, QObject* parent = nullptr);
    ~LoggerSimulator() override;

    // Must be called in the thread whose event loop will run the simulator.
    bool start(QString* error = nullptr);
    void stop();
    bool isRunning() const { return m_transport.isOpen(); }
    QString slavePath() const { return m_transport.slavePath(); }

    // Safe from any thread: runs fn with the model locked.
    void withModel(const std::function<void(LoggerModel&)>& fn);
    // Safe from any thread; resets the field count the faults refer to.
    void setFaults(const LoggerProtocol::Faults& faults);
    // Sends the wake-up text now. Call in the simulator's thread.
    void announce();

    // The channel counts for `channels` channels in use, 16 per multiplexer.
    static std::array<int, LoggerModel::kMultiplexers> spreadChannels(int channels);

signals:
    void hungUp();

private:
    void onReceived(const QByteArray& bytes);
    void onPoll();
    void deliver(const QByteArray& reply);
    void releaseDelayed();
    void maybeHangUp();
    void schedulePoll();
    void onIdleCheck();

    Options m_options;
    QMutex m_mutex; // guards m_model and m_protocol
    LoggerModel m_model;
    LoggerProtocol m_protocol;
    PtyTransport m_transport;
    QElapsedTimer m_clock;
    // Timers are parented to us so that moveToThread() takes them along.
    QTimer m_pollTimer;
    QTimer m_delayTimer;
    QTimer m_idleTimer;
    qint64 m_lastActivityMs = 0;
    bool m_hangupPending = false;
    qint64 m_hangupWaitFrom = -1;

    struct Delayed
    {
        qint64 dueMs;
        QByteArray bytes;
    };
    std::deque<Delayed> m_delayed;
};
