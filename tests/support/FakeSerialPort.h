#pragma once

#include "link/SerialPort.h"

#include <QList>

class VirtualClock;

// An in-memory serial port on the virtual clock: records every write with
// its time, plays scripted replies, and fails on demand.
class FakeSerialPort : public SerialPort
{
    Q_OBJECT
public:
    struct Write
    {
        double time;
        QByteArray bytes;
    };

    explicit FakeSerialPort(VirtualClock& clock, QObject* parent = nullptr);

    // --- scripting ---
    // Bytes arrive now.
    void feed(const QByteArray& bytes);
    // Bytes arrive after `delay` virtual seconds.
    void feedIn(double delay, const QByteArray& bytes);
    // When what has been written (since the previous trigger fired) ends with
    // `trigger`, `reply` arrives `delay` seconds later. Rules fire once, in
    // the order given.
    void replyTo(const QByteArray& trigger, const QByteArray& reply, double delay = 0.0);
    // The next open() fails with this text.
    void failNextOpen(const QString& error);
    // The line fails now (cable pulled): the port closes and reports it.
    void injectError(const QString& error = QStringLiteral("Input/output error"));

    // --- inspection ---
    const QList<Write>& writes() const { return m_writes; }
    QByteArray written() const;
    void clearWrites() { m_writes.clear(); }
    int openCount() const { return m_opens; }

    // --- SerialPort ---
    void setCommPort(int number) override { m_number = number; }
    int commPort() const override { return m_number; }
    bool setSettings(const QString& settings) override;
    QString settings() const override { return m_settings; }
    void setInputLen(int length) override { m_inputLen = length; }
    int inputLen() const override { return m_inputLen; }
    void setDTREnable(bool on) override { m_dtr = on; }
    bool dtrEnable() const override { return m_dtr; }
    void setRTSEnable(bool on) override { m_rts = on; }
    bool open() override;
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    qint64 bytesPending() const override { return m_pending.size(); }
    QByteArray input() override;
    void discardInput() override { m_pending.clear(); }
    bool output(const QByteArray& bytes) override;
    bool failed() const override { return m_failed; }
    QString errorString() const override { return m_error; }

private:
    struct Rule
    {
        QByteArray trigger;
        QByteArray reply;
        double delay;
    };

    VirtualClock& m_clock;
    int m_number = 1;
    QString m_settings;
    int m_inputLen = 0;
    bool m_dtr = false;
    bool m_rts = false;
    bool m_open = false;
    bool m_failed = false;
    QString m_error;
    QString m_nextOpenError;
    int m_opens = 0;
    QByteArray m_pending;
    QList<Write> m_writes;
    QList<Rule> m_rules;
    QByteArray m_sinceTrigger;
};
