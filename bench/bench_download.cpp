// Figures of the memory download over a pseudo-terminal to the simulator:
// reply fields per second unthrottled, the download time at 9600 baud over
// the raw wire time of the same bytes, and the peak memory of a full
// 5000 x 128 download (measured in a child process of its own, with the
// simulator in yet another process, so that only the program is counted).

#include "HybridClock.h"
#include "ScriptedDialogs.h"
#include "SimulatorThread.h"
#include "download/ProprietaSensori.h"
#include "download/ScaricoDati.h"
#include "link/ComPortNames.h"
#include "link/HardwareSerialPort.h"
#include "link/Modulo1.h"
#include "link/SocketTcpClient.h"
#include "startup/ui_Form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

#include <sys/resource.h>

namespace {

// A link on the given pty opened as after a probe, and the download page.
// HybridClock: receive waits are real, the one-second pause at the end of a
// download is not counted.
struct Scarico
{
    QTemporaryDir folder;
    ComPortNames names{folder.path()};
    HardwareSerialPort port{names};
    SocketTcpClient tcp;
    HybridClock clock;
    ScriptedDialogs dialogs;
    Modulo1 link{port, tcp, clock, dialogs};
    QMainWindow finestra;
    Ui::Form1 ui;
    ProprietaSensori proprieta;
    std::unique_ptr<ScaricoDati> scarico;

    explicit Scarico(const QString& pty)
    {
        QFile f(folder.filePath("comports.ini"));
        f.open(QIODevice::WriteOnly);
        f.write(pty.toLatin1() + "\n");
        f.close();
        port.setCommPort(1);
        port.setSettings("9600,N,8,1");
        if (!port.open())
            std::fprintf(stderr, "cannot open %s\n", qPrintable(pty));
        link.PortaAperta = true;
        link.ModelloDatalogger = 1;
        ui.setupUi(&finestra);
        ui.Nome_Centralina->setText("BENCH");
        ui.Dir1->setText(folder.path());
        ui.TipoF_0->setChecked(true);
        ui.PLUVIOMETRO->setChecked(false);
        scarico = std::make_unique<ScaricoDati>(ui, link, dialogs, proprieta);
    }

    // Seconds the download takes; fails loudly when it did not complete.
    double scarica()
    {
        QElapsedTimer t;
        t.start();
        scarico->Acquisisci();
        const double s = t.nsecsElapsed() / 1e9;
        if (!dialogs.boxes().isEmpty())
            std::fprintf(stderr, "download failed: %s\n", qPrintable(dialogs.boxes()[0].text));
        return s;
    }

    // Seconds until the whole dump has arrived, reading raw bytes.
    double ricevi(qint64& byte)
    {
        QElapsedTimer t;
        t.start();
        link.Invia_Comando("A", QString());
        QByteArray tutto;
        while (!tutto.endsWith(char(26)) && t.elapsed() < 60000) {
            clock.waitForInput(clock.now() + 1.0, port, port.bytesPending());
            tutto += port.input();
        }
        byte = tutto.size();
        return t.nsecsElapsed() / 1e9;
    }
};

std::unique_ptr<SimulatorThread> simulatore(int records, int channels, int baud)
{
    LoggerSimulator::Options options;
    options.records = records;
    options.channels = channels;
    options.baud = baud;
    auto sim = std::make_unique<SimulatorThread>(options);
    QString error;
    if (!sim->start(&error))
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
    return sim;
}

double picoMb()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss / 1024.0; // kilobytes on Linux
}

// The child: a 5000 x 128 download from a simulator process; prints its
// own peak resident memory.
int figlioMemoria()
{
    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + "/../sim/vklogger-sim",
              {"--records", "5000", "--channels", "128"});
    QString pty;
    if (sim.waitForStarted(10000)) {
        while (pty.isEmpty() && sim.waitForReadyRead(20000)) {
            while (sim.canReadLine()) {
                const QString riga = QString::fromLatin1(sim.readLine()).trimmed();
                if (riga.startsWith("vklogger-sim: pty "))
                    pty = riga.mid(18);
            }
        }
    }
    if (pty.isEmpty()) {
        std::fprintf(stderr, "vklogger-sim did not start\n");
        return 1;
    }
    {
        Scarico s(pty);
        s.scarica();
    }
    std::printf("%.1f\n", picoMb());
    std::fflush(stdout);
    sim.terminate();
    sim.waitForFinished(5000);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (app.arguments().contains("--memoria"))
        return figlioMemoria();

    // Unthrottled: 5000 records x 16 channels.
    double campiAlSecondo = 0;
    {
        auto sim = simulatore(5000, 16, 0);
        Scarico s(sim->slavePath());
        const double secondi = s.scarica();
        const double campi = 2 + 5000.0 * (6 + 16);
        campiAlSecondo = campi / secondi;
        std::printf("unthrottled 5000 x 16: %.0f fields in %.3f s\n", campi, secondi);
    }

    // 9600 baud: the download, then the same dump read raw, on one line.
    double rapporto = 0;
    {
        auto sim = simulatore(50, 16, 9600);
        Scarico s(sim->slavePath());
        const double download = s.scarica();
        qint64 byte = 0;
        const double grezzo = s.ricevi(byte);
        rapporto = download / grezzo;
        std::printf("9600 baud 50 x 16: %lld bytes, download %.3f s, raw %.3f s (nominal %.3f s)\n",
                    byte, download, grezzo, byte * 10 / 9600.0);
    }

    // Peak memory of a 5000 x 128 download, in a process of its own.
    QProcess figlio;
    figlio.start(QCoreApplication::applicationFilePath(), {"--memoria"});
    figlio.waitForFinished(300000);
    const double mb = QString::fromLatin1(figlio.readAllStandardOutput()).trimmed().toDouble();
    std::fprintf(stderr, "%s", figlio.readAllStandardError().constData());
    std::printf("5000 x 128: peak RSS %.1f MB\n", mb);

    std::printf("download: fields_per_s=%.0f wire_ratio_9600=%.4f peak_rss_mb_5000x128=%.1f\n",
                campiAlSecondo, rapporto, mb);
    return 0;
}
