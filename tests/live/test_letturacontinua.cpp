#include "FakeSerialPort.h"
#include "FakeTcpClient.h"
#include "ScriptedDialogs.h"
#include "VirtualClock.h"
#include "link/Modulo1.h"
#include "live/LetturaContinua.h"
#include "live/MisCont.h"
#include "live/TabellaGrafico.h"
#include "startup/ui_Form1.h"

#include <QMainWindow>
#include <QtTest>

#include <memory>

// The page "LETTURA CONTINUA" on the fake port: the bytes of "p"/"t", the
// boxes and labels, the hidden commands, and the opening of the continuous
// window.
class TestLetturaContinua : public QObject
{
    Q_OBJECT

    std::unique_ptr<VirtualClock> clock;
    std::unique_ptr<FakeSerialPort> port;
    std::unique_ptr<FakeTcpClient> tcp;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<Modulo1> link;
    std::unique_ptr<QMainWindow> window;
    std::unique_ptr<Ui::Form1> ui;
    std::unique_ptr<TabellaGrafico> tabella;
    std::unique_ptr<LetturaContinua> pagina;

    QStringList boxes() const
    {
        QStringList t;
        for (int i = 0; i < 16; ++i)
            t << window->findChild<QLineEdit*>(QStringLiteral("continua_%1").arg(i))->text();
        return t;
    }
    QLabel* label(int i) const
    {
        return window->findChild<QLabel*>(QStringLiteral("LABCANALI_%1").arg(i));
    }
    static QColor textColour(const QLabel* l) { return l->palette().color(QPalette::WindowText); }

private slots:
    void init()
    {
        clock = std::make_unique<VirtualClock>();
        port = std::make_unique<FakeSerialPort>(*clock);
        tcp = std::make_unique<FakeTcpClient>(*clock);
        dialogs = std::make_unique<ScriptedDialogs>();
        link = std::make_unique<Modulo1>(*port, *tcp, *clock, *dialogs);
        link->PortaAperta = true;
        QVERIFY(port->open());
        window = std::make_unique<QMainWindow>();
        ui = std::make_unique<Ui::Form1>();
        ui->setupUi(window.get());
        tabella = std::make_unique<TabellaGrafico>();
        pagina = std::make_unique<LetturaContinua>(*ui, *link, *dialogs, *tabella);
    }

    void cleanup()
    {
        pagina.reset();
        window.reset();
    }

    void readsMultiplexer_data()
    {
        QTest::addColumn<bool>("temperature");
        QTest::addColumn<int>("mux");
        QTest::addColumn<QString>("channels"); // text of MUX(mux)
        QTest::addColumn<int>("model");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QStringList>("expected"); // boxes 0.. (the rest "N.R.")

        QTest::newRow("MUX empty: command sent, nothing read")
            << false << 0 << "" << 1 << QByteArray() << QByteArray("p 0,") << QStringList();
        QTest::newRow("MUX 0") << false << 2 << "0" << 1 << QByteArray() << QByteArray("p 2,")
                               << QStringList();
        QTest::newRow("multiplexer 1 with 3 channels")
            << false << 1 << "3" << 1 << QByteArray("0,0812.40,1,0799.00,2,1200.55,")
            << QByteArray("p 1,") << QStringList{"812.4", "799", "1200.55"};
        QTest::newRow("model 0: 12.5 and 7") << false << 0 << "2" << 0 << QByteArray("0,12.5,1,7,")
                                             << QByteArray("p 0,") << QStringList{"12.5", "7.0"};
        QTest::newRow("model 0: at most three decimals")
            << false << 0 << "1" << 0 << QByteArray("0,1.23456,") << QByteArray("p 0,")
            << QStringList{"1.235"};
        QTest::newRow("value goes to the box the logger names")
            << false << 3 << "2" << 1 << QByteArray("2,10,0,20,") << QByteArray("p 3,")
            << QStringList{"20", "N.R.", "10"};
        QTest::newRow("position outside 0..15 ignored")
            << false << 0 << "3" << 1 << QByteArray("16,5,-1,6,1,7,") << QByteArray("p 0,")
            << QStringList{"N.R.", "7"};
        QTest::newRow("temperatures: limits shown")
            << true << 0 << "4" << 1 << QByteArray("0,-30,1,80,2,23.5,3,-5.2,")
            << QByteArray("t 0,") << QStringList{"-030.0", "080.0", "023.5", "-005.2"};
        QTest::newRow("temperatures: beyond the limits")
            << true << 2 << "2" << 1 << QByteArray("0,-30.1,1,80.1,") << QByteArray("t 2,")
            << QStringList{"**N.F.**", "**N.F.**"};
    }

