#include "link/RealClock.h"

#include "link/LinkTransport.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <cmath>

RealClock::RealClock()
{
    m_timer.start();
}

double RealClock::now() const
{
    return m_timer.nsecsElapsed() / 1e9;
}

void RealClock::pause(double seconds)
{
    const double end = now() + seconds;
    // The bulk of the pause in an event loop that repaints but holds back
    // user input; timers have millisecond granularity, so the last fraction
    // of a millisecond is slept off, which keeps the pause just over the
    // asked time instead of a whole millisecond more.
    const int wholeMs = static_cast<int>(std::floor(seconds * 1000.0));
    if (wholeMs > 0) {
        QEventLoop loop;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(wholeMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    for (double left = end - now(); left >= 0; left = end - now())
        QThread::usleep(static_cast<unsigned long>(left * 1e6) + 20);
}

void RealClock::waitForInput(double deadline, LinkTransport& transport, qint64 seen)
{
    if (transport.bytesPending() > seen)
        return;
    const double left = deadline - now();
    QEventLoop loop;
    QObject::connect(&transport, &LinkTransport::inputChanged, &loop, &QEventLoop::quit);
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(left > 0 ? static_cast<int>(std::ceil(left * 1000.0)) : 0);
    loop.exec();
}
