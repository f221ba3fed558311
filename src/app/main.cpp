#include "common/QtDialogs.h"
#include "link/ComPortNames.h"
#include "link/HardwareSerialPort.h"
#include "link/Modulo1.h"
#include "link/RealClock.h"
#include "link/SocketTcpClient.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vkdesk"));

    ComPortNames names(ComPortNames::programFolder());
    HardwareSerialPort port(names);
    SocketTcpClient tcp;
    RealClock clock;
    QtDialogs dialogs;
    Modulo1 link(port, tcp, clock, dialogs);

    QMainWindow window;
    window.setWindowTitle(Dialogs::programTitle());
    auto* status = new QLabel(&window);
    status->setAlignment(Qt::AlignCenter);
    status->setMargin(24);
    window.setCentralWidget(status);
    window.resize(480, 160);
    dialogs.setParent(&window);
    window.show();

    // Until the connection dialog exists the window probes COM 1 at start.
    status->setText(
        QStringLiteral("Ricerca del datalogger su COM 1 (%1)...").arg(names.deviceFor(1)));
    QTimer::singleShot(100, &window, [&] {
        const bool found = link.Cerca_Datalogger(1) == 1;
        status->setText(
            found ? QStringLiteral("Datalogger trovato su COM 1 (%1)").arg(port.deviceName())
                  : QStringLiteral("Nessun datalogger su COM 1 (%1)").arg(port.deviceName()));
        if (!found)
            link.Chiudi_Porta();
    });
    return app.exec();
}
