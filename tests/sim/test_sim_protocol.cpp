#include "LoggerModel.h"
#include "LoggerProtocol.h"
#include "SimulatorThread.h"

#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Drives a protocol the way the program writes: the command text at once,
// then each parameter character 11 ms after the previous one.
struct Wire
{
    LoggerModel model;
    LoggerProtocol protocol{model};
    qint64 now = 1000;

    QByteArray send(const QByteArray& command, const QByteArray& params = {})
    {
        QByteArray out = protocol.feed(command, now);
        for (char c : params) {
            now += 11;
            out += protocol.feed(QByteArray(1, c), now);
        }
        return out;
    }
    // Lets the line go quiet long enough for any lone letter to be answered.
    QByteArray settle()
    {
        now += 1000;
        return protocol.poll(now);
    }
    QByteArray exchange(const QByteArray& command, const QByteArray& params = {})
    {
        QByteArray out = send(command, params);
        return out + settle();
    }
};

using Setup = std::function<void(LoggerModel&)>;

// Setups shared by the tables, by name.
Setup setupNamed(const QString& name)
{
    if (name == "two-records")
        return [](LoggerModel& m) {
            m.muxChannels = {2, 0, 0, 0};
            m.fillMemory(2, 2);
        };
    if (name == "two-records-events")
        return [](LoggerModel& m) {
            m.muxChannels = {2, 0, 0, 0};
            m.eventCounterEnabled = true;
            m.fillMemory(2, 2);
        };
    if (name == "two-channels")
        return [](LoggerModel& m) { m.muxChannels = {2, 0, 0, 0}; };
    if (name == "analog")
        return [](LoggerModel& m) {
            m.modelCode = 0;
            m.muxChannels = {2, 0, 0, 0};
        };
    if (name == "mux0-empty")
        return [](LoggerModel& m) { m.muxChannels = {0, 3, 0, 0}; };
    return [](LoggerModel&) {};
}

// One step of a timed byte stream: bytes arriving at a time (ms).
struct Step
{
    qint64 at;
    QByteArray bytes;
};
using Steps = QList<Step>;

} // namespace

Q_DECLARE_METATYPE(Steps)

class TestSimProtocol : public QObject
{
    Q_OBJECT

private slots:
    void replies_data();
    void replies();
    void writes_data();
    void writes();
    void timing_data();
    void timing();
    void faults_data();
    void faults();
    void blockIsDeliveredOnlyOnceConfirmed();
    void staleRequestIsDropped();
    void fillMemoryIsDeterministic();
    void requestsAreLogged();
    void ptyExchange();
    void ptyHangupFault();
    void ptyPacing_data();
    void ptyPacing();

private:
    static QByteArray readUntil(int fd, const QByteArray& end, int timeoutMs = 5000);
};

