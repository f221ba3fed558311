#pragma once

#include "link/Clock.h"

#include <QElapsedTimer>

// The program's clock: monotonic time, waits on a QEventLoop ended by the
// transport's notification or a precise single-shot timer, so no CPU is
// spent while waiting.
class RealClock : public Clock
{
public:
    RealClock();

    double now() const override;
    void pause(double seconds) override;
    void waitForInput(double deadline, LinkTransport& transport, qint64 seen) override;

private:
    QElapsedTimer m_timer;
};
