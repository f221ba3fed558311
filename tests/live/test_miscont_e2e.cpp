#include "HybridClock.h"
#include "ScriptedDialogs.h"
#include "SimulatorThread.h"
#include "link/ComPortNames.h"
#include "link/HardwareSerialPort.h"
#include "link/Modulo1.h"
#include "link/SocketTcpClient.h"
#include "live/MisCont.h"
#include "live/TabellaGrafico.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// A continuous measure over a real serial port (a pseudo-terminal) to the
// logger simulator, stopped after a few cycles: the file must hold exactly
// the readings the simulator gives.
class TestMisContE2E : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    std::unique_ptr<SimulatorThread> sim;
    std::unique_ptr<ComPortNames> names;
    std::unique_ptr<HardwareSerialPort> port;
    SocketTcpClient tcp;
    HybridClock clock;
    ScriptedDialogs dialogs;
    std::unique_ptr<Modulo1> link;

private slots:
    void cleanup()
    {
        link.reset();
        port.reset();
        sim.reset();
    }

    void runStoppedAfterThreeCycles()
    {
        LoggerSimulator::Options options;
        options.channels = 3;
        sim = std::make_unique<SimulatorThread>(options);
        QString error;
        QVERIFY2(sim->start(&error), qPrintable(error));
        QFile ini(folder.filePath("comports.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(sim->slavePath().toLatin1() + "\r\n");
        ini.close();
        names = std::make_unique<ComPortNames>(folder.path());
        port = std::make_unique<HardwareSerialPort>(*names);
        link = std::make_unique<Modulo1>(*port, tcp, clock, dialogs);
        QCOMPARE(link->Cerca_Datalogger(1), 1);

        TabellaGrafico tabella;
        MisCont window(*link, dialogs, tabella);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.setCartellaProgramma(folder.path());
        int tick = 0;
        const QDateTime base(QDate(2024, 3, 5), QTime(8, 30, 0));
        window.setOrologioData([&] { return base.addSecs(tick++); });
        const QString path = folder.filePath("continua.txt");
        dialogs.saveNext(path);
        connect(&window.griglia(), &QAbstractItemModel::rowsInserted, &window, [&] {
            if (window.griglia().Rows() == 5) // three cycles done
                window.cmdStop();
        });
        window.cmdStart();
        QVERIFY2(dialogs.boxes().isEmpty(), qPrintable(dialogs.boxes().value(0).text));

        QByteArray expected = "[INIZIO DATI]\r\nDate,CH 0,CH 1,CH 2\r\n";
        for (int cycle = 0; cycle < 3; ++cycle) {
            expected += base.addSecs(cycle + 1).toString("dd/MM/yyyy HH:mm:ss").toLatin1();
            for (int ch = 0; ch < 3; ++ch) {
                const double hz = LoggerModel::syntheticReading(1, cycle, ch).toDouble();
                expected += ',' + QByteArray::number(hz, 'f', 2).rightJustified(7, '0');
            }
            expected += "\r\n";
        }
        expected += "[FINE DATI]\r\n";
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), expected);
        QCOMPARE(window.griglia().Rows(), 5); // the empty row of the cycle never begun
    }
};

QTEST_MAIN(TestMisContE2E)
#include "test_miscont_e2e.moc"
