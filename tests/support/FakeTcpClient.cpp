#include "FakeTcpClient.h"

#include "VirtualClock.h"

FakeTcpClient::FakeTcpClient(VirtualClock& clock, QObject* parent)
    : TcpClient(parent), m_clock(clock)
{
}

void FakeTcpClient::feed(const QByteArray& bytes)
{
    m_received += bytes;
    emit inputChanged();
}

void FakeTcpClient::feedIn(double delay, const QByteArray& bytes)
{
    m_clock.scheduleIn(delay, [this, bytes] { feed(bytes); });
}

void FakeTcpClient::failNextConnect(const QString& error)
{
    m_nextConnectError = error;
}

void FakeTcpClient::injectError(const QString& error)
{
    m_failed = true;
    m_error = error;
    m_connected = false;
    emit errorOccurred(1, error);
    emit inputChanged();
}

void FakeTcpClient::Connect(const QString& host, int port)
{
    m_connectHost = host;
    m_connectPort = port;
    if (!m_nextConnectError.isEmpty()) {
        m_failed = true;
        m_error = m_nextConnectError;
        m_nextConnectError.clear();
        return;
    }
    m_failed = false;
    m_connected = true;
}

bool FakeTcpClient::SendData(const QByteArray& bytes)
{
    if (!m_connected)
        return false;
    m_sends.append(Send{m_clock.now(), bytes});
    return true;
}

QByteArray FakeTcpClient::GetData()
{
    QByteArray bytes;
    bytes.swap(m_received);
    return bytes;
}
