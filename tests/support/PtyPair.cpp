#include "PtyPair.h"

#include <QElapsedTimer>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    termios tio{};
    tcgetattr(m_slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_slave, TCSANOW, &tio);
    m_slavePath = QString::fromLocal8Bit(name);
    // The slave stays open here too, so the line does not hang up when the
    // program closes and reopens its port.
}

PtyPair::~PtyPair()
{
    hangUp();
    if (m_slave >= 0)
        ::close(m_slave);
}

void PtyPair::write(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (m_master >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
}

QByteArray PtyPair::read(int timeoutMs)
{
    return readCount(1 << 30, timeoutMs);
}

QByteArray PtyPair::readCount(int count, int timeoutMs)
{
    QByteArray bytes;
    QElapsedTimer timer;
    timer.start();
    while (m_master >= 0 && bytes.size() < count) {
        const int left = timeoutMs - static_cast<int>(timer.elapsed());
        if (left <= 0)
            break;
        pollfd p{m_master, POLLIN, 0};
        if (poll(&p, 1, left) <= 0)
            break;
        char buf[4096];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0)
            break;
        bytes.append(buf, n);
    }
    return bytes;
}

void PtyPair::hangUp()
{
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
}
