#include "HybridClock.h"
#include "PtyPair.h"
#include "ScriptedDialogs.h"
#include "link/ComPortNames.h"
#include "link/HardwareSerialPort.h"
#include "link/Modulo1.h"
#include "link/SocketTcpClient.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The serial-port layer over QSerialPort on a pseudo-terminal: COM mapping,
// modem lines, round trip, hang-up.
class TestSerialPort : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;

    void writeComPorts(const QByteArray& text)
    {
        QFile f(folder.filePath("comports.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

private slots:
    void comPortMapping_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("device");
        QTest::newRow("line n names the device")
            << QByteArray("/dev/ttyUSB0\r\n/dev/pts/7\r\n") << 2 << "/dev/pts/7";
        QTest::newRow("blanks trimmed") << QByteArray("  /dev/ttyUSB1  \n") << 1 << "/dev/ttyUSB1";
        QTest::newRow("blank line") << QByteArray("/dev/ttyUSB0\n\n") << 2 << "/dev/ttyS1";
        QTest::newRow("past the end") << QByteArray("/dev/ttyUSB0\n") << 8 << "/dev/ttyS7";
        QTest::newRow("no file") << QByteArray() << 3 << "/dev/ttyS2";
    }

    void comPortMapping()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, number);
        QFETCH(QString, device);
        QFile::remove(folder.filePath("comports.ini"));
        if (!file.isEmpty())
            writeComPorts(file);
        QCOMPARE(ComPortNames(folder.path()).deviceFor(number), device);
    }

    void opensPtyWithModemLinesQuietlyIgnored()
    {
        PtyPair pty;
        QVERIFY(pty.isValid());
        writeComPorts(pty.slavePath().toLatin1() + "\r\n");
        ComPortNames names(folder.path());
        HardwareSerialPort port(names);
        port.setCommPort(1);
        QCOMPARE(port.deviceName(), pty.slavePath());
        QVERIFY(port.setSettings("9600,N,8,1"));
        port.setDTREnable(true);
        QVERIFY2(port.open(), qPrintable(port.errorString()));
        port.setRTSEnable(true);
        QVERIFY(!port.failed());
        QVERIFY(port.errorString().isEmpty());

        QVERIFY(port.output("h"));
        QVERIFY(port.output(" 0,"));
        QCOMPARE(pty.readCount(4, 2000), QByteArray("h 0,"));

        pty.write("12,34,");
        QTRY_COMPARE_WITH_TIMEOUT(port.bytesPending(), 6, 2000);
        port.setInputLen(4);
        QCOMPARE(port.input(), QByteArray("12,3"));
        QCOMPARE(port.input(), QByteArray("4,"));
        port.close();
        QVERIFY(!port.isOpen());
    }

    void badSettingsRefused_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::newRow("missing field") << "9600,N,8";
        QTest::newRow("parity") << "9600,X,8,1";
        QTest::newRow("baud") << "fast,N,8,1";
        QTest::newRow("data bits") << "9600,N,9,1";
        QTest::newRow("stop bits") << "9600,N,8,3";
    }

    void badSettingsRefused()
    {
        QFETCH(QString, settings);
        ComPortNames names(folder.path());
        HardwareSerialPort port(names);
        QVERIFY(!port.setSettings(settings));
    }

    void missingDeviceGivesSystemError()
    {
        writeComPorts("/dev/does-not-exist-vk\n");
        ComPortNames names(folder.path());
        HardwareSerialPort port(names);
        port.setCommPort(1);
        QVERIFY(!port.open());
        QVERIFY(!port.errorString().isEmpty());
        QVERIFY(!port.output("V"));
    }

    void hangUpClosesPortKeepsDataWithoutFlood()
    {
        PtyPair pty;
        writeComPorts(pty.slavePath().toLatin1() + "\n");
        ComPortNames names(folder.path());
        HardwareSerialPort port(names);
        SocketTcpClient tcp;
        HybridClock clock;
        ScriptedDialogs dialogs;
        Modulo1 link(port, tcp, clock, dialogs);
        link.PortaAperta = true;
        QVERIFY(port.open());

        int notices = 0;
        connect(&port, &LinkTransport::inputChanged, [&notices] { ++notices; });
        QVERIFY(link.Invia_Comando("A", ""));
        pty.write("2,16,");
        QCOMPARE(link.Leggi_Risposta(), QString("2"));
        pty.write("11,");
        QTRY_COMPARE_WITH_TIMEOUT(port.bytesPending(), 3, 2000);
        pty.hangUp();

        QElapsedTimer wall;
        wall.start();
        QCOMPARE(link.Leggi_Risposta(), QString("16"));
        QCOMPARE(link.Leggi_Risposta(), QString("11"));
        QCOMPARE(link.Leggi_Risposta(), QString());
        QVERIFY(link.ErroreLink());
        QVERIFY(!link.DescrizioneErrore().isEmpty());
        QVERIFY(wall.elapsed() < 5000);
        QVERIFY(!port.isOpen());
        QVERIFY(port.failed());

        // Turn the event loop: a flooding port would signal on every turn.
        const int before = notices;
        for (int i = 0; i < 200; ++i)
            QCoreApplication::processEvents();
        QVERIFY2(notices - before <= 2, qPrintable(QString::number(notices - before)));
    }
};

QTEST_MAIN(TestSerialPort)
#include "test_serialport.moc"