    void readsMultiplexer()
    {
        QFETCH(bool, temperature);
        QFETCH(int, mux);
        QFETCH(QString, channels);
        QFETCH(int, model);
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, written);
        QFETCH(QStringList, expected);

        window->findChild<QLineEdit*>(QStringLiteral("MUX_%1").arg(mux))->setText(channels);
        link->ModelloDatalogger = model;
        link->registraComandi({ui->MISCONTINUA_0, ui->MISCONTINUA_TEMP_0});
        if (!reply.isEmpty())
            port->replyTo(written, reply, 0.5);
        bool lockedWhileReading = false;
        clock->scheduleIn(0.2, [&] { lockedWhileReading = !ui->MISCONTINUA_0->isEnabled(); });

        const double t0 = clock->now();
        if (temperature)
            pagina->MISCONTINUA_TEMP(mux);
        else
            pagina->MISCONTINUA(mux);

        QCOMPARE(port->written(), written);
        while (expected.size() < 16)
            expected << "N.R.";
        QCOMPARE(boxes(), expected);
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(label(i)->text(), QStringLiteral("CH %1").arg(16 * mux + i));
            QCOMPARE(textColour(label(i)), QColor(Qt::black));
        }
        QVERIFY(ui->MISCONTINUA_0->isEnabled());
        QVERIFY(clock->now() - t0 < 5.0); // no time-out waited
        if (!reply.isEmpty())
            QVERIFY(lockedWhileReading);
    }

    void labelIsRedWhileItsReplyIsAwaited()
    {
        ui->MUX_0->setText("2");
        link->ModelloDatalogger = 1;
        port->replyTo("p 0,", "");
        port->feedIn(1.0, "0,100,");
        port->feedIn(2.0, "1,200,");
        QList<QColor> at05, at15;
        clock->scheduleIn(0.5, [&] { at05 = {textColour(label(0)), textColour(label(1))}; });
        clock->scheduleIn(1.5, [&] { at15 = {textColour(label(0)), textColour(label(1))}; });
        pagina->MISCONTINUA(0);
        QCOMPARE(at05, (QList<QColor>{Qt::red, Qt::black}));
        QCOMPARE(at15, (QList<QColor>{Qt::black, Qt::red}));
        QCOMPARE(boxes().mid(0, 2), (QStringList{"100", "200"}));
    }

    void silentLoggerLeavesTheRestUnreadAfterOneTimeout()
    {
        ui->MUX_0->setText("4");
        link->ModelloDatalogger = 1;
        port->replyTo("p 0,", "0,100,");
        const double t0 = clock->now();
        pagina->MISCONTINUA(0);
        // One 60 s time-out, not one per remaining field.
        QVERIFY(clock->now() - t0 < 2 * Modulo1::TimeoutRisposta);
        QCOMPARE(boxes().mid(0, 4), (QStringList{"100", "N.R.", "N.R.", "N.R."}));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(textColour(label(i)), QColor(Qt::black));
    }

    void hiddenCommands()
    {
        link->registraComandi({ui->registradasolo});
        pagina->registradasolo();
        QCOMPARE(port->written(), QByteArray("^"));
        QVERIFY(ui->registradasolo->isEnabled());

        port->clearWrites();
        port->replyTo("L,", "42,");
        pagina->CONTAIMP();
        QCOMPARE(port->written(), QByteArray("L,"));
        QCOMPARE(ui->Text2->text(), QString("42"));
    }

    void opensTheContinuousWindowOnce()
    {
        window->show();
        ui->cmdApriMisuraContinua_0->click();
        MisCont* m = pagina->misCont();
        QVERIFY(m);
        QCOMPARE(m->QualeMux, 0);
        QVERIFY(m->isVisible());
        QVERIFY(!m->isModal());
        QVERIFY(window->isEnabled());
        pagina->cmdApriMisuraContinua(0);
        QCOMPARE(pagina->misCont(), m);
        QCOMPARE(window->findChildren<MisCont*>().size(), 1);
    }
};

QTEST_MAIN(TestLetturaContinua)
#include "test_letturacontinua.moc"
