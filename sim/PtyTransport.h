#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

// The logger's end of a pseudo-terminal. The slave path is what the program
// opens as its serial port. We keep a slave descriptor of our own open for
// the whole life of the line, so that a program closing and reopening its
// port never leaves the master in the hung-up state (where reads fail with
// EIO at once and a read notifier would spin).
//
// A pty has no modem lines: DTR from the program never reaches us. What we
// can see is the program opening and closing the slave (watched with
// inotify), reported by slaveOpened()/slaveClosed().
//
// Output is queued and written as the slave accepts it, optionally paced to
// a byte rate (one byte = 10 bits on a real line, so 9600 baud = 960 B/s).
class PtyTransport : public QObject
{
    Q_OBJECT
public:
    explicit PtyTransport(QObject* parent = nullptr);
    ~PtyTransport() override;

    bool open(QString* error = nullptr);
    // Closes both ends: the program's port sees a hang-up.
    void close();
    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    // 0: as fast as the slave takes it.
    void setBytesPerSecond(int bytesPerSecond) { m_rate = bytesPerSecond; }
    void send(const QByteArray& bytes);
    qint64 pendingOutput() const { return m_out.size(); }
    // Bytes written to the line that the program has not read yet.
    int unreadBySlave() const;
    // Drops queued output and whatever the slave has not read yet.
    void discardOutput();

signals:
    void received(const QByteArray& bytes);
    void drained(); // all queued output handed to the slave
    void slaveOpened();
    void slaveClosed();
    void closed();

private:
    void onReadable();
    void onInotify();
    void pump();

    int m_master = -1;
    int m_slave = -1;
    int m_inotify = -1;
    QString m_slavePath;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QSocketNotifier* m_inotifyNotifier = nullptr;
    QTimer m_paceTimer;

    QByteArray m_out;
    int m_rate = 0;
    // Pacing: bytes written since the current burst began, and when it began.
    QElapsedTimer m_burstClock;
    qint64 m_burstBytes = 0;
};
