#include "FinestraProva.h"
#include "live/LetturaContinua.h"
#include "live/MisCont.h"
#include "live/TabellaGrafico.h"
#include "startup/ui_Form1.h"

#include <QtTest>

#include <memory>

// The page "LETTURA CONTINUA" on the fake port: the bytes of "p"/"t", the
// boxes and labels, the hidden commands, and the opening of the continuous
// window.
class TestLetturaContinua : public QObject
{
    Q_OBJECT

    std::unique_ptr<FinestraProva> f;
    std::unique_ptr<TabellaGrafico> tabella;
    std::unique_ptr<LetturaContinua> pagina;

    QStringList boxes() const
    {
        QStringList t;
        for (int i = 0; i < 16; ++i)
            t << f->finestra.findChild<QLineEdit*>(QStringLiteral("continua_%1").arg(i))->text();
        return t;
    }
    QLabel* label(int i) const
    {
        return f->finestra.findChild<QLabel*>(QStringLiteral("LABCANALI_%1").arg(i));
    }
    static QColor textColour(const QLabel* l) { return l->palette().color(QPalette::WindowText); }

private slots:
    void init()
    {
        f = std::make_unique<FinestraProva>();
        QVERIFY(f->port.isOpen());
        tabella = std::make_unique<TabellaGrafico>();
        pagina = std::make_unique<LetturaContinua>(f->ui, f->link, f->dialogs, *tabella);
    }

    void cleanup()
    {
        pagina.reset();
        f.reset();
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

        f->finestra.findChild<QLineEdit*>(QStringLiteral("MUX_%1").arg(mux))->setText(channels);
        f->link.ModelloDatalogger = model;
        f->link.registraComandi({f->ui.MISCONTINUA_0, f->ui.MISCONTINUA_TEMP_0});
        if (!reply.isEmpty())
            f->port.replyTo(written, reply, 0.5);
        bool lockedWhileReading = false;
        f->clock.scheduleIn(0.2, [&] { lockedWhileReading = !f->ui.MISCONTINUA_0->isEnabled(); });

        const double t0 = f->clock.now();
        if (temperature)
            pagina->MISCONTINUA_TEMP(mux);
        else
            pagina->MISCONTINUA(mux);

        QCOMPARE(f->port.written(), written);
        while (expected.size() < 16)
            expected << "N.R.";
        QCOMPARE(boxes(), expected);
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(label(i)->text(), QStringLiteral("CH %1").arg(16 * mux + i));
            QCOMPARE(textColour(label(i)), QColor(Qt::black));
        }
        QVERIFY(f->ui.MISCONTINUA_0->isEnabled());
        QVERIFY(f->clock.now() - t0 < 5.0); // no time-out waited
        if (!reply.isEmpty())
            QVERIFY(lockedWhileReading);
    }

    void labelIsRedWhileItsReplyIsAwaited()
    {
        f->ui.MUX_0->setText("2");
        f->link.ModelloDatalogger = 1;
        f->port.replyTo("p 0,", "");
        f->port.feedIn(1.0, "0,100,");
        f->port.feedIn(2.0, "1,200,");
        QList<QColor> at05, at15;
        f->clock.scheduleIn(0.5, [&] { at05 = {textColour(label(0)), textColour(label(1))}; });
        f->clock.scheduleIn(1.5, [&] { at15 = {textColour(label(0)), textColour(label(1))}; });
        pagina->MISCONTINUA(0);
        QCOMPARE(at05, (QList<QColor>{Qt::red, Qt::black}));
        QCOMPARE(at15, (QList<QColor>{Qt::black, Qt::red}));
        QCOMPARE(boxes().mid(0, 2), (QStringList{"100", "200"}));
    }

    void silentLoggerLeavesTheRestUnreadAfterOneTimeout()
    {
        f->ui.MUX_0->setText("4");
        f->link.ModelloDatalogger = 1;
        f->port.replyTo("p 0,", "0,100,");
        const double t0 = f->clock.now();
        pagina->MISCONTINUA(0);
        // One 60 s time-out, not one per remaining field.
        QVERIFY(f->clock.now() - t0 < 2 * Modulo1::TimeoutRisposta);
        QCOMPARE(boxes().mid(0, 4), (QStringList{"100", "N.R.", "N.R.", "N.R."}));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(textColour(label(i)), QColor(Qt::black));
    }

    void hiddenCommands()
    {
        f->link.registraComandi({f->ui.registradasolo});
        pagina->registradasolo();
        QCOMPARE(f->port.written(), QByteArray("^"));
        QVERIFY(f->ui.registradasolo->isEnabled());

        f->port.clearWrites();
        f->port.replyTo("L,", "42,");
        pagina->CONTAIMP();
        QCOMPARE(f->port.written(), QByteArray("L,"));
        QCOMPARE(f->ui.Text2->text(), QString("42"));
    }

    void opensTheContinuousWindowOnce()
    {
        f->finestra.show();
        f->ui.cmdApriMisuraContinua_0->click();
        MisCont* m = pagina->misCont();
        QVERIFY(m);
        QCOMPARE(m->QualeMux, 0);
        QVERIFY(m->isVisible());
        QVERIFY(!m->isModal());
        QVERIFY(f->finestra.isEnabled());
        pagina->cmdApriMisuraContinua(0);
        QCOMPARE(pagina->misCont(), m);
        QCOMPARE(f->finestra.findChildren<MisCont*>().size(), 1);
    }
};

QTEST_MAIN(TestLetturaContinua)
#include "test_letturacontinua.moc"