void TestSimProtocol::replies_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("params");
    QTest::addColumn<QByteArray>("reply");

    // clang-format off
    QTest::newRow("V probe") << "" << QByteArray("V") << QByteArray() << QByteArray("VKLOGGER V2.1,");
    QTest::newRow("D model") << "" << QByteArray("D") << QByteArray(",") << QByteArray("1,");
    QTest::newRow("D analog") << "analog" << QByteArray("D") << QByteArray(",") << QByteArray("0,");
    QTest::newRow("Q identifier") << "" << QByteArray("Q") << QByteArray() << QByteArray("VKLOG01,");
    QTest::newRow("G clock") << "" << QByteArray("G") << QByteArray(",") << QByteArray("15,01,2025,10,30,");
    QTest::newRow("Y start date") << "" << QByteArray("Y") << QByteArray(",") << QByteArray("01,01,2025,00,00,00,");
    QTest::newRow("C interval") << "" << QByteArray("C") << QByteArray(",") << QByteArray("001,000,000,");
    QTest::newRow("E pre-heating") << "" << QByteArray("E") << QByteArray(",") << QByteArray("01500,");
    QTest::newRow("H blank 0") << "" << QByteArray("H") << QByteArray(" 0,") << QByteArray("8,");
    QTest::newRow("H 0 without blank") << "" << QByteArray("H") << QByteArray("0,") << QByteArray("8,");
    QTest::newRow("H 1") << "" << QByteArray("H") << QByteArray(" 1,") << QByteArray("0,");
    QTest::newRow("H out of range") << "" << QByteArray("H") << QByteArray(" 7,") << QByteArray("0,");
    QTest::newRow("M empty memory") << "" << QByteArray("M") << QByteArray(",") << QByteArray("5000,5000,");
    QTest::newRow("M two records") << "two-records" << QByteArray("M") << QByteArray(",") << QByteArray("5000,4998,");
    QTest::newRow("W voltages") << "" << QByteArray("W") << QByteArray() << QByteArray("5.02,3.30,12.71,");
    QTest::newRow("O acquisition") << "" << QByteArray("O") << QByteArray() << QByteArray("1,");
    QTest::newRow("U alone") << "" << QByteArray("U") << QByteArray() << QByteArray("0,");
    QTest::newRow("U comma") << "" << QByteArray("U") << QByteArray(",") << QByteArray("0,");
    QTest::newRow("< pulse") << "" << QByteArray("<") << QByteArray() << QByteArray("0.2,");
    QTest::newRow("I sms") << "" << QByteArray("I") << QByteArray() << QByteArray(",,,,,,,,,,1,0,");
    QTest::newRow("F phone") << "" << QByteArray("F") << QByteArray() << QByteArray(",0,");
    QTest::newRow("K gprs") << "" << QByteArray("K") << QByteArray()
                            << QByteArray("internet,,,ftp.example.org,21,logger,secret,/upload,60,0,");
    QTest::newRow("X personal sms") << "" << QByteArray("X") << QByteArray() << QByteArray("ALLARME,,,,,");
    QTest::newRow("R sensor 3") << "" << QByteArray("R") << QByteArray(" 3,") << QByteArray("CH03,0.000,2.500,0.0,100.0,");
    QTest::newRow("J alarm 3") << "" << QByteArray("J") << QByteArray(" 3,") << QByteArray("0,100.0,0.0,");
    QTest::newRow("J alone") << "" << QByteArray("J") << QByteArray() << QByteArray();
    QTest::newRow("L") << "two-records-events" << QByteArray("L") << QByteArray(",") << QByteArray("3,");
    QTest::newRow("p vibrating wire") << "two-channels" << QByteArray("p") << QByteArray(" 0,") << QByteArray("0,0800.00,1,0951.10,");
    QTest::newRow("p analog") << "analog" << QByteArray("p") << QByteArray(" 0,") << QByteArray("0,0.500,1,0.757,");
    QTest::newRow("p without blank") << "two-channels" << QByteArray("p") << QByteArray("0,") << QByteArray("0,0800.00,1,0951.10,");
    QTest::newRow("p unused mux") << "two-channels" << QByteArray("p") << QByteArray(" 2,") << QByteArray();
    QTest::newRow("t temperatures") << "two-channels" << QByteArray("t") << QByteArray(" 0,") << QByteArray("0,18.0,1,18.6,");
    QTest::newRow("d exit") << "" << QByteArray("d") << QByteArray("0,0,0,0,0,") << QByteArray();
    QTest::newRow("^ stand-alone") << "" << QByteArray("^") << QByteArray() << QByteArray();
    QTest::newRow("] without [") << "" << QByteArray("]") << QByteArray() << QByteArray("OK,");

    // The fixed-length forms: the letter alone.
    QTest::newRow("G fixed 19") << "" << QByteArray("G") << QByteArray() << QByteArray("015,001,025,010,030");
    QTest::newRow("C fixed 12") << "" << QByteArray("C") << QByteArray() << QByteArray("001,000,000,");
    QTest::newRow("E fixed 5") << "" << QByteArray("E") << QByteArray() << QByteArray("01500");
    QTest::newRow("H fixed 3") << "" << QByteArray("H") << QByteArray() << QByteArray("008");
    QTest::newRow("M fixed 12") << "two-records" << QByteArray("M") << QByteArray() << QByteArray("05000,04998,");
    QTest::newRow("N fixed 20") << "" << QByteArray("N") << QByteArray() << QByteArray("015,001,025,011,000,");
    QTest::newRow("T fixed 3") << "" << QByteArray("T") << QByteArray() << QByteArray("000");

    // Dumps: N, C, records, then character 26.
    QTest::newRow("A empty") << "" << QByteArray("A") << QByteArray() << QByteArray("0,8,\x1a");
    QTest::newRow("A two records")
        << "two-records" << QByteArray("A") << QByteArray()
        << QByteArray("2,2,15,01,2025,08,00,00,800.0,951.1,15,01,2025,09,00,00,803.7,954.8,\x1a");
    QTest::newRow("A with event counter")
        << "two-records-events" << QByteArray("A") << QByteArray()
        << QByteArray("2,2,15,01,2025,08,00,00,800.0,951.1,0,15,01,2025,09,00,00,803.7,954.8,3,\x1a");
    QTest::newRow("a never has event counts")
        << "two-records-events" << QByteArray("a") << QByteArray()
        << QByteArray("2,2,15,01,2025,08,00,00,18.0,18.6,15,01,2025,09,00,00,18.3,18.9,\x1a");
    QTest::newRow("[ block")
        << "two-records" << QByteArray("[") << QByteArray()
        << QByteArray("***inizio***,15/01/2025 08:00:00,800.0,951.1,\r\n"
                      "15/01/2025 09:00:00,803.7,954.8,\r\n***fine***,");
    QTest::newRow("[ empty block") << "" << QByteArray("[") << QByteArray() << QByteArray("***inizio***,***fine***,");
    // clang-format on
}

