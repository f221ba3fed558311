#pragma once

#include "link/Clock.h"

#include <QList>

#include <functional>

// A clock whose waits advance virtual time at once: a 60 s time-out or an
// 8 s settle costs nothing. Things that happen "later" (a reply arriving, a
// cable pulled) are scheduled on it and fire when virtual time reaches them.
class VirtualClock : public Clock
{
public:
    explicit VirtualClock(double start = 1000.0) : m_now(start) {}

    double now() const override { return m_now; }
    void pause(double seconds) override;
    void waitForInput(double deadline, LinkTransport& transport, qint64 seen) override;

    // Runs fn when virtual time reaches `at`.
    void scheduleAt(double at, std::function<void()> fn);
    void scheduleIn(double delay, std::function<void()> fn) { scheduleAt(m_now + delay, fn); }

    // Moves time on to `to`, firing what is due on the way.
    void advanceTo(double to);

    // Every pause asked for, in seconds, and the number of receive waits.
    const QList<double>& pauses() const { return m_pauses; }
    int waits() const { return m_waits; }

    // How far past its asked length a pause runs ("more than n").
    static constexpr double Overrun = 1e-6;
    // The least a receive wait lets time move on.
    static constexpr double Tick = 1e-3;

private:
    struct Event
    {
        double at;
        int order;
        std::function<void()> fn;
    };
    // Fires the earliest event due at or before `limit`; false when none is.
    bool fireNext(double limit);

    double m_now;
    QList<Event> m_events;
    int m_order = 0;
    QList<double> m_pauses;
    int m_waits = 0;
};
