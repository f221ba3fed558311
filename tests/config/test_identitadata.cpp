#include "PaginaConfig.h"
#include "config/IdentitaData.h"
#include "startup/ui_Form1.h" // here, where the build looks for the forms used

#include <QtTest>

#include <memory>

// Identifier, clock and start date against a scripted logger: the bytes on
// the wire, what the boxes show and in which colour, and the refusals that
// keep the logger out of it.
class TestIdentitaData : public QObject
{
    Q_OBJECT

    std::unique_ptr<PaginaConfig> p;
    std::unique_ptr<IdentitaData> op;

    enum Riga
    {
        Orologio,
        Start
    };

    QList<QLineEdit*> caselle(int riga) const
    {
        if (riga == Orologio)
            return {p->ui.data_0, p->ui.data_1, p->ui.data_2, p->ui.data_3, p->ui.data_4};
        return {p->ui.data_allarme_0, p->ui.data_allarme_1, p->ui.data_allarme_2,
                p->ui.data_allarme_3, p->ui.data_allarme_4};
    }
    void scrivi(int riga) { riga == Orologio ? op->impostadata() : op->ScriviDataAllarme(); }
    void leggi(int riga) { riga == Orologio ? op->leggidata() : op->LeggiDataAllarme(); }
    static QByteArray letteraLettura(int riga) { return riga == Orologio ? "G" : "Y"; }
    static QByteArray letteraScrittura(int riga) { return riga == Orologio ? "g" : "y"; }

    void riempi(int riga, const QStringList& testi)
    {
        const QList<QLineEdit*> c = caselle(riga);
        for (int i = 0; i < c.size(); ++i) {
            c[i]->setText(testi[i]);
            FieldColours::setColour(c[i], FieldColours::Edited);
        }
    }
    QStringList testi(int riga) const
    {
        QStringList t;
        for (const QLineEdit* c : caselle(riga))
            t << c->text();
        return t;
    }
    void verificaColore(int riga, FieldColours::FieldColour atteso)
    {
        for (const QLineEdit* c : caselle(riga))
            QCOMPARE(PaginaConfig::colore(c), atteso);
    }
    // A refused write sends nothing, keeps what was typed, red, and says why once.
    void verificaRifiuto(int riga, const QStringList& digitati)
    {
        QVERIFY(p->scritto().isEmpty());
        QCOMPARE(testi(riga), digitati);
        verificaColore(riga, FieldColours::Edited);
        QCOMPARE(p->dialogs.boxes().size(), 1);
    }

    void righe_data()
    {
        QTest::addColumn<int>("riga");
        QTest::newRow("clock") << int(Orologio);
        QTest::newRow("start date") << int(Start);
    }

private slots:
    void init()
    {
        p = std::make_unique<PaginaConfig>();
        op = std::make_unique<IdentitaData>(p->ui, p->link, p->dialogs);
    }
    void cleanup()
    {
        // Every path, refusals included, leaves the device commands usable.
        QVERIFY(p->comandiAbilitati());
        op.reset();
        p.reset();
    }

    void identifierReadIsTrimmedAndConfirmed()
    {
        p->port.replyTo("Q", "  A12 ,");
        op->leggi_nome();
        QCOMPARE(p->scritto(), QByteArray("Q"));
        QCOMPARE(p->ui.Nome_Centralina->text(), QString("A12"));
        QCOMPARE(PaginaConfig::colore(p->ui.Nome_Centralina), FieldColours::Confirmed);
    }

    void identifierReadLocksTheCommandsWhileWaiting()
    {
        bool bloccato = false;
        bool startLibero = false;
        p->clock.scheduleIn(0.5, [&] {
            bloccato = !p->ui.leggi_nome->isEnabled() && !p->ui.LEGGI_GSM->isEnabled();
            startLibero = p->ui.LeggiDataAllarme->isEnabled() && p->ui.Subito->isEnabled();
            p->port.feed("X,");
        });
        op->leggi_nome();
        QVERIFY(bloccato);
        QVERIFY(startLibero);
        QCOMPARE(p->ui.Nome_Centralina->text(), QString("X"));
    }

    void identifierWrite_data()
    {
        QTest::addColumn<QString>("digitato");
        QTest::addColumn<QByteArray>("filo");
        QTest::addColumn<QString>("mostrato");
        QTest::newRow("blanks around") << "  Site3 " << QByteArray("qSite3,") << "Site3";
        QTest::newRow("empty") << "" << QByteArray("q,") << "";
        QTest::newRow("inner blank kept") << "Diga 2" << QByteArray("qDiga 2,") << "Diga 2";
    }
    void identifierWrite()
    {
        QFETCH(QString, digitato);
        QFETCH(QByteArray, filo);
        QFETCH(QString, mostrato);
        p->ui.Nome_Centralina->setText(digitato);
        FieldColours::setColour(p->ui.Nome_Centralina, FieldColours::Edited);

        op->imposta_nome();

        QCOMPARE(p->scritto(), filo);
        QCOMPARE(p->ui.Nome_Centralina->text(), mostrato);
        QCOMPARE(PaginaConfig::colore(p->ui.Nome_Centralina), FieldColours::Confirmed);
        QVERIFY(p->dialogs.boxes().isEmpty());
    }