void TestSimProtocol::replies()
{
    QFETCH(QString, setup);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, params);
    QFETCH(QByteArray, reply);

    Wire w;
    setupNamed(setup)(w.model);
    QCOMPARE(w.exchange(command, params), reply);
    // The whole request was taken: nothing is left half-parsed.
    QVERIFY(!w.protocol.busy());
}

void TestSimProtocol::writes_data()
{
    // Each write is a list of "command|params" sends, then a read-back.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QByteArrayList>("writes");
    QTest::addColumn<QByteArray>("readCommand");
    QTest::addColumn<QByteArray>("readParams");
    QTest::addColumn<QByteArray>("expected");

    // clang-format off
    QTest::newRow("q identifier") << "" << QByteArrayList{"q|Site3,"} << QByteArray("Q") << QByteArray() << QByteArray("Site3,");
    QTest::newRow("q empty identifier") << "" << QByteArrayList{"q|,"} << QByteArray("Q") << QByteArray() << QByteArray(",");
    QTest::newRow("g clock, year - 1900") << "" << QByteArrayList{"g|5,3, 124,14,07,"} << QByteArray("G") << QByteArray(",") << QByteArray("05,03,2024,14,07,");
    QTest::newRow("g then fixed G") << "" << QByteArrayList{"g|5,3, 124,14,07,"} << QByteArray("G") << QByteArray() << QByteArray("005,003,024,014,007");
    QTest::newRow("y measure now") << "" << QByteArrayList{"y|1,1,100,00,00,"} << QByteArray("Y") << QByteArray(",") << QByteArray("01,01,2000,00,00,00,");
    QTest::newRow("c interval") << "" << QByteArrayList{"c|001,030,000,"} << QByteArray("C") << QByteArray(",") << QByteArray("001,030,000,");
    QTest::newRow("e pre-heating") << "" << QByteArrayList{"e|00250,"} << QByteArray("E") << QByteArray(",") << QByteArray("00250,");
    QTest::newRow("h channel count") << "" << QByteArrayList{"h| 1, 8,"} << QByteArray("H") << QByteArray(" 1,") << QByteArray("8,");
    QTest::newRow("h count then fixed H")
        << "" << QByteArrayList{"h| 0, 12,"} << QByteArray("H") << QByteArray() << QByteArray("012");
    QTest::newRow("r sensor") << "" << QByteArrayList{"r| 3,Piezo,0.5,4.5,0,10,"} << QByteArray("R") << QByteArray(" 3,") << QByteArray("Piezo,0.5,4.5,0,10,");
    QTest::newRow("j alarm 17") << "" << QByteArrayList{"j| 17,1,12.5,-3,"} << QByteArray("J") << QByteArray(" 17,") << QByteArray("1,12.5,-3,");
    QTest::newRow("i sms") << "" << QByteArrayList{"i|111,222,,,,,,,,,3, 1,"} << QByteArray("I") << QByteArray() << QByteArray("111,222,,,,,,,,,3,1,");
    QTest::newRow("f phone") << "" << QByteArrayList{"f|333, 1,"} << QByteArray("F") << QByteArray() << QByteArray("333,1,");
    QTest::newRow("k gprs") << "" << QByteArrayList{"k|a,b,c,d,e,f,g,h,i,j,"} << QByteArray("K") << QByteArray() << QByteArray("a,b,c,d,e,f,g,h,i,j,");
    QTest::newRow("o off") << "" << QByteArrayList{"o|0,"} << QByteArray("O") << QByteArray() << QByteArray("0,");
    QTest::newRow("u on") << "" << QByteArrayList{"u|1,"} << QByteArray("U") << QByteArray(",") << QByteArray("1,");
    QTest::newRow("> pulse") << "" << QByteArrayList{">|0.5,"} << QByteArray("<") << QByteArray() << QByteArray("0.5,");
    // x, then each line as command text with its comma paced.
    QTest::newRow("x five lines")
        << "" << QByteArrayList{"x|", "Riga uno|,", "|,", "Diga nord|,", "Q V A|,", "fine|,"}
        << QByteArray("X") << QByteArray() << QByteArray("Riga uno,,Diga nord,Q V A,fine,");
    QTest::newRow("b alone erases") << "two-records" << QByteArrayList{"b|"} << QByteArray("M") << QByteArray(",") << QByteArray("5000,5000,");
    QTest::newRow("b comma erases") << "two-records" << QByteArrayList{"b|,"} << QByteArray("A") << QByteArray() << QByteArray("0,2,\x1a");
    QTest::newRow("z alone resets") << "" << QByteArrayList{"q|Other,", "z|"} << QByteArray("Q") << QByteArray() << QByteArray("VKLOG01,");
    QTest::newRow("z comma resets") << "two-records" << QByteArrayList{"c|002,000,000,", "z|,"} << QByteArray("C") << QByteArray(",") << QByteArray("001,000,000,");
    QTest::newRow("z keeps the model code") << "analog" << QByteArrayList{"z|"} << QByteArray("D") << QByteArray(",") << QByteArray("0,");
    QTest::newRow("^ records one acquisition") << "two-records" << QByteArrayList{"^|"} << QByteArray("M") << QByteArray(",") << QByteArray("5000,4997,");
    // clang-format on
}

