#include "HybridClock.h"
#include "ScriptedDialogs.h"
#include "SimulatorThread.h"
#include "link/ComPortNames.h"
#include "link/HardwareSerialPort.h"
#include "link/Modulo1.h"
#include "link/SocketTcpClient.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The link over a real serial port (a pseudo-terminal) to the logger
// simulator: probe, a command with parameters, its reply fields, a hang-up.
class TestLinkE2E : public QObject
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

    void startSimulator(const LoggerSimulator::Options& options)
    {
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
    }

private slots:
    void cleanup()
    {
        link.reset();
        port.reset();
        sim.reset();
    }

    void probeFindsLoggerAndCommandsRoundTrip()
    {
        LoggerSimulator::Options options;
        options.channels = 20;
        startSimulator(options);

        QCOMPARE(link->Cerca_Datalogger(1), 1);
        QVERIFY(link->PortaAperta);
        QVERIFY(port->isOpen());
        QVERIFY(dialogs.boxes().isEmpty());

        // A write with paced parameters reaches the logger's state...
        QVERIFY(link->Invia_Comando("q", "CANTIERE7,"));
        QVERIFY(link->Invia_Comando("h", " 1, 8,"));
        // ...and reads come back field by field.
        QVERIFY(link->Invia_Comando("Q", ""));
        QCOMPARE(link->Leggi_Risposta(), QString("CANTIERE7"));
        QVERIFY(link->Invia_Comando("H", " 1,"));
        QCOMPARE(link->Leggi_Risposta(), QString("8"));
        QVERIFY(link->Invia_Comando("H", " 0,"));
        QCOMPARE(link->Leggi_Risposta(), QString("16"));
        QVERIFY(!link->Interrotto());

        QByteArray identifier;
        sim->withModel([&identifier](LoggerModel& m) { identifier = m.identifier; });
        QCOMPARE(identifier, QByteArray("CANTIERE7"));
    }

    void hangUpMidStreamIsReportedAtOnce()
    {
        LoggerSimulator::Options options;
        options.records = 20;
        options.channels = 16;
        startSimulator(options);
        QCOMPARE(link->Cerca_Datalogger(1), 1);

        // The logger hangs up after a few fields of the dump.
        LoggerProtocol::Faults faults;
        faults.hangupAfter = 10;
        sim->setFaults(faults);
        int notices = 0;
        connect(port.get(), &LinkTransport::inputChanged, [&notices] { ++notices; });

        QVERIFY(link->Invia_Comando("A", ""));
        QElapsedTimer wall;
        wall.start();
        QStringList fields;
        for (int i = 0; i < 40 && !link->Interrotto(); ++i)
            fields << link->Leggi_Risposta();
        QVERIFY(link->ErroreLink());
        QVERIFY(!link->TimeoutAvvenuto());
        QCOMPARE(fields.size(), 11); // ten fields, then the empty result of the error
        QCOMPARE(fields.constLast(), QString());
        QVERIFY2(wall.elapsed() < 10000, "the hang-up was not seen until a time-out");
        QVERIFY(!port->isOpen());

        // No flood of error notices once the line is down.
        const int before = notices;
        for (int i = 0; i < 200; ++i)
            QCoreApplication::processEvents();
        QVERIFY2(notices - before <= 2, qPrintable(QString::number(notices - before)));
    }
};

QTEST_MAIN(TestLinkE2E)
#include "test_link_e2e.moc"
