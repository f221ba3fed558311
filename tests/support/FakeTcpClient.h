#pragma once

#include "link/TcpClient.h"

#include <QList>

class VirtualClock;

// An in-memory TCP client on the virtual clock: records each send with its
// time and hands out the bytes a test feeds it.
class FakeTcpClient : public TcpClient
{
    Q_OBJECT
public:
    struct Send
    {
        double time;
        QByteArray bytes;
    };

    explicit FakeTcpClient(VirtualClock& clock, QObject* parent = nullptr);

    void feed(const QByteArray& bytes);
    void feedIn(double delay, const QByteArray& bytes);
    // The next Connect() fails at once with this text.
    void failNextConnect(const QString& error);
    void injectError(const QString& error);

    const QList<Send>& sends() const { return m_sends; }
    bool connected() const { return m_connected; }
    QString connectedHost() const { return m_connectHost; }
    int connectedPort() const { return m_connectPort; }

    void setRemoteHost(const QString& host) override { m_remoteHost = host; }
    QString remoteHost() const override { return m_remoteHost; }
    void setRemotePort(int port) override { m_remotePort = port; }
    int remotePort() const override { return m_remotePort; }
    void setLocalPort(int port) override { m_localPort = port; }
    int localPort() const override { return m_localPort; }
    void Connect(const QString& host, int port) override;
    void Disconnect() override { m_connected = false; }
    bool SendData(const QByteArray& bytes) override;
    QByteArray GetData() override;
    qint64 bytesPending() const override { return m_received.size(); }
    bool failed() const override { return m_failed; }
    QString errorString() const override { return m_error; }

private:
    VirtualClock& m_clock;
    QString m_remoteHost;
    int m_remotePort = 0;
    int m_localPort = 0;
    QString m_connectHost;
    int m_connectPort = 0;
    bool m_connected = false;
    bool m_failed = false;
    QString m_error;
    QString m_nextConnectError;
    QByteArray m_received;
    QList<Send> m_sends;
};
