#pragma once

#include <QObject>

// What a receive wait listens to: a transport (serial port or TCP client)
// that tells when input has arrived or the line has failed.
class LinkTransport : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Bytes received and not yet read.
    virtual qint64 bytesPending() const = 0;

signals:
    // New input arrived, or the transport failed or closed: a wait ends.
    void inputChanged();
};
