#pragma once

#include "link/LinkTransport.h"

#include <QByteArray>
#include <QString>

// The TCP client the link talks through in TCP mode: the properties and
// methods the link uses (remote host and port, local port, connect,
// disconnect, send, fetch what has arrived).
class TcpClient : public LinkTransport
{
    Q_OBJECT
public:
    using LinkTransport::LinkTransport;

    virtual void setRemoteHost(const QString& host) = 0;
    virtual QString remoteHost() const = 0;
    virtual void setRemotePort(int port) = 0;
    virtual int remotePort() const = 0;
    virtual void setLocalPort(int port) = 0;
    virtual int localPort() const = 0;

    virtual void Connect(const QString& host, int port) = 0;
    virtual void Disconnect() = 0;
    // Sends the bytes as they are; false on failure (the client reports it).
    virtual bool SendData(const QByteArray& bytes) = 0;
    // Returns the application text received so far and empties it.
    virtual QByteArray GetData() = 0;

    virtual bool failed() const = 0;
    virtual QString errorString() const = 0;

signals:
    void errorOccurred(int number, const QString& description);
};
