#include "HybridClock.h"

#include <QCoreApplication>

void HybridClock::pause(double seconds)
{
    m_skipped += seconds;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
