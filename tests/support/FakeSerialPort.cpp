#include "FakeSerialPort.h"

#include "VirtualClock.h"

FakeSerialPort::FakeSerialPort(VirtualClock& clock, QObject* parent)
    : SerialPort(parent), m_clock(clock)
{
}

void FakeSerialPort::feed(const QByteArray& bytes)
{
    m_pending += bytes;
    emit inputChanged();
}

void FakeSerialPort::feedIn(double delay, const QByteArray& bytes)
{
    m_clock.scheduleIn(delay, [this, bytes] {
        if (m_open)
            feed(bytes);
    });
}

void FakeSerialPort::replyTo(const QByteArray& trigger, const QByteArray& reply, double delay)
{
    m_rules.append(Rule{trigger, reply, delay});
}

void FakeSerialPort::failNextOpen(const QString& error)
{
    m_nextOpenError = error;
}

void FakeSerialPort::injectError(const QString& error)
{
    m_failed = true;
    m_error = error;
    m_open = false;
    emit inputChanged();
}

QByteArray FakeSerialPort::written() const
{
    QByteArray all;
    for (const Write& w : m_writes)
        all += w.bytes;
    return all;
}

bool FakeSerialPort::setSettings(const QString& settings)
{
    m_settings = settings;
    return true;
}

bool FakeSerialPort::open()
{
    if (!m_nextOpenError.isEmpty()) {
        m_error = m_nextOpenError;
        m_nextOpenError.clear();
        return false;
    }
    if (m_open) {
        m_error = QStringLiteral("Porta già aperta");
        return false;
    }
    ++m_opens;
    m_open = true;
    m_failed = false;
    m_error.clear();
    return true;
}

QByteArray FakeSerialPort::input()
{
    const qsizetype n =
        m_inputLen > 0 ? qMin<qsizetype>(m_inputLen, m_pending.size()) : m_pending.size();
    const QByteArray bytes = m_pending.left(n);
    m_pending.remove(0, n);
    return bytes;
}

bool FakeSerialPort::output(const QByteArray& bytes)
{
    if (!m_open) {
        m_error = QStringLiteral("Porta non aperta");
        return false;
    }
    m_writes.append(Write{m_clock.now(), bytes});
    m_sinceTrigger += bytes;
    if (!m_rules.isEmpty() && m_sinceTrigger.endsWith(m_rules.constFirst().trigger)) {
        const Rule rule = m_rules.takeFirst();
        m_sinceTrigger.clear();
        feedIn(rule.delay, rule.reply);
    }
    return true;
}
