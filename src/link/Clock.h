#pragma once

#include <QtGlobal>

class LinkTransport;

// The link's clock: monotonic seconds (no jump at midnight) and two kinds of
// wait. The program uses RealClock; tests use a virtual clock whose waits
// advance virtual time at once.
class Clock
{
public:
    virtual ~Clock() = default;

    // Monotonic seconds since an arbitrary origin.
    virtual double now() const = 0;

    // A pause that lasts more than the given seconds: the window repaints but
    // takes no user input, and no CPU is used while it waits.
    virtual void pause(double seconds) = 0;

    // A receive wait: processes events and returns as soon as the transport
    // holds more than `seen` pending bytes, reports a change (new input, a
    // failure), or the deadline (in now() seconds) passes. Time always moves
    // on by at least a moment, even for a deadline already past.
    virtual void waitForInput(double deadline, LinkTransport& transport, qint64 seen) = 0;
};
