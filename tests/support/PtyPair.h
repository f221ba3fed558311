#pragma once

#include <QByteArray>
#include <QString>

// A raw pseudo-terminal for tests: the program opens the slave path as its
// serial port, the test plays the far end on the master.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    void write(const QByteArray& bytes);
    // Reads what arrives within timeoutMs (bounded, for a reply in flight).
    QByteArray read(int timeoutMs);
    // Reads until `count` bytes arrived or timeoutMs passed.
    QByteArray readCount(int count, int timeoutMs);
    // The master side, for a far end that runs in a thread of its own.
    int masterFd() const { return m_master; }
    // The far end hangs up: the master closes.
    void hangUp();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};
