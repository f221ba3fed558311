// The program's own cost of one cycle of the continuous measure (grid row,
// file append, chart redraw with all 16 channels ticked) early in a run and
// after 30,000 cycles, against a logger that answers at once.

#include "FakeSerialPort.h"
#include "FakeTcpClient.h"
#include "ScriptedDialogs.h"
#include "VirtualClock.h"
#include "link/Modulo1.h"
#include "live/Grafici.h"
#include "live/MisCont.h"
#include "live/TabellaGrafico.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

constexpr int Canali = 16;
const int Cicli = qEnvironmentVariableIntValue("BENCH_CICLI") > 0
                      ? qEnvironmentVariableIntValue("BENCH_CICLI")
                      : 30000;
constexpr int Finestra = 200; // cycles averaged around each mark

QByteArray risposta(int ciclo)
{
    QByteArray r;
    for (int c = 0; c < Canali; ++c)
        r += QByteArray::number(c) + ',' +
             QByteArray::number(1000 + 100 * c + 50 * std::sin(ciclo / 300.0 + c), 'f', 2) + ',';
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;

    VirtualClock clock;
    FakeSerialPort port(clock);
    FakeTcpClient tcp(clock);
    ScriptedDialogs dialogs;
    Modulo1 link(port, tcp, clock, dialogs);
    link.PortaAperta = true;
    port.open();
    port.replyTo("H 0,", QByteArray::number(Canali) + ",");
    for (int i = 0; i < Cicli + 10; ++i)
        port.replyTo("p0,", risposta(i));
    dialogs.saveNext(dir.filePath("bench.txt"));

    TabellaGrafico tabella;
    MisCont window(link, dialogs, tabella);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();

    QElapsedTimer orologio;
    QList<double> tempi; // ms at the end of each cycle
    bool graficoAperto = false;
    QObject::connect(&window.griglia(), &QAbstractItemModel::rowsInserted, &window, [&] {
        if (!graficoAperto) {
            graficoAperto = true;
            window.cmdGraf();
            for (int n = 0; n < Canali; ++n)
                window.grafici()->chkCH(n)->setChecked(true);
            window.grafici()->cmdDisegna();
            orologio.start();
        }
        tempi.append(orologio.nsecsElapsed() / 1e6);
        if (tempi.size() >= Cicli)
            window.cmdStop();
    });
    window.cmdStart();

    const auto media = [&](int fine) {
        return (tempi.at(fine - 1) - tempi.at(fine - 1 - Finestra)) / Finestra;
    };
    const double a = media(1000);
    const double b = media(int(tempi.size()));
    std::printf("cycles=%lld total_s=%.1f\n", qlonglong(tempi.size()), tempi.last() / 1000);
    std::printf("live: cycle_ms_1k=%.3f cycle_ms_30k=%.3f cycle_ratio=%.2f\n", a, b, b / a);
    return 0;
}
