#pragma once

#include "link/ComPortNames.h"
#include "link/SerialPort.h"

#include <QSerialPort>

// The serial port over QSerialPort.
//
// When the other end hangs up (cable or USB adapter pulled) QSerialPort keeps
// signalling read errors at full CPU: the port is closed at the first one,
// what had arrived is kept for reading, and the port reports failed().
class HardwareSerialPort : public SerialPort
{
    Q_OBJECT
public:
    explicit HardwareSerialPort(const ComPortNames& names, QObject* parent = nullptr);

    void setCommPort(int number) override;
    int commPort() const override { return m_number; }
    bool setSettings(const QString& settings) override;
    QString settings() const override { return m_settings; }
    void setInputLen(int length) override { m_inputLen = length; }
    int inputLen() const override { return m_inputLen; }
    void setDTREnable(bool on) override;
    bool dtrEnable() const override { return m_dtr; }
    void setRTSEnable(bool on) override;

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }

    qint64 bytesPending() const override;
    QByteArray input() override;
    void discardInput() override;
    bool output(const QByteArray& bytes) override;

    bool failed() const override { return m_failed; }
    QString errorString() const override { return m_error; }

    // The device a port number opens (for tooltips).
    QString deviceName() const { return m_device; }

private:
    void onError(QSerialPort::SerialPortError error);
    void applyLines();

    const ComPortNames& m_names;
    QSerialPort m_port;
    int m_number = 1;
    QString m_device;
    QString m_settings;
    int m_inputLen = 0;
    bool m_dtr = false;
    bool m_rts = false;
    bool m_failed = false;
    QString m_error;
    QByteArray m_kept; // what had arrived when the line failed
};
