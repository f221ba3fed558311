// Figures of the link over a pseudo-terminal: parameter pacing, CPU used
// while waiting for a reply, and reply fields read per second.

#include "PtyPair.h"
#include "ScriptedDialogs.h"
#include "link/ComPortNames.h"
#include "link/HardwareSerialPort.h"
#include "link/Modulo1.h"
#include "link/RealClock.h"
#include "link/SocketTcpClient.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <numeric>
#include <thread>
#include <vector>

#include <poll.h>
#include <unistd.h>

namespace {

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

double wallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// One link on a fresh pseudo-terminal, opened as after a probe.
struct Bench
{
    QTemporaryDir folder;
    PtyPair pty;
    ComPortNames names{folder.path()};
    HardwareSerialPort port{names};
    SocketTcpClient tcp;
    RealClock clock;
    ScriptedDialogs dialogs;
    Modulo1 link{port, tcp, clock, dialogs};

    Bench()
    {
        QFile f(folder.filePath("comports.ini"));
        f.open(QIODevice::WriteOnly);
        f.write(pty.slavePath().toLatin1() + "\n");
        f.close();
        port.setCommPort(1);
        port.setSettings("9600,N,8,1");
        if (!port.open())
            std::fprintf(stderr, "cannot open %s\n", qPrintable(pty.slavePath()));
        link.PortaAperta = true;
    }
};

// Arrival times of the parameter characters of one 100-character command,
// taken on the far end as they come off the wire.
void pacing(double& mean, double& min, double& max)
{
    Bench b;
    const int chars = 100;
    std::vector<double> arrivals;
    std::thread far([&] {
        const int fd = b.pty.masterFd();
        while (static_cast<int>(arrivals.size()) < chars + 1) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 5000) <= 0)
                break;
            char buf[256];
            const ssize_t n = ::read(fd, buf, sizeof buf);
            const double t = wallSeconds();
            for (ssize_t i = 0; i < n; ++i)
                arrivals.push_back(t);
        }
    });
    b.link.Invia_Comando("r", QString(chars, QLatin1Char('7')));
    far.join();
    std::vector<double> gaps;
    for (size_t i = 2; i < arrivals.size(); ++i)
        gaps.push_back((arrivals[i] - arrivals[i - 1]) * 1000.0);
    mean = gaps.empty() ? 0 : std::accumulate(gaps.begin(), gaps.end(), 0.0) / gaps.size();
    min = gaps.empty() ? 0 : *std::min_element(gaps.begin(), gaps.end());
    max = gaps.empty() ? 0 : *std::max_element(gaps.begin(), gaps.end());
}

// CPU over wall time while a reply is awaited for 5 s of real time.
double waitCpuPercent()
{
    Bench b;
    std::thread far([&] {
        std::this_thread::sleep_for(std::chrono::seconds(5));
        b.pty.write("late,");
    });
    const double cpu0 = cpuSeconds();
    const double wall0 = wallSeconds();
    b.link.Invia_Comando("Q", "");
    const QString reply = b.link.Leggi_Risposta();
    const double pct = 100.0 * (cpuSeconds() - cpu0) / (wallSeconds() - wall0);
    far.join();
    if (reply != QLatin1String("late"))
        std::fprintf(stderr, "unexpected reply %s\n", qPrintable(reply));
    return pct;
}

// Reply fields per second from an unthrottled stream of `count` fields.
double fieldsPerSecond(int count)
{
    Bench b;
    std::thread far([&] {
        QByteArray chunk;
        for (int i = 0; i < count; ++i) {
            chunk += QByteArray::number(i % 100000) + ',';
            if (chunk.size() > 60000) {
                b.pty.write(chunk);
                chunk.clear();
            }
        }
        b.pty.write(chunk);
    });
    const double t0 = wallSeconds();
    b.link.Invia_Comando("A", "");
    int bad = 0;
    for (int i = 0; i < count; ++i)
        if (b.link.Leggi_Risposta() != QString::number(i % 100000))
            ++bad;
    const double took = wallSeconds() - t0;
    far.join();
    if (bad)
        std::fprintf(stderr, "%d fields wrong of %d\n", bad, count);
    return count / took;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    double mean = 0, min = 0, max = 0;
    pacing(mean, min, max);
    std::printf("pacing over 100 characters: mean %.3f ms, min %.3f ms, max %.3f ms\n", mean, min,
                max);
    const double cpu = waitCpuPercent();
    std::printf("CPU while waiting 5 s for a reply: %.3f %%\n", cpu);
    const double f5 = fieldsPerSecond(100000);
    const double f6 = fieldsPerSecond(1000000);
    std::printf("fields per second: %.0f (1e5), %.0f (1e6)\n", f5, f6);
    std::printf("link: pacing_mean_ms=%.3f pacing_min_ms=%.3f pacing_max_ms=%.3f wait_cpu_pct=%.3f "
                "fields_per_s_1e5=%.0f fields_per_s_1e6=%.0f\n",
                mean, min, max, cpu, f5, f6);
    std::fflush(stdout);
    return 0;
}
