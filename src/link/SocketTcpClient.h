#pragma once

#include "link/TcpClient.h"

#include <QTcpSocket>

// A TCP client over QTcpSocket that passes the bytes through as they are.
class SocketTcpClient : public TcpClient
{
    Q_OBJECT
public:
    explicit SocketTcpClient(QObject* parent = nullptr);

    void setRemoteHost(const QString& host) override { m_host = host; }
    QString remoteHost() const override { return m_host; }
    void setRemotePort(int port) override { m_remotePort = port; }
    int remotePort() const override { return m_remotePort; }
    void setLocalPort(int port) override { m_localPort = port; }
    int localPort() const override { return m_localPort; }

    void Connect(const QString& host, int port) override;
    void Disconnect() override;
    bool SendData(const QByteArray& bytes) override;
    QByteArray GetData() override;

    qint64 bytesPending() const override { return m_socket.bytesAvailable(); }
    bool failed() const override { return m_failed; }
    QString errorString() const override { return m_error; }

private:
    void onError(QAbstractSocket::SocketError error);

    QTcpSocket m_socket;
    QString m_host;
    int m_remotePort = 0;
    int m_localPort = 0;
    bool m_failed = false;
    QString m_error;
};
