#include "link/HardwareSerialPort.h"

#include <QStringList>

HardwareSerialPort::HardwareSerialPort(const ComPortNames& names, QObject* parent)
    : SerialPort(parent), m_names(names)
{
    connect(&m_port, &QSerialPort::readyRead, this, &LinkTransport::inputChanged);
    connect(&m_port, &QSerialPort::errorOccurred, this, &HardwareSerialPort::onError);
    setCommPort(1);
}

void HardwareSerialPort::setCommPort(int number)
{
    m_number = number;
    m_device = m_names.deviceFor(number);
    m_port.setPortName(m_device);
}

bool HardwareSerialPort::setSettings(const QString& settings)
{
    const QStringList parts = settings.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    const int baud = parts[0].trimmed().toInt(&ok);
    if (!ok || baud <= 0)
        return false;

    QSerialPort::Parity parity;
    switch (parts[1].trimmed().toUpper().at(0).toLatin1()) {
    case 'N':
        parity = QSerialPort::NoParity;
        break;
    case 'E':
        parity = QSerialPort::EvenParity;
        break;
    case 'O':
        parity = QSerialPort::OddParity;
        break;
    case 'M':
        parity = QSerialPort::MarkParity;
        break;
    case 'S':
        parity = QSerialPort::SpaceParity;
        break;
    default:
        return false;
    }
    const int bits = parts[2].trimmed().toInt(&ok);
    if (!ok || bits < 5 || bits > 8)
        return false;
    const QString stop = parts[3].trimmed();
    QSerialPort::StopBits stopBits;
    if (stop == QLatin1String("1"))
        stopBits = QSerialPort::OneStop;
    else if (stop == QLatin1String("1.5"))
        stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == QLatin1String("2"))
        stopBits = QSerialPort::TwoStop;
    else
        return false;

    m_port.setBaudRate(baud);
    m_port.setParity(parity);
    m_port.setDataBits(static_cast<QSerialPort::DataBits>(bits));
    m_port.setStopBits(stopBits);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_settings = settings;
    return true;
}

void HardwareSerialPort::setDTREnable(bool on)
{
    m_dtr = on;
    applyLines();
}

void HardwareSerialPort::setRTSEnable(bool on)
{
    m_rts = on;
    applyLines();
}

void HardwareSerialPort::applyLines()
{
    if (!m_port.isOpen())
        return;
    // A pseudo-terminal has no modem lines: the ioctl fails with
    // "Inappropriate ioctl", which is no fault of the link.
    m_port.setDataTerminalReady(m_dtr);
    m_port.setRequestToSend(m_rts);
    if (m_port.error() != QSerialPort::NoError)
        m_port.clearError();
}

bool HardwareSerialPort::open()
{
    m_failed = false;
    m_error.clear();
    m_kept.clear();
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_error = m_port.errorString();
        m_port.clearError();
        return false;
    }
    applyLines();
    return true;
}

void HardwareSerialPort::close()
{
    if (m_port.isOpen())
        m_port.close();
}

qint64 HardwareSerialPort::bytesPending() const
{
    return m_kept.size() + (m_port.isOpen() ? m_port.bytesAvailable() : 0);
}

QByteArray HardwareSerialPort::input()
{
    QByteArray bytes = m_kept;
    m_kept.clear();
    if (m_port.isOpen())
        bytes += m_port.readAll();
    if (m_inputLen > 0 && bytes.size() > m_inputLen) {
        m_kept = bytes.mid(m_inputLen);
        bytes.truncate(m_inputLen);
    }
    return bytes;
}

void HardwareSerialPort::discardInput()
{
    m_kept.clear();
    if (m_port.isOpen()) {
        m_port.readAll();
        m_port.clear(QSerialPort::Input);
        if (m_port.error() != QSerialPort::NoError)
            m_port.clearError();
    }
}

bool HardwareSerialPort::output(const QByteArray& bytes)
{
    if (!m_port.isOpen()) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("Porta non aperta");
        return false;
    }
    if (m_port.write(bytes) != bytes.size())
        return false;
    // Hand the bytes to the system now, so a paced character leaves when it
    // is written and not at the next turn of the event loop.
    m_port.flush();
    return !m_failed;
}

void HardwareSerialPort::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || !m_port.isOpen())
        return;
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError &&
        error != QSerialPort::WriteError)
        return;
    m_kept += m_port.readAll();
    m_failed = true;
    m_error = m_port.errorString();
    m_port.clearError();
    m_port.close();
    emit inputChanged();
}
