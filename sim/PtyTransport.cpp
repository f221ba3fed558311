#include "PtyTransport.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

PtyTransport::PtyTransport(QObject* parent) : QObject(parent), m_paceTimer(this)
{
    m_paceTimer.setTimerType(Qt::PreciseTimer);
    m_paceTimer.setInterval(5);
    connect(&m_paceTimer, &QTimer::timeout, this, &PtyTransport::pump);
}

PtyTransport::~PtyTransport()
{
    close();
}

bool PtyTransport::open(QString* error)
{
    if (isOpen())
        return true;
    char name[256] = {};
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    // Raw on both sides: no echo, no line editing, no CR/LF translation.
    termios t{};
    if (::tcgetattr(slave, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(slave, TCSANOW, &t);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    m_master = master;
    m_slave = slave;
    m_slavePath = QString::fromLocal8Bit(name);

    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyTransport::onReadable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyTransport::pump);

    // Opens and closes of the slave by others; our own open came before the watch.
    m_inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify >= 0) {
        if (::inotify_add_watch(m_inotify, name, IN_OPEN | IN_CLOSE) >= 0) {
            m_inotifyNotifier = new QSocketNotifier(m_inotify, QSocketNotifier::Read, this);
            connect(m_inotifyNotifier, &QSocketNotifier::activated, this, &PtyTransport::onInotify);
        } else {
            ::close(m_inotify);
            m_inotify = -1;
        }
    }
    return true;
}

void PtyTransport::close()
{
    if (!isOpen())
        return;
    m_paceTimer.stop();
    delete m_readNotifier;
    delete m_writeNotifier;
    delete m_inotifyNotifier;
    m_readNotifier = m_writeNotifier = m_inotifyNotifier = nullptr;
    if (m_inotify >= 0)
        ::close(m_inotify);
    ::close(m_slave);
    ::close(m_master);
    m_inotify = m_slave = m_master = -1;
    m_out.clear();
    emit closed();
}

void PtyTransport::send(const QByteArray& bytes)
{
    if (!isOpen() || bytes.isEmpty())
        return;
    if (m_out.isEmpty()) {
        m_burstClock.start();
        m_burstBytes = 0;
    }
    m_out += bytes;
    pump();
}

void PtyTransport::discardOutput()
{
    m_out.clear();
    m_paceTimer.stop();
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(false);
    if (m_slave >= 0)
        ::tcflush(m_slave, TCIFLUSH);
}

int PtyTransport::unreadBySlave() const
{
    int n = 0;
    if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &n) != 0)
        return 0;
    return n;
}

void PtyTransport::pump()
{
    if (!isOpen())
        return;
    while (!m_out.isEmpty()) {
        qint64 allowed = m_out.size();
        if (m_rate > 0) {
            const qint64 due = m_burstClock.elapsed() * m_rate / 1000 + 1;
            allowed = qMin(allowed, due - m_burstBytes);
            if (allowed <= 0) {
                m_writeNotifier->setEnabled(false);
                if (!m_paceTimer.isActive())
                    m_paceTimer.start();
                return;
            }
        }
        const ssize_t n = ::write(m_master, m_out.constData(), size_t(allowed));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                // The slave's input is full: wait until the program reads.
                m_paceTimer.stop();
                m_writeNotifier->setEnabled(true);
                return;
            }
            m_out.clear(); // the line is gone; nothing more can be written
            break;
        }
        m_out.remove(0, int(n));
        m_burstBytes += n;
    }
    m_paceTimer.stop();
    m_writeNotifier->setEnabled(false);
    emit drained();
}

void PtyTransport::onReadable()
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            emit received(QByteArray(buf, int(n)));
            if (!isOpen())
                return;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return; // EAGAIN, or nothing more for now
    }
}

void PtyTransport::onInotify()
{
    alignas(inotify_event) char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_inotify, buf, sizeof buf);
        if (n <= 0)
            return;
        for (ssize_t off = 0; off < n;) {
            const auto* ev = reinterpret_cast<const inotify_event*>(buf + off);
            if (ev->mask & IN_OPEN)
                emit slaveOpened();
            if (ev->mask & IN_CLOSE)
                emit slaveClosed();
            if (!isOpen())
                return;
            off += ssize_t(sizeof(inotify_event)) + ev->len;
        }
    }
}