void TestSimProtocol::writes()
{
    QFETCH(QString, setup);
    QFETCH(QByteArrayList, writes);
    QFETCH(QByteArray, readCommand);
    QFETCH(QByteArray, readParams);
    QFETCH(QByteArray, expected);

    Wire w;
    setupNamed(setup)(w.model);
    for (const QByteArray& write : writes) {
        const int bar = write.indexOf('|');
        QCOMPARE(w.send(write.left(bar), write.mid(bar + 1)), QByteArray());
        w.now += 100; // the program's pause between commands
    }
    QCOMPARE(w.settle(), QByteArray());
    QCOMPARE(w.exchange(readCommand, readParams), expected);
}

void TestSimProtocol::timing_data()
{
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<int>("onSiteTests");

    // clang-format off
    QTest::newRow("J alone, then J with a channel")
        << Steps{{0, "J"}, {500, "J"}, {500, " "}, {511, "3"}, {522, ","}}
        << QByteArray("0,100.0,0.0,") << 1;
    QTest::newRow("J with a channel is not a test")
        << Steps{{0, "J"}, {0, " "}, {11, "5"}, {22, ","}} << QByteArray("0,100.0,0.0,") << 0;
    QTest::newRow("U alone answered once quiet")
        << Steps{{0, "U"}, {99, ""}, {100, ""}} << QByteArray("0,") << 0;
    QTest::newRow("U with comma answered at the comma")
        << Steps{{0, "U"}, {11, ","}} << QByteArray("0,") << 0;
    // H cannot be b's parameter: b stands alone at once, H is its own request.
    QTest::newRow("b then H within the quiet time")
        << Steps{{0, "b"}, {20, "H"}, {31, "0"}, {42, ","}} << QByteArray("8,") << 0;
    QTest::newRow("TCP: whole request in one chunk")
        << Steps{{0, "H 0,"}, {0, "G,"}} << QByteArray("8,15,01,2025,10,30,") << 0;
    QTest::newRow("TCP: J alone then Q in one chunk")
        << Steps{{0, "JQ"}} << QByteArray("VKLOG01,") << 1;
    QTest::newRow("G alone: a late comma is no parameter")
        << Steps{{0, "G"}, {150, ","}} << QByteArray("015,001,025,010,030") << 0;
    QTest::newRow("G with comma inside the quiet time")
        << Steps{{0, "G"}, {90, ","}} << QByteArray("15,01,2025,10,30,") << 0;
    QTest::newRow("lone H twice: count then 4n+4")
        << Steps{{0, "H"}, {600, "H"}}
        << QByteArray("008008,000,001,002,003,004,005,006,007,") << 0;
    QTest::newRow("lone H after another request starts over")
        << Steps{{0, "H"}, {600, "Q"}, {700, "H"}} << QByteArray("008VKLOG01,008") << 0;
    QTest::newRow("line ends and unknown bytes are ignored")
        << Steps{{0, "\r\n?"}, {10, "Q"}} << QByteArray("VKLOG01,") << 0;
    // clang-format on
}

