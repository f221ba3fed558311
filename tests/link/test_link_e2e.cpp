#include "SimulatorLink.h"

#include <QtTest>

// The link over a real serial port (a pseudo-terminal) to the logger
// simulator: probe, a command with parameters, its reply fields, a hang-up.
class TestLinkE2E : public QObject
{
    Q_OBJECT

private slots:
    void probeFindsLoggerAndCommandsRoundTrip()
    {
        LoggerSimulator::Options options;
        options.channels = 20;
        SimulatorLink e2e(options);
        QString error;
        QVERIFY2(e2e.connect(&error), qPrintable(error));
        Modulo1& link = e2e.link();
        QVERIFY(link.PortaAperta);
        QVERIFY(e2e.port().isOpen());
        QVERIFY(e2e.dialogs().boxes().isEmpty());

        // A write with paced parameters reaches the logger's state...
        QVERIFY(link.Invia_Comando("q", "CANTIERE7,"));
        QVERIFY(link.Invia_Comando("h", " 1, 8,"));
        // ...and reads come back field by field.
        QVERIFY(link.Invia_Comando("Q", ""));
        QCOMPARE(link.Leggi_Risposta(), QString("CANTIERE7"));
        QVERIFY(link.Invia_Comando("H", " 1,"));
        QCOMPARE(link.Leggi_Risposta(), QString("8"));
        QVERIFY(link.Invia_Comando("H", " 0,"));
        QCOMPARE(link.Leggi_Risposta(), QString("16"));
        QVERIFY(!link.Interrotto());

        QByteArray identifier;
        e2e.sim().withModel([&identifier](LoggerModel& m) { identifier = m.identifier; });
        QCOMPARE(identifier, QByteArray("CANTIERE7"));
    }

    void hangUpMidStreamIsReportedAtOnce()
    {
        LoggerSimulator::Options options;
        options.records = 20;
        options.channels = 16;
        SimulatorLink e2e(options);
        QString error;
        QVERIFY2(e2e.connect(&error), qPrintable(error));
        Modulo1& link = e2e.link();

        // The logger hangs up after a few fields of the dump.
        LoggerProtocol::Faults faults;
        faults.hangupAfter = 10;
        e2e.sim().setFaults(faults);
        int notices = 0;
        connect(&e2e.port(), &LinkTransport::inputChanged, [&notices] { ++notices; });

        QVERIFY(link.Invia_Comando("A", ""));
        QElapsedTimer wall;
        wall.start();
        QStringList fields;
        for (int i = 0; i < 40 && !link.Interrotto(); ++i)
            fields << link.Leggi_Risposta();
        QVERIFY(link.ErroreLink());
        QVERIFY(!link.TimeoutAvvenuto());
        QCOMPARE(fields.size(), 11); // ten fields, then the empty result of the error
        QCOMPARE(fields.constLast(), QString());
        QVERIFY2(wall.elapsed() < 10000, "the hang-up was not seen until a time-out");
        QVERIFY(!e2e.port().isOpen());

        // No flood of error notices once the line is down.
        const int before = notices;
        for (int i = 0; i < 200; ++i)
            QCoreApplication::processEvents();
        QVERIFY2(notices - before <= 2, qPrintable(QString::number(notices - before)));
    }
};

QTEST_MAIN(TestLinkE2E)
#include "test_link_e2e.moc"