    void identifierWithCommaIsRefused()
    {
        p->ui.Nome_Centralina->setText("Diga,Nord");
        FieldColours::setColour(p->ui.Nome_Centralina, FieldColours::Edited);

        op->imposta_nome();

        QVERIFY(p->scritto().isEmpty());
        QCOMPARE(p->ui.Nome_Centralina->text(), QString("Diga,Nord"));
        QCOMPARE(PaginaConfig::colore(p->ui.Nome_Centralina), FieldColours::Edited);
        QCOMPARE(p->dialogs.boxes().size(), 1);
        QVERIFY(p->dialogs.boxes()[0].text.contains("Identificativo"));
        QVERIFY(p->dialogs.boxes()[0].text.contains("virgola"));
    }

    void dateRead_data()
    {
        QTest::addColumn<int>("riga");
        QTest::addColumn<QByteArray>("risposta");
        QTest::addColumn<QStringList>("mostrati");
        QTest::newRow("clock: zeros dropped, hours padded")
            << int(Orologio) << QByteArray("05,03,2024,9,5,")
            << QStringList{"5", "3", "2024", "09", "05"};
        QTest::newRow("clock: blanks around numbers")
            << int(Orologio) << QByteArray(" 31, 12 ,1999, 23 ,59,")
            << QStringList{"31", "12", "1999", "23", "59"};
        QTest::newRow("start date: sixth field dropped")
            << int(Start) << QByteArray("1,1,2000,00,00,7,")
            << QStringList{"1", "1", "2000", "00", "00"};
        QTest::newRow("hour that is no number shown as received")
            << int(Start) << QByteArray("12,6,2025,x1,30,0,")
            << QStringList{"12", "6", "2025", "x1", "30"};
    }
    void dateRead()
    {
        QFETCH(int, riga);
        QFETCH(QByteArray, risposta);
        QFETCH(QStringList, mostrati);
        p->port.replyTo(letteraLettura(riga) + ",", risposta);

        leggi(riga);

        QCOMPARE(p->scritto(), letteraLettura(riga) + ",");
        QCOMPARE(testi(riga), mostrati);
        verificaColore(riga, FieldColours::Confirmed);
        QVERIFY(p->link.BufferRicezione().isEmpty());
    }

    void silentLoggerCostsOneTimeoutNotOnePerField_data() { righe_data(); }
    void silentLoggerCostsOneTimeoutNotOnePerField()
    {
        QFETCH(int, riga);
        const double inizio = p->clock.now();

        leggi(riga);

        QCOMPARE(testi(riga), (QStringList{"0", "0", "0", "%%", "%%"}));
        verificaColore(riga, FieldColours::Confirmed);
        QVERIFY(p->clock.now() - inizio < 2 * Modulo1::TimeoutRisposta);
    }

    void dateWriteSendsBoxesAsTypedThenReadsBack_data()
    {
        QTest::addColumn<int>("riga");
        QTest::addColumn<QStringList>("digitati");
        QTest::addColumn<QByteArray>("parametri");
        const QStringList tipico{"5", "3", "2024", "14", "07"};
        for (int riga : {int(Orologio), int(Start)}) {
            const char* r = riga == Orologio ? "clock" : "start";
            QTest::addRow("%s: year as years since 1900", r)
                << riga << tipico << QByteArray("5,3, 124,14,07,");
            QTest::addRow("%s: empty year", r)
                << riga << QStringList{"5", "3", "", "14", "07"} << QByteArray("5,3,-1900,14,07,");
            QTest::addRow("%s: day and month not tested", r)
                << riga << QStringList{"45", "13", "2024", "7", "0"}
                << QByteArray("45,13, 124,7,0,");
            QTest::addRow("%s: letters in the hour count as 0", r)
                << riga << QStringList{"1", "2", "2025", "ab", "59"}
                << QByteArray("1,2, 125,ab,59,");
            QTest::addRow("%s: bounds included", r)
                << riga << QStringList{" 1", "1 ", "1900", "23", "59"}
                << QByteArray(" 1,1 , 0,23,59,");
        }
    }
    void dateWriteSendsBoxesAsTypedThenReadsBack()
    {
        QFETCH(int, riga);
        QFETCH(QStringList, digitati);
        QFETCH(QByteArray, parametri);
        riempi(riga, digitati);
        p->port.replyTo(letteraLettura(riga) + ",", "5,3,2024,7,0,0,");

        scrivi(riga);

        QCOMPARE(p->scritto(), letteraScrittura(riga) + parametri + letteraLettura(riga) + ",");
        QCOMPARE(testi(riga), (QStringList{"5", "3", "2024", "07", "00"}));
        verificaColore(riga, FieldColours::Confirmed);
        QVERIFY(p->dialogs.boxes().isEmpty());
        QCOMPARE(p->dialogs.beeps(), 0);
    }

