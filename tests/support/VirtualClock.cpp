#include "VirtualClock.h"

#include "link/LinkTransport.h"

#include <QCoreApplication>

#include <algorithm>

void VirtualClock::scheduleAt(double at, std::function<void()> fn)
{
    m_events.append(Event{at, m_order++, std::move(fn)});
}

bool VirtualClock::fireNext(double limit)
{
    auto next =
        std::min_element(m_events.begin(), m_events.end(), [](const Event& a, const Event& b) {
            return a.at < b.at || (a.at == b.at && a.order < b.order);
        });
    if (next == m_events.end() || next->at > limit)
        return false;
    const Event event = *next;
    m_events.erase(next);
    m_now = std::max(m_now, event.at);
    event.fn();
    return true;
}

void VirtualClock::advanceTo(double to)
{
    while (fireNext(to)) {
    }
    m_now = std::max(m_now, to);
}

void VirtualClock::pause(double seconds)
{
    m_pauses.append(seconds);
    advanceTo(m_now + seconds + Overrun);
}

void VirtualClock::waitForInput(double deadline, LinkTransport& transport, qint64 seen)
{
    ++m_waits;
    QCoreApplication::processEvents();
    bool changed = false;
    const QMetaObject::Connection watch =
        QObject::connect(&transport, &LinkTransport::inputChanged, [&changed] { changed = true; });
    while (!changed && transport.bytesPending() <= seen && fireNext(deadline)) {
    }
    QObject::disconnect(watch);
    if (!changed && transport.bytesPending() <= seen)
        m_now = std::max(deadline, m_now + Tick);
}
