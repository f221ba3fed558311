#pragma once

#include "link/LinkTransport.h"

#include <QByteArray>
#include <QString>

// The serial port as the program uses it: a port number, a settings text such
// as "9600,N,8,1", an input length (0: a read returns everything pending),
// DTR/RTS, open and close with the system's error text, the pending count,
// read pending, discard pending, write.
//
// After a hang-up (cable or adapter pulled) the port closes itself and
// failed() stays true until it is opened again, so a waiting primitive sees
// the error at once.
class SerialPort : public LinkTransport
{
    Q_OBJECT
public:
    using LinkTransport::LinkTransport;

    virtual void setCommPort(int number) = 0;
    virtual int commPort() const = 0;
    // Applies a settings text "baud,parity,data,stop"; false on a malformed one.
    virtual bool setSettings(const QString& settings) = 0;
    virtual QString settings() const = 0;
    virtual void setInputLen(int length) = 0;
    virtual int inputLen() const = 0;
    virtual void setDTREnable(bool on) = 0;
    virtual bool dtrEnable() const = 0;
    virtual void setRTSEnable(bool on) = 0;

    // Opens the port; false with errorString() set when it cannot be opened.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Reads what is pending (at most inputLen() bytes when that is not 0).
    virtual QByteArray input() = 0;
    // Discards everything pending.
    virtual void discardInput() = 0;
    // Writes the bytes at once; false when the port is closed or the write fails.
    virtual bool output(const QByteArray& bytes) = 0;

    // True after a read or write failure or a hang-up, until the next open().
    virtual bool failed() const = 0;
    virtual QString errorString() const = 0;
};
