#include "FakeSerialPort.h"
#include "FakeTcpClient.h"
#include "ScriptedDialogs.h"
#include "VirtualClock.h"
#include "link/Modulo1.h"

#include <QPushButton>
#include <QtTest>

#include <memory>

// The link's primitives on the virtual clock and the fake port: exact bytes,
// pacing, time-outs and state.
class TestModulo1 : public QObject
{
    Q_OBJECT

    std::unique_ptr<VirtualClock> clock;
    std::unique_ptr<FakeSerialPort> port;
    std::unique_ptr<FakeTcpClient> tcp;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<Modulo1> link;

    // A link whose port was opened by a probe, as after "Connessione".
    void openLink()
    {
        link->PortaAperta = true;
        QVERIFY(port->open());
    }

private slots:
    void init()
    {
        clock = std::make_unique<VirtualClock>();
        port = std::make_unique<FakeSerialPort>(*clock);
        tcp = std::make_unique<FakeTcpClient>(*clock);
        dialogs = std::make_unique<ScriptedDialogs>();
        link = std::make_unique<Modulo1>(*port, *tcp, *clock, *dialogs);
    }

    void sendWritesCommandThenPacedParameters_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<QList<QByteArray>>("writes");
        using L = QList<QByteArray>;
        QTest::newRow("six parameter characters")
            << "h"
            << " 0,16," << L{"h", " ", "0", ",", "1", "6", ","};
        QTest::newRow("no parameter text") << "Q"
                                           << "" << L{"Q"};
        QTest::newRow("J alone: on-site test") << "J"
                                               << "" << L{"J"};
        QTest::newRow("J with a channel: alarm read") << "J"
                                                      << " 32," << L{"J", " ", "3", "2", ","};
        QTest::newRow("b alone") << "b"
                                 << "" << L{"b"};
        QTest::newRow("b with a comma") << "b"
                                        << "," << L{"b", ","};
        QTest::newRow("U alone") << "U"
                                 << "" << L{"U"};
        QTest::newRow("U with a comma") << "U"
                                        << "," << L{"U", ","};
        QTest::newRow("SMS line as command text") << "Allarme cantiere"
                                                  << "," << L{"Allarme cantiere", ","};
        QTest::newRow("Latin-1 byte survives")
            << "q" << QString::fromLatin1("perr\xf2,") << L{"q", "p", "e", "r", "r", "\xf2", ","};
    }

    void sendWritesCommandThenPacedParameters()
    {
        QFETCH(QString, command);
        QFETCH(QString, parameters);
        QFETCH(QList<QByteArray>, writes);
        openLink();

        QVERIFY(link->Invia_Comando(command, parameters));

        const QList<FakeSerialPort::Write>& w = port->writes();
        QCOMPARE(w.size(), writes.size());
        for (int i = 0; i < w.size(); ++i)
            QCOMPARE(w[i].bytes, writes[i]);
        // The command text goes at once; each parameter character is followed
        // by a pause of just over 10 ms, so characters are more than 10 ms apart.
        if (w.size() > 1)
            QCOMPARE(w[1].time, w[0].time);
        for (int i = 2; i < w.size(); ++i)
            QVERIFY2(w[i].time - w[i - 1].time > 0.010, qPrintable(QString::number(i)));
        QCOMPARE(clock->pauses(), QList<double>(parameters.size(), 0.01));
    }

    void sendFlushesStaleInputAndBuffer()
    {
        openLink();
        port->feed("99,88,");
        QCOMPARE(link->Leggi_Risposta(), QString("99"));
        port->feed("stale");
        QVERIFY(link->Invia_Comando("Q", ""));
        QCOMPARE(link->BufferRicezione(), QString());
        QCOMPARE(port->bytesPending(), 0);
        port->feed("TL001,");
        QCOMPARE(link->Leggi_Risposta(), QString("TL001"));
    }

    void readReturnsFieldsInOrder_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("left");
        QTest::newRow("two fields") << QByteArray("12,34,") << QStringList{"12", "34"} << "";
        QTest::newRow("leading comma") << QByteArray(",7,") << QStringList{"", "7"} << "";
        QTest::newRow("text after the last comma stays")
            << QByteArray("1,2") << QStringList{"1"} << "2";
        QTest::newRow("blanks kept") << QByteArray(" 5, a b ,") << QStringList{" 5", " a b "} << "";
    }

    void readReturnsFieldsInOrder()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, fields);
        QFETCH(QString, left);
        openLink();
        QVERIFY(link->Invia_Comando("M", ","));
        port->feedIn(0.2, reply);
        for (const QString& f : fields) {
            QCOMPARE(link->Leggi_Risposta(), f);
            QCOMPARE(link->UltimaRisposta, f);
            QVERIFY(link->RispostaCompleta);
        }
        QCOMPARE(link->BufferRicezione(), left);
        QVERIFY(!link->Interrotto());
    }

    void fieldsArrivingPiecemealAreJoined()
    {
        openLink();
        QVERIFY(link->Invia_Comando("W", ""));
        port->feedIn(0.1, "4.");
        port->feedIn(0.2, "98");
        port->feedIn(0.3, ",3.");
        port->feedIn(0.4, "30,");
        QCOMPARE(link->Leggi_Risposta(), QString("4.98"));
        QCOMPARE(link->Leggi_Risposta(), QString("3.30"));
        // Woken by each arrival, not spinning.
        QVERIFY(clock->waits() <= 6);
    }

    void silenceGivesPercentAfterSixtySecondsAndKeepsPartialText()
    {
        openLink();
        QVERIFY(link->Invia_Comando("Q", ""));
        const double start = clock->now();
        port->feedIn(1.0, "TL0");
        QCOMPARE(link->Leggi_Risposta(), QString("%%"));
        QVERIFY(clock->now() - start >= 59.5);
        QVERIFY(clock->now() - start < 61.0);
        QVERIFY(link->TimeoutAvvenuto());
        QVERIFY(link->Interrotto());
        QVERIFY(!link->ErroreLink());
        QCOMPARE(link->BufferRicezione(), QString("TL0"));

        // The next command empties it: its reply is read clean.
        QVERIFY(link->Invia_Comando("D", ","));
        QCOMPARE(link->BufferRicezione(), QString());
        QVERIFY(!link->Interrotto());
        port->feed("1,");
        QCOMPARE(link->Leggi_Risposta(), QString("1"));
    }

    void timeoutWinsOverCommaInSamePass()
    {
        openLink();
        QVERIFY(link->Invia_Comando("Q", ""));
        const double start = std::round(clock->now());
        clock->scheduleAt(start + 60.0, [this] { port->feed("late,"); });
        QCOMPARE(link->Leggi_Risposta(), QString("%%"));
        QCOMPARE(link->BufferRicezione(), QString("late,"));
    }

    void portErrorEndsReadAtOnceAndIsRecorded()
    {
        openLink();
        QVERIFY(link->Invia_Comando("A", ""));
        port->feedIn(0.5, "3,16,1,");
        clock->scheduleIn(1.0, [this] { port->injectError("Input/output error"); });
        QCOMPARE(link->Leggi_Risposta(), QString("3"));
        QCOMPARE(link->Leggi_Risposta(), QString("16"));
        QCOMPARE(link->Leggi_Risposta(), QString("1"));
        const double before = clock->now();
        QCOMPARE(link->Leggi_Risposta(), QString());
        QVERIFY(clock->now() - before < 2.0);
        QVERIFY(link->ErroreLink());
        QVERIFY(link->Interrotto());
        QCOMPARE(link->DescrizioneErrore(), QString("Input/output error"));

        // Later reads do not become instant empty "data" silently: each one
        // ends at once and the error stays recorded.
        const double again = clock->now();
        QCOMPARE(link->Leggi_Risposta(), QString());
        QVERIFY(clock->now() - again < 0.01);
        QVERIFY(link->ErroreLink());
        // A send on the dead port fails silently and says why.
        QVERIFY(!link->Invia_Comando("Q", ""));
        QVERIFY(link->ErroreLink());
        QVERIFY(dialogs->boxes().isEmpty());
    }

    void markerOnSerialFoundAnywhereDropsWhatFollows()
    {
        openLink();
        QVERIFY(link->Invia_Comando("[", ""));
        port->feedIn(0.1, "***inizio***,12;3");
        port->feedIn(0.2, "4***fi");
        port->feedIn(0.3, "ne***,trailing");
        QCOMPARE(link->Leggi_Fino_A("***inizio***,"), QString());
        QCOMPARE(link->BufferRicezione(), QString());
        QCOMPARE(link->Leggi_Fino_A("***fine***,"), QString("4"));
        QCOMPARE(link->BufferRicezione(), QString());
    }

    void markerOnSerialSplitAcrossArrivals()
    {
        openLink();
        QVERIFY(link->Invia_Comando("[", ""));
        port->feedIn(0.1, "data***fi");
        port->feedIn(0.2, "ne***,rest");
        QCOMPARE(link->Leggi_Fino_A("***fine***,"), QString("data"));
        QCOMPARE(link->UltimaRisposta, QString(""));
    }

    void markerOnTcpMustEndTheText()
    {
        link->ModoTCP = true;
        tcp->Connect("127.0.0.1", 1024);
        QVERIFY(link->Invia_Comando("[", ""));
        tcp->feedIn(0.1, "abc***fine***,more");
        tcp->feedIn(0.2, "def***fine***,");
        QCOMPARE(link->Leggi_Fino_A("***fine***,"), QString("abc***fine***,moredef"));
        QCOMPARE(link->BufferRicezione(), QString("abc***fine***,moredef"));
    }

    void markerTimeout_data()
    {
        QTest::addColumn<bool>("tcpMode");
        QTest::newRow("serial") << false;
        QTest::newRow("tcp") << true;
    }

    void markerTimeout()
    {
        QFETCH(bool, tcpMode);
        if (tcpMode) {
            link->ModoTCP = true;
            tcp->Connect("127.0.0.1", 1024);
            tcp->feed("no marker here");
        } else {
            openLink();
            port->feed("no marker here");
        }
        QCOMPARE(link->Leggi_Fino_A("S2"), QString("%%"));
        QCOMPARE(link->UltimaRisposta, QString("%%"));
        QVERIFY(link->TimeoutAvvenuto());
    }

    void tcpModeSendsInOnePieceWithoutPausesOrFlush()
    {
        link->ModoTCP = true;
        tcp->Connect("127.0.0.1", 1024);
        tcp->feed("early,");
        const double start = clock->now();
        link->Attendi(100);
        QCOMPARE(clock->now(), start);
        QVERIFY(link->Invia_Comando("h", " 0,16,"));
        QCOMPARE(tcp->sends().size(), 1);
        QCOMPARE(tcp->sends()[0].bytes, QByteArray("h 0,16,"));
        QVERIFY(clock->pauses().isEmpty());
        QVERIFY(port->writes().isEmpty());
        // What had arrived is not flushed: it reads as the start of the reply.
        QCOMPARE(link->Leggi_Risposta(), QString("early"));
    }

    void tcpSendFailureIsReported()
    {
        link->ModoTCP = true;
        QVERIFY(!link->Invia_Comando("Q", ""));
        QVERIFY(link->ErroreLink());
    }

    void pauseLastsMoreThanAskedOnSerial()
    {
        const double start = clock->now();
        link->Attendi(100);
        QVERIFY(clock->now() - start > 1.0);
        link->Attendi(0);
        QCOMPARE(clock->pauses(), (QList<double>{1.0, 0.0}));
    }

    void silentProbeReturnsZeroAfterAboutTwentyEightSeconds()
    {
        const double start = clock->now();
        QCOMPARE(link->Cerca_Datalogger(3), 0);
        const double took = clock->now() - start;
        QVERIFY2(took > 28.0 && took < 28.1, qPrintable(QString::number(took)));
        QVERIFY(link->PortaAperta);
        QVERIFY(port->isOpen());
        QCOMPARE(port->commPort(), 3);
        QCOMPARE(link->NumeroPorta, 3);
        QCOMPARE(port->settings(), QString("9600,N,8,1"));
        QCOMPARE(port->inputLen(), 0);
        QVERIFY(port->dtrEnable());
        QCOMPARE(port->written(), QByteArray("V"));
        // "V" goes after the settle time.
        QVERIFY(port->writes()[0].time - start > 8.0);
        QVERIFY(dialogs->boxes().isEmpty());
    }

    void probeResult_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<double>("answerAfter");
        QTest::addColumn<int>("found");
        QTest::addColumn<double>("minDuration"); // from "V" to the return
        QTest::addColumn<double>("maxDuration");
        QTest::newRow("two characters soon: one second tail")
            << QByteArray("OK") << 0.2 << 1 << 1.0 << 1.01;
        QTest::newRow("two characters late") << QByteArray("V2") << 5.0 << 1 << 5.0 << 5.01;
        QTest::newRow("one character: the full window")
            << QByteArray("x") << 0.3 << 1 << 20.0 << 20.01;
    }

    void probeResult()
    {
        QFETCH(QByteArray, answer);
        QFETCH(double, answerAfter);
        QFETCH(int, found);
        QFETCH(double, minDuration);
        QFETCH(double, maxDuration);
        port->replyTo("V", answer, answerAfter);
        port->feedIn(2.0, "noise before the settle ends");
        QCOMPARE(link->Cerca_Datalogger(1), found);
        const double sent = port->writes()[0].time;
        const double took = clock->now() - sent;
        QVERIFY2(took >= minDuration && took <= maxDuration, qPrintable(QString::number(took)));
        QCOMPARE(port->bytesPending(), 0);
        QVERIFY(port->isOpen());
    }

    void probeWithoutGsmUsesFastSetting()
    {
        link->VersioneGSM = false;
        port->replyTo("V", "OK", 0.1);
        QCOMPARE(link->Cerca_Datalogger(2), 1);
        QCOMPARE(port->settings(), QString("115200,N,8,1"));
    }

    void probeOnMissingPortShowsSystemError()
    {
        port->failNextOpen("No such file or directory");
        QCOMPARE(link->Cerca_Datalogger(7), 0);
        QCOMPARE(dialogs->boxes().size(), 1);
        const ScriptedDialogs::Box box = dialogs->boxes()[0];
        QCOMPARE(box.text, QString("No such file or directory"));
        QCOMPARE(box.title, Dialogs::programTitle());
        QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
        QVERIFY(!link->PortaAperta);
    }

    void withoutProbeEachPrimitiveOpensAndClosesThePort()
    {
        QVERIFY(!link->PortaAperta);
        QVERIFY(link->Invia_Comando("D", ","));
        QVERIFY(!port->isOpen());
        QCOMPARE(port->openCount(), 1);
        link->Svuota_Buffer();
        QVERIFY(!port->isOpen());
        QCOMPARE(port->openCount(), 2);
        port->feedIn(0.5, "0,");
        QCOMPARE(link->Leggi_Risposta(), QString("0"));
        QVERIFY(!port->isOpen());
        QCOMPARE(port->openCount(), 3);
    }

    void sendAndWaitForCount_data()
    {
        QTest::addColumn<bool>("viaPort");
        QTest::newRow("Invia_Attendi") << false;
        QTest::newRow("Invia_Attendi_Porta") << true;
    }

    void sendAndWaitForCount()
    {
        QFETCH(bool, viaPort);
        openLink();
        port->feed("old");
        port->replyTo("G", "11,12,2026,10,30,", 0.4);
        const QString got =
            viaPort ? link->Invia_Attendi_Porta("G", 17) : link->Invia_Attendi("G", 17);
        if (viaPort)
            QCOMPARE(got, QString("11,12,2026,10,30,"));
        else
            QCOMPARE(got, QString("old11,12,2026,10,30,"));
        QCOMPARE(link->UltimaRisposta, got);
        QVERIFY(!link->Interrotto());
    }

    void sendAndWaitIsBoundedAndReturnsWhatArrived()
    {
        openLink();
        port->replyTo("ATI3\r", "\r\nMOD", 0.5);
        const double start = clock->now();
        QCOMPARE(link->Invia_Attendi("ATI3\r", 30), QString("\r\nMOD"));
        QVERIFY(clock->now() - start >= 60.0);
        QVERIFY(clock->now() - start < 61.0);
        QVERIFY(link->TimeoutAvvenuto());
    }

    void sendAndWaitOnDeadPortEndsEmpty()
    {
        openLink();
        port->injectError("Input/output error");
        QCOMPARE(link->Invia_Attendi_Porta("Q", 5), QString());
        QVERIFY(link->ErroreLink());
    }

    void flushDiscardsEverything()
    {
        openLink();
        port->feed("1,2,3");
        QCOMPARE(link->Leggi_Risposta(), QString("1"));
        port->feed("junk");
        link->Svuota_Buffer();
        QCOMPARE(link->BufferRicezione(), QString());
        QCOMPARE(port->bytesPending(), 0);
    }

    void connectTcpUsesPort1024AndReportsFailure()
    {
        link->Connetti_TCP("10.1.2.3");
        QCOMPARE(tcp->remoteHost(), QString("10.1.2.3"));
        QCOMPARE(tcp->remotePort(), 1024);
        QCOMPARE(tcp->localPort(), 1024);
        QCOMPARE(tcp->connectedHost(), QString("10.1.2.3"));
        QCOMPARE(tcp->connectedPort(), 1024);
        QVERIFY(dialogs->boxes().isEmpty());
        link->Disconnetti_TCP();
        QVERIFY(!tcp->connected());

        tcp->failNextConnect("Host not found");
        link->Connetti_TCP("nowhere");
        QCOMPARE(dialogs->boxes().size(), 1);
        QCOMPARE(dialogs->boxes()[0].text, QString("Host not found"));
    }

    void lockDisablesAndEnablesRegisteredControls()
    {
        QPushButton a("Leggi Identificativo"), b("Stato Memoria"), other("Leggi la Data Start");
        link->registraComandi({&a, &b});
        link->Disabilita_Comandi();
        QVERIFY(!a.isEnabled());
        QVERIFY(!b.isEnabled());
        QVERIFY(other.isEnabled());
        link->Abilita_Comandi();
        QVERIFY(a.isEnabled());
        QVERIFY(b.isEnabled());
    }

    void longRepliesReadFieldByField()
    {
        // Enough fields to make the buffer drop its consumed front on the way.
        openLink();
        QByteArray reply;
        for (int i = 0; i < 60000; ++i)
            reply += QByteArray::number(i) + ',';
        port->feed(reply);
        for (int i = 0; i < 60000; ++i)
            if (link->Leggi_Risposta() != QString::number(i))
                QFAIL(qPrintable(QString("field %1").arg(i)));
        QCOMPARE(link->BufferRicezione(), QString());
    }
};

QTEST_MAIN(TestModulo1)
#include "test_modulo1.moc"