void TestSimProtocol::timing()
{
    QFETCH(Steps, steps);
    QFETCH(QByteArray, output);
    QFETCH(int, onSiteTests);

    LoggerModel model;
    LoggerProtocol protocol(model);
    QByteArray out;
    for (const Step& s : steps) {
        out += protocol.poll(s.at);
        out += protocol.feed(s.bytes, s.at);
    }
    out += protocol.poll(steps.last().at + 1000);
    QCOMPARE(out, output);
    QCOMPARE(model.onSiteTests, onSiteTests);
}

void TestSimProtocol::faults_data()
{
    QTest::addColumn<int>("silentAfter");
    QTest::addColumn<int>("garbageField");
    QTest::addColumn<int>("hangupAfter");
    QTest::addColumn<QByteArrayList>("requests"); // "command|params"
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<bool>("hangup");

    // clang-format off
    QTest::newRow("silent after 3 fields")
        << 3 << -1 << -1 << QByteArrayList{"G|,"} << QByteArray("15,01,2025,") << false;
    QTest::newRow("silent counts across requests")
        << 1 << -1 << -1 << QByteArrayList{"V|", "Q|"} << QByteArray("VKLOGGER V2.1,") << false;
    QTest::newRow("silent from the start")
        << 0 << -1 << -1 << QByteArrayList{"V|"} << QByteArray() << false;
    QTest::newRow("silent mid-dump drops the end mark")
        << 4 << -1 << -1 << QByteArrayList{"A|"} << QByteArray("2,2,15,01,") << false;
    QTest::newRow("garbage second field")
        << -1 << 2 << -1 << QByteArrayList{"G|,"} << QByteArray("15,#?x!,2025,10,30,") << false;
    QTest::newRow("garbage field in the second request")
        << -1 << 3 << -1 << QByteArrayList{"D|,", "M|,"} << QByteArray("1,5000,#?x!,") << false;
    QTest::newRow("garbage replaces a fixed-length reply")
        << -1 << 1 << -1 << QByteArrayList{"E|"} << QByteArray("#?x!") << false;
    QTest::newRow("hang up after 2 fields")
        << -1 << -1 << 2 << QByteArrayList{"A|"} << QByteArray("2,2,") << true;
    QTest::newRow("hang up before anything")
        << -1 << -1 << 0 << QByteArrayList{"V|"} << QByteArray() << true;
    QTest::newRow("no hang-up before K fields")
        << -1 << -1 << 5 << QByteArrayList{"D|,"} << QByteArray("1,") << false;
    // clang-format on
}

