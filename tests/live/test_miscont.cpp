#include "MisContFixture.h"
#include "live/Grafici.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

// The continuous-measure window on the fake port, the virtual clock and
// scripted dialogs: the bytes, the file, the grid, the notices and buttons.
class TestMisCont : public QObject
{
    Q_OBJECT

    std::unique_ptr<MisContFixture> f;

    QPushButton* button(const char* name) const { return f->window->findChild<QPushButton*>(name); }
    QLineEdit* notice() const { return f->window->findChild<QLineEdit*>("txtAvviso"); }
    // Start, Stop, Grafici, Chiudi enabled.
    QList<bool> buttons() const
    {
        return {button("cmdStart")->isEnabled(), button("cmdStop")->isEnabled(),
                button("cmdGraf")->isEnabled(), button("cmdChiudi")->isEnabled()};
    }
    // Runs `fn` when the cycle on grid row `row` has sent its command.
    void atCycle(int row, std::function<void()> fn)
    {
        auto done = std::make_shared<bool>(false);
        connect(&f->window->griglia(), &QAbstractItemModel::dataChanged, f->window.get(),
                [this, row, fn, done](const QModelIndex& i) {
                    if (!*done && i.row() + 1 == row && i.column() == 0) {
                        *done = true;
                        f->clock.scheduleIn(0.1, fn);
                    }
                });
    }

private slots:
    void init() { f = std::make_unique<MisContFixture>(); }
    void cleanup() { f.reset(); }

    void runRecordsEveryCycleUntilStop()
    {
        f->script(3, {{"0812.40", "0799.00", "1200.55"},
                      {"0812.41", "0799.01", "1200.56"},
                      {"0812.42", "0799.02", "1200.57"}});
        f->dialogs.saveNext(f->path());
        QByteArray onDiskDuringThirdCycle;
        QList<bool> buttonsDuringRun;
        atCycle(3, [&] {
            onDiskDuringThirdCycle = MisContFixture::readFile(f->path());
            buttonsDuringRun = buttons();
            f->window->cmdStop(); // mid-cycle: this cycle still completes
        });
        f->window->show();
        f->window->cmdStart();

        const QStringList head{"[INIZIO DATI]", "Date,CH 0,CH 1,CH 2"};
        const QStringList rows{MisContFixture::stamp(1) + ",0812.40,0799.00,1200.55",
                               MisContFixture::stamp(2) + ",0812.41,0799.01,1200.56",
                               MisContFixture::stamp(3) + ",0812.42,0799.02,1200.57"};
        QCOMPARE(MisContFixture::readFile(f->path()),
                 MisContFixture::lines(head + rows + QStringList{"[FINE DATI]"}));
        // Each finished cycle was on disk before the next one ended.
        QCOMPARE(onDiskDuringThirdCycle, MisContFixture::lines(head + rows.mid(0, 2)));

        QCOMPARE(f->port.written(), QByteArray("H 0,p0,p0,p0,"));
        QCOMPARE(f->dialogs.saveRequests().size(), 1);
        const Dialogs::SaveRequest& r = f->dialogs.saveRequests().first();
        QCOMPARE(r.folder, f->dir.path());
        QCOMPARE(r.proposedName, QString("mc_09-12-2023_18.5.07.txt"));
        QVERIFY(r.filter.contains("*.txt"));
        QVERIFY(f->dialogs.boxes().isEmpty());

        // Stopped mid-cycle: no empty row after the last one.
        GrigliaMisure& g = f->window->griglia();
        QCOMPARE(g.Rows(), 4);
        QCOMPARE(g.Cols(), 4);
        QCOMPARE(g.TextMatrix(0, 3), QString("CH 2"));
        QCOMPARE(g.TextMatrix(3, 2), QString("0799.02"));
        auto* grid = f->window->findChild<QTableView*>("Grid1");
        QVERIFY(grid->columnWidth(0) >= 120);
        QCOMPARE(grid->columnWidth(1), 67);
        QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QString("CH 0"));

