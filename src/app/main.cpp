#include "common/QtDialogs.h"
#include "link/ComPortNames.h"
#include "link/HardwareSerialPort.h"
#include "link/Modulo1.h"
#include "link/RealClock.h"
#include "link/SocketTcpClient.h"
#include "startup/Form1.h"
#include "startup/Form2.h"
#include "startup/Ini.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vkdesk"));
    // The program ends when the main window or the connection dialog closes.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString cartella = ComPortNames::programFolder();
    const ComPortNames names(cartella);
    HardwareSerialPort port(names);
    SocketTcpClient tcp;
    RealClock clock;
    QtDialogs dialogs;
    Modulo1 link(port, tcp, clock, dialogs);

    Form1 form1(link, dialogs);
    Form2 form2(link, dialogs, form1, cartella);
    Ini ini(form2, clock);
    QObject::connect(&form1, &Form1::fineProgramma, &app, &QApplication::quit);
    QObject::connect(&form2, &Form2::fineProgramma, &app, &QApplication::quit);

    ini.avvia();
    return app.exec();
}
