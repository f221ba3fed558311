// vklogger-sim: a logger on the far side of a pseudo-terminal.

#include "LoggerSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

int parseInt(const QCommandLineParser& p, const QString& name, int fallback, bool* ok)
{
    if (!p.isSet(name))
        return fallback;
    bool good = false;
    const int v = p.value(name).toInt(&good);
    if (!good) {
        std::fprintf(stderr, "vklogger-sim: --%s wants a whole number\n", qPrintable(name));
        *ok = false;
    }
    return v;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("vklogger-sim");

    // Signals arrive on a pipe so the event loop ends cleanly.
    if (::pipe(g_signalPipe) != 0)
        return 1;
    QSocketNotifier sigNotifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&sigNotifier, &QSocketNotifier::activated, &app, [] {
        char c;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[0], &c, 1);
        QCoreApplication::quit();
    });
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);

    QCommandLineParser p;
    p.setApplicationDescription(
        "A geotechnical datalogger simulated behind a pseudo-terminal.\n"
        "Prints \"vklogger-sim: pty <slave path>\" on stdout, then answers the logger's\n"
        "command vocabulary on that path until SIGINT or SIGTERM.\n"
        "Fault counts K number the reply fields (comma-terminated pieces) from 1.");
    p.addHelpOption();
    p.addOptions({
        {"records", "Acquisitions in memory at start (default 0).", "N"},
        {"channels",
         "Channels in use, 16 per multiplexer, filling multiplexer 0 first (default 8).", "C"},
        {"model", "Model code: 0 = 16-bit analog model, 1 = vibrating-wire (default 1).", "CODE"},
        {"event-counter", "Event counter (rain gauge) enabled: each record carries a count."},
        {"baud",
         "Emulate this line speed, 10 bits a byte (9600 = 960 bytes/s); 0 = unlimited "
         "(default 0).",
         "BAUD"},
        {"silent-after", "Fault: stop answering after K reply fields.", "K"},
        {"garbage-field", "Fault: reply field K is replaced by garbage text.", "K"},
        {"hangup-after", "Fault: close the line after K reply fields.", "K"},
        {"slow", "Fault: every reply starts MS milliseconds late.", "MS"},
        {"announce-on-start",
         "Send the wake-up text ending in \"S2\" once at start. A pty carries no DTR, so "
         "the wake-up that DTR would cause is emulated by the announce options."},
        {"announce-on-open", "Send the wake-up text each time the slave is opened."},
        {"announce-every", "Send the wake-up text whenever the line has been idle MS ms.", "MS"},
        {"quiet-ms",
         "A lone G, C, E, H, M, J, U, b or z gets its lone-letter answer after MS ms "
         "without its parameter (default 100).",
         "MS"},
        {"frozen-clock", "Keep the logger's clock still instead of following the host's."},
        {"identifier", "The logger's identifier (default VKLOG01).", "TEXT"},
    });
    p.process(app);

    bool ok = true;
    LoggerSimulator::Options o;
    o.records = parseInt(p, "records", 0, &ok);
    o.channels = parseInt(p, "channels", 8, &ok);
    o.modelCode = parseInt(p, "model", 1, &ok);
    o.eventCounter = p.isSet("event-counter");
    o.baud = parseInt(p, "baud", 0, &ok);
    o.faults.silentAfter = parseInt(p, "silent-after", -1, &ok);
    o.faults.garbageField = parseInt(p, "garbage-field", -1, &ok);
    o.faults.hangupAfter = parseInt(p, "hangup-after", -1, &ok);
    o.slowMs = parseInt(p, "slow", 0, &ok);
    o.announceOnStart = p.isSet("announce-on-start");
    o.announceOnOpen = p.isSet("announce-on-open");
    o.announceEveryMs = parseInt(p, "announce-every", 0, &ok);
    o.quietMs = parseInt(p, "quiet-ms", int(LoggerProtocol::kDefaultQuietMs), &ok);
    o.clockRunning = !p.isSet("frozen-clock");
    if (!ok)
        return 2;

    LoggerSimulator sim(o);
    if (p.isSet("identifier")) {
        const QByteArray id = p.value("identifier").toLatin1();
        sim.withModel([&id](LoggerModel& m) { m.identifier = id; });
    }
    QString error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "vklogger-sim: cannot open a pseudo-terminal: %s\n",
                     qPrintable(error));
        return 1;
    }
    QObject::connect(&sim, &LoggerSimulator::hungUp, &app, [] {
        // The line is gone; stay until killed like a logger with its cable cut.
        std::fprintf(stderr, "vklogger-sim: line hung up (fault)\n");
    });

    std::printf("vklogger-sim: pty %s\n", qPrintable(sim.slavePath()));
    std::fflush(stdout);
    return app.exec();
}
