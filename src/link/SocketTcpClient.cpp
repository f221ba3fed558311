#include "link/SocketTcpClient.h"

SocketTcpClient::SocketTcpClient(QObject* parent) : TcpClient(parent)
{
    connect(&m_socket, &QTcpSocket::readyRead, this, &LinkTransport::inputChanged);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &SocketTcpClient::onError);
    connect(&m_socket, &QTcpSocket::disconnected, this, &LinkTransport::inputChanged);
}

void SocketTcpClient::Connect(const QString& host, int port)
{
    m_failed = false;
    m_error.clear();
    m_host = host;
    m_remotePort = port;
    // The connection leaves from an ephemeral local port.
    m_localPort = 0;
    m_socket.abort();
    m_socket.connectToHost(host, static_cast<quint16>(port));
}

void SocketTcpClient::Disconnect()
{
    m_socket.abort();
    m_localPort = 0;
}

bool SocketTcpClient::SendData(const QByteArray& bytes)
{
    if (m_socket.state() != QAbstractSocket::ConnectedState) {
        m_failed = true;
        m_error = QStringLiteral("Connessione non attiva");
        emit errorOccurred(static_cast<int>(QAbstractSocket::NetworkError), m_error);
        return false;
    }
    return m_socket.write(bytes) == bytes.size();
}

QByteArray SocketTcpClient::GetData()
{
    return m_socket.readAll();
}

void SocketTcpClient::onError(QAbstractSocket::SocketError error)
{
    m_failed = true;
    m_error = m_socket.errorString();
    emit errorOccurred(static_cast<int>(error), m_error);
    emit inputChanged();
}