void TestSimProtocol::faults()
{
    QFETCH(int, silentAfter);
    QFETCH(int, garbageField);
    QFETCH(int, hangupAfter);
    QFETCH(QByteArrayList, requests);
    QFETCH(QByteArray, output);
    QFETCH(bool, hangup);

    Wire w;
    setupNamed("two-records")(w.model);
    w.protocol.setFaults({silentAfter, garbageField, hangupAfter});
    QByteArray out;
    for (const QByteArray& r : requests) {
        const int bar = r.indexOf('|');
        out += w.exchange(r.left(bar), r.mid(bar + 1));
    }
    QCOMPARE(out, output);
    QCOMPARE(w.protocol.hangupRequested(), hangup);
}

void TestSimProtocol::blockIsDeliveredOnlyOnceConfirmed()
{
    Wire w;
    setupNamed("two-records")(w.model);
    const QByteArray full("***inizio***,15/01/2025 08:00:00,800.0,951.1,\r\n"
                          "15/01/2025 09:00:00,803.7,954.8,\r\n***fine***,");
    // Not confirmed: the same block comes again.
    QCOMPARE(w.exchange("["), full);
    QCOMPARE(w.exchange("["), full);
    QCOMPARE(w.exchange("]"), QByteArray("OK,"));
    QCOMPARE(w.exchange("["), QByteArray("***inizio***,***fine***,"));
    // A new acquisition is the only thing in the next block.
    w.model.clock = LoggerModel::Stamp{15, 1, 2025, 10, 0, 0};
    w.exchange("^");
    QCOMPARE(w.exchange("["),
             QByteArray("***inizio***,15/01/2025 10:00:00,807.4,958.5,\r\n***fine***,"));
}

void TestSimProtocol::staleRequestIsDropped()
{
    Wire w;
    // "h" loses its second field; seconds later a fresh request is not taken for it.
    QCOMPARE(w.send("h", " 1,"), QByteArray());
    QVERIFY(w.protocol.busy());
    QVERIFY(w.protocol.nextDeadline() > w.now);
    w.now += 3000;
    QCOMPARE(w.exchange("Q"), QByteArray("VKLOG01,"));
    QCOMPARE(w.model.muxChannels[1], 0);
}

void TestSimProtocol::fillMemoryIsDeterministic()
{
    LoggerModel m;
    m.intervalMinutes = 30;
    m.intervalHours = 0;
    m.fillMemory(50, 20);
    QCOMPARE(m.data.size(), 50);
    QCOMPARE(m.temperatures.size(), 50);
    QCOMPARE(m.memoryChannels, 20);
    QCOMPARE(m.data[49].time, (LoggerModel::Stamp{16, 1, 2025, 8, 30, 0}));
    QCOMPARE(m.data[49].values[19], LoggerModel::syntheticReading(1, 49, 19));
    QCOMPARE(m.data[49].eventCount, QByteArray("0")); // 147 % 7
    QCOMPARE(m.temperatures[3].values[0], LoggerModel::syntheticTemperature(3, 0));

    // Plausible everywhere: vibrating wire 800..3200 Hz, analog 0.5..4.4 V, -30..80 C.
    for (int r = 0; r < 200; ++r) {
        for (int c = 0; c < LoggerModel::kChannels; ++c) {
            const double hz = LoggerModel::syntheticReading(1, r, c).toDouble();
            const double v = LoggerModel::syntheticReading(0, r, c).toDouble();
            const double t = LoggerModel::syntheticTemperature(r, c).toDouble();
            QVERIFY(hz >= 800 && hz <= 3200);
            QVERIFY(v >= 0.5 && v <= 4.4);
            QVERIFY(t >= -30 && t <= 80);
        }
    }
}

void TestSimProtocol::requestsAreLogged()
{
    Wire w;
    w.exchange("J");
    w.exchange("H", " 0,");
    w.exchange("x");
    for (const QByteArray line : {"a", "b", "", "d", "e"})
        w.exchange(line, ",");
    QCOMPARE(w.model.requests, (QList<QByteArray>{"J", "H 0,", "xa,b,,d,e,"}));
}