    void dateWriteWithBadTimeIsRefused_data()
    {
        QTest::addColumn<int>("riga");
        QTest::addColumn<QString>("ore");
        QTest::addColumn<QString>("minuti");
        for (int riga : {int(Orologio), int(Start)}) {
            const char* r = riga == Orologio ? "clock" : "start";
            QTest::addRow("%s: hour 24", r) << riga << "24"
                                            << "00";
            QTest::addRow("%s: hour -1", r) << riga << "-1"
                                            << "00";
            QTest::addRow("%s: minute 60", r) << riga << "12"
                                              << "60";
            QTest::addRow("%s: minute -1", r) << riga << "12"
                                              << "-1";
        }
    }
    void dateWriteWithBadTimeIsRefused()
    {
        QFETCH(int, riga);
        QFETCH(QString, ore);
        QFETCH(QString, minuti);
        const QStringList digitati{"5", "3", "2024", ore, minuti};
        riempi(riga, digitati);

        scrivi(riga);

        verificaRifiuto(riga, digitati);
        const ScriptedDialogs::Box& box = p->dialogs.boxes()[0];
        QCOMPARE(box.text, QString("Controlla i dati inseriti! "));
        QCOMPARE(box.title, QString("Attenzione!!"));
        QCOMPARE(box.icon, Dialogs::Icon::Information);
        QCOMPARE(p->dialogs.beeps(), 1);
    }

    void dateWriteWithCommaIsRefusedNamingTheBox_data()
    {
        QTest::addColumn<int>("riga");
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("nome");
        const QStringList nomi{"Giorno", "Mese", "Anno", "Ore", "Min"};
        for (int riga : {int(Orologio), int(Start)})
            for (int campo = 0; campo < nomi.size(); ++campo)
                QTest::addRow("%s: %s", riga == Orologio ? "clock" : "start",
                              qPrintable(nomi[campo]))
                    << riga << campo
                    << QString("\"%1\" %2")
                           .arg(nomi[campo],
                                riga == Orologio ? "della Data Attuale" : "della Data Start");
    }
    void dateWriteWithCommaIsRefusedNamingTheBox()
    {
        QFETCH(int, riga);
        QFETCH(int, campo);
        QFETCH(QString, nome);
        QStringList digitati{"5", "3", "2024", "14", "07"};
        digitati[campo] = "1,2";
        riempi(riga, digitati);

        scrivi(riga);

        verificaRifiuto(riga, digitati);
        QVERIFY2(p->dialogs.boxes()[0].text.contains(nome), qPrintable(p->dialogs.boxes()[0].text));
    }

    void measureNowSendsFixedStartDate()
    {
        // The date boxes are not sent, so whatever they hold does not matter.
        riempi(Start, {"x,y", "", "1,", "10", "30"});
        p->port.replyTo("Y,", "1,1,2000,00,00,0,");

        op->Subito();

        QCOMPARE(p->scritto(), QByteArray("y1,1,100,00,00,Y,"));
        QCOMPARE(testi(Start), (QStringList{"1", "1", "2000", "00", "00"}));
        verificaColore(Start, FieldColours::Confirmed);
        QVERIFY(p->dialogs.boxes().isEmpty());
    }

    void measureNowRefusesBadStartTime()
    {
        riempi(Start, {"1", "1", "2024", "25", "00"});

        op->Subito();

        QVERIFY(p->scritto().isEmpty());
        verificaColore(Start, FieldColours::Edited);
        QCOMPARE(p->dialogs.boxes().size(), 1);
        QCOMPARE(p->dialogs.boxes()[0].text, QString("Controlla i dati inseriti! "));
        QCOMPARE(p->dialogs.beeps(), 1);
    }

    void typingMarksEachBoxEdited_data()
    {
        QTest::addColumn<QString>("casella");
        for (const char* nome :
             {"Nome_Centralina", "data_0", "data_1", "data_2", "data_3", "data_4", "data_allarme_0",
              "data_allarme_1", "data_allarme_2", "data_allarme_3", "data_allarme_4"})
            QTest::newRow(nome) << nome;
    }
    void typingMarksEachBoxEdited()
    {
        QFETCH(QString, casella);
        auto* box = p->finestra.findChild<QLineEdit*>(casella);
        QVERIFY(box);
        FieldColours::setColour(box, FieldColours::Confirmed);
        QTest::keyClick(box, Qt::Key_Right);
        QCOMPARE(PaginaConfig::colore(box), FieldColours::Confirmed);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(PaginaConfig::colore(box), FieldColours::Edited);
        FieldColours::setColour(box, FieldColours::Confirmed);
        PaginaConfig::digita(box, "7");
        QCOMPARE(PaginaConfig::colore(box), FieldColours::Edited);
    }

    void buttonsRunTheirOperations()
    {
        p->port.replyTo("Q", "N1,");
        p->ui.leggi_nome->click();
        QCOMPARE(p->ui.Nome_Centralina->text(), QString("N1"));
        p->port.clearWrites();
        p->ui.Subito->click();
        QVERIFY(p->scritto().startsWith("y1,1,100,00,00,"));
    }
};

QTEST_MAIN(TestIdentitaData)
#include "test_identitadata.moc"