        QCOMPARE(buttonsDuringRun, (QList<bool>{false, true, true, false}));
        QCOMPARE(buttons(), (QList<bool>{true, false, true, true}));
        QVERIFY(notice()->isHidden());
        QCOMPARE(notice()->text(), QString());
    }

    void timeoutInSecondChannelEndsTheRunNormally()
    {
        f->script(4, {{"1", "2", "3", "4"}, {"5"}});
        f->dialogs.saveNext(f->path());
        const double t0 = f->clock.now();
        f->window->cmdStart();

        const QByteArray file = MisContFixture::readFile(f->path());
        QVERIFY(file.endsWith(MisContFixture::lines(
            {MisContFixture::stamp(1) + ",1,2,3,4",
             MisContFixture::stamp(2) + ",5,Timeout,Timeout,Timeout", "[FINE DATI]"})));
        QVERIFY(!file.contains("TERMINATO"));
        QVERIFY(f->dialogs.boxes().isEmpty());
        QCOMPARE(f->window->griglia().Rows(), 3);
        // One time-out waited, not one per remaining field.
        QVERIFY(f->clock.now() - t0 < 2 * Modulo1::TimeoutRisposta);
        QCOMPARE(buttons(), (QList<bool>{true, false, true, true}));
    }

    void cablePulledEndsTheRunAtOnceThroughTheFailurePath()
    {
        f->script(2, {{"1", "2"}, {"3", "4"}, {"5", "6"}}, 1.0);
        f->dialogs.saveNext(f->path());
        atCycle(3, [&] { f->port.injectError("Input/output error"); });
        const double t0 = f->clock.now();
        f->window->cmdStart();

        QVERIFY(f->clock.now() - t0 < 10.0);
        QCOMPARE(MisContFixture::readFile(f->path()),
                 MisContFixture::lines({"[INIZIO DATI]", "Date,CH 0,CH 1",
                                        MisContFixture::stamp(1) + ",1,2",
                                        MisContFixture::stamp(2) + ",3,4", "[FINE DATI]",
                                        "[FILE TERMINATO INASPETTATAMENTE]"}));
        QCOMPARE(f->dialogs.boxes().size(), 1);
        QCOMPARE(f->dialogs.boxes().first().text, QString("Input/output error"));
        // Only "Chiudi" leads on.
        QCOMPARE(buttons(), (QList<bool>{false, true, true, true}));
        QVERIFY(!f->window->inCorso());
    }

    void badReplyToH_data()
    {
        QTest::addColumn<QByteArray>("reply"); // empty: the logger stays silent
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QList<bool>>("after"); // Start, Stop, Grafici, Chiudi
        const QString connessione = "Errore di connessione.";
        const QString richiesta = "Richiesta dati alla centralina...";
        QTest::newRow("silent") << QByteArray() << "vkdesk" << connessione << richiesta
                                << QList<bool>{true, true, false, true};
        QTest::newRow("empty") << QByteArray("  ,") << "vkdesk" << connessione << richiesta
                               << QList<bool>{true, true, false, true};
        QTest::newRow("not a number") << QByteArray("x3,") << "vkdesk" << connessione << richiesta
                                      << QList<bool>{true, true, false, true};
        QTest::newRow("no channel") << QByteArray("0,") << "Azione annullata"
                                    << "Attivare almeno un canale."
                                    << "Azione annullata" << QList<bool>{true, false, false, true};
    }

    void badReplyToH()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, notice);
        QFETCH(QList<bool>, after);
        if (!reply.isEmpty())
            f->port.replyTo("H 0,", reply);
        f->window->cmdStart();

        QCOMPARE(f->dialogs.boxes().size(), 1);
        QCOMPARE(f->dialogs.boxes().first().title, title);
        QCOMPARE(f->dialogs.boxes().first().text, text);
        QCOMPARE(this->notice()->text(), notice);
        QVERIFY(!this->notice()->isHidden());
        QCOMPARE(buttons(), after);
        QVERIFY(f->dialogs.saveRequests().isEmpty());
        QCOMPARE(QDir(f->dir.path()).entryList(QDir::Files), QStringList());
        QCOMPARE(f->port.written(), QByteArray("H 0,"));
    }

    void cancelledSaveDialogChangesNothingElse()
    {
        f->script(2, {});
        f->window->cmdStart(); // no path queued: the dialog is cancelled
        QCOMPARE(f->dialogs.saveRequests().size(), 1);
        QCOMPARE(buttons(), (QList<bool>{true, true, true, true}));
        QCOMPARE(notice()->text(), QString("Richiesta dati alla centralina..."));
        QVERIFY(!notice()->isHidden());
        QCOMPARE(QDir(f->dir.path()).entryList(QDir::Files), QStringList());
        QCOMPARE(f->port.written(), QByteArray("H 0,"));
    }

    void existingFileIsReplacedAndNeverHoldsTwoRuns()
    {
        QFile old(f->path());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("older content\r\n");
        old.close();
        for (int run = 0; run < 2; ++run) {
            f->script(1, {{QString::number(run)}});
            f->dialogs.saveNext(f->path());
            f->window->cmdStart();
        }
        const QByteArray file = MisContFixture::readFile(f->path());
        QVERIFY(file.startsWith("[INIZIO DATI]\r\nDate,CH 0\r\n"));
        QCOMPARE(file.count("[INIZIO DATI]"), 1);
        QVERIFY(!file.contains("older"));
        QVERIFY(file.contains(",1\r\n"));
        QVERIFY(!file.contains(",0\r\n"));
    }

    void stopWhileIdleThenStart()
    {
        f->window->cmdStop();
        QCOMPARE(notice()->text(), QString("Termino lettura in corso..."));
        QVERIFY(!notice()->isHidden());
        QVERIFY(!button("cmdStop")->isEnabled());

        f->script(1, {{"7"}});
        f->dialogs.saveNext(f->path());
        QString noticeAtStart;
        bool stopEnabledDuringRun = false;
        atCycle(1, [&] { stopEnabledDuringRun = button("cmdStop")->isEnabled(); });
        connect(&f->port, &FakeSerialPort::inputChanged, this, [&] {
            if (noticeAtStart.isEmpty())
                noticeAtStart = notice()->text();
        });
        f->window->cmdStart();
        QCOMPARE(noticeAtStart, QString("Richiesta dati alla centralina..."));
        QVERIFY(stopEnabledDuringRun);
        QVERIFY(MisContFixture::readFile(f->path()).contains(",7\r\n"));
    }

    void cannotBeClosedWhileRunning()
    {
        f->script(1, {{"1"}, {"2"}});
        f->dialogs.saveNext(f->path());
        f->window->show();
        bool closed = true;
        atCycle(2, [&] { closed = f->window->close(); });
        f->window->cmdStart();
        QVERIFY(!closed);
        QVERIFY(f->window->close());
    }

    void chartFollowsTheRunAndClosesSafely()
    {
        f->script(2, {{"1", "10"}, {"2", "20"}, {"3", "30"}});
        f->dialogs.saveNext(f->path());
        QPointer<Grafici> chart;
        QList<int> pointsSeen;
        atCycle(1, [&] {
            f->window->cmdGraf();
            chart = f->window->grafici();
            chart->chkCH(1)->setChecked(true);
        });
        connect(&f->window->griglia(), &QAbstractItemModel::rowsInserted, this, [&] {
            if (chart)
                pointsSeen << int(chart->segmentiCanale(0).first()->count());
        });
        f->window->cmdStart();

        QVERIFY(chart);
        QVERIFY(f->window->GraficoAperto);
        QVERIFY(!button("cmdGraf")->isEnabled()); // one chart at a time
        // Redrawn after each cycle with the channels ticked at that moment.
        QCOMPARE(pointsSeen, (QList<int>{1, 2, 3}));
        QCOMPARE(chart->chkCH(1)->isVisible(), true);
        QCOMPARE(chart->chkCH(2)->isHidden(), true);

        chart->cmdChiudi();
        QVERIFY(!f->window->GraficoAperto);
        QVERIFY(button("cmdGraf")->isEnabled());

        // The continuous window goes while its chart is open; then the chart.
        f->window->cmdGraf();
        chart = f->window->grafici();
        chart->chkCH(0)->setChecked(true);
        f->window.reset();
        chart->cmdDisegna();
        QCOMPARE(chart->segmentiCanale(0).first()->count(), 3);
        chart->cmdChiudi();
        QTRY_VERIFY(!chart);
    }
};

QTEST_MAIN(TestMisCont)
#include "test_miscont.moc"