QByteArray TestSimProtocol::readUntil(int fd, const QByteArray& end, int timeoutMs)
{
    QByteArray got;
    QElapsedTimer t;
    t.start();
    while (!got.endsWith(end) && t.elapsed() < timeoutMs) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, int(timeoutMs - t.elapsed())) <= 0)
            break;
        if (p.revents & (POLLHUP | POLLERR) && !(p.revents & POLLIN))
            break;
        char buf[256];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            break;
        got.append(buf, int(n));
    }
    return got;
}

void TestSimProtocol::ptyExchange()
{
    SimulatorThread sim;
    QString error;
    QVERIFY2(sim.start(&error), qPrintable(error));
    QVERIFY(sim.slavePath().startsWith("/dev/pts/"));

    const int fd = ::open(sim.slavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    termios t{};
    QCOMPARE(::tcgetattr(fd, &t), 0);
    ::cfmakeraw(&t);
    QCOMPARE(::tcsetattr(fd, TCSANOW, &t), 0);

    QCOMPARE(::write(fd, "V", 1), ssize_t(1));
    QCOMPARE(readUntil(fd, ","), QByteArray("VKLOGGER V2.1,"));

    sim.withModel([](LoggerModel& m) { m.identifier = "STAZ1"; });
    QCOMPARE(::write(fd, "Q", 1), ssize_t(1));
    QCOMPARE(readUntil(fd, ","), QByteArray("STAZ1,"));

    // A write over the line reaches the model the test reads.
    QCOMPARE(::write(fd, "q", 1), ssize_t(1));
    QCOMPARE(::write(fd, "P2,", 3), ssize_t(3));
    QCOMPARE(::write(fd, "Q", 1), ssize_t(1));
    QCOMPARE(readUntil(fd, ","), QByteArray("P2,"));
    QByteArray id;
    sim.withModel([&id](LoggerModel& m) { id = m.identifier; });
    QCOMPARE(id, QByteArray("P2"));

    // The wake-up text a raised DTR would bring.
    sim.announce();
    QCOMPARE(readUntil(fd, "S2"), LoggerProtocol::kAnnouncement);

    ::close(fd);
    sim.stop();
    QVERIFY(!sim.isRunning());
}

void TestSimProtocol::ptyHangupFault()
{
    LoggerSimulator::Options o;
    o.faults.hangupAfter = 1;
    SimulatorThread sim(o);
    QVERIFY(sim.start());
    const int fd = ::open(sim.slavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, "V", 1), ssize_t(1));
    QCOMPARE(readUntil(fd, ","), QByteArray("VKLOGGER V2.1,"));
    // Then the line drops: the slave reports a hang-up instead of data.
    pollfd p{fd, POLLIN, 0};
    QCOMPARE(::poll(&p, 1, 5000), 1);
    QVERIFY(p.revents & POLLHUP);
    ::close(fd);
}

void TestSimProtocol::ptyPacing_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("slowMs");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("atLeastMs");

    const QByteArray k("internet,,,ftp.example.org,21,logger,secret,/upload,60,0,");
    // 57 bytes at 960 bytes/s take at least 59 ms on the line.
    QTest::newRow("9600 baud") << 9600 << 0 << QByteArray("K") << k << 55;
    QTest::newRow("slow replies") << 0 << 150 << QByteArray("V") << QByteArray("VKLOGGER V2.1,")
                                  << 150;
}

// Only lower bounds are checked: a loaded machine may be late, never early.
void TestSimProtocol::ptyPacing()
{
    QFETCH(int, baud);
    QFETCH(int, slowMs);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    QFETCH(int, atLeastMs);

    LoggerSimulator::Options o;
    o.baud = baud;
    o.slowMs = slowMs;
    SimulatorThread sim(o);
    QVERIFY(sim.start());
    const int fd = ::open(sim.slavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    QElapsedTimer t;
    t.start();
    QCOMPARE(::write(fd, command.constData(), size_t(command.size())), ssize_t(command.size()));
    QCOMPARE(readUntil(fd, reply.right(2)), reply);
    QVERIFY2(t.elapsed() >= atLeastMs, qPrintable(QString::number(t.elapsed())));
    ::close(fd);
}

QTEST_GUILESS_MAIN(TestSimProtocol)
#include "test_sim_protocol.moc"
