#include "ScriptedDialogs.h"
#include "download/mFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The real moves, except that the next `falliscono` moves whose source ends
// with `da` fail, as when another program holds the file.
class MoviTest : public mFile
{
public:
    using mFile::mFile;
    QString da;
    int falliscono = 0;
    QStringList mosse;

protected:
    bool sposta(const QString& origine, const QString& destinazione) override
    {
        mosse << QFileInfo(origine).fileName() + " -> " + QFileInfo(destinazione).fileName();
        if (falliscono > 0 && origine.endsWith(da)) {
            --falliscono;
            return false;
        }
        return mFile::sposta(origine, destinazione);
    }
};

void scrivi(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray leggi(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// The file helpers: existence, deletion and the busy-file test with its box.
class TestMFile : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString file;
    ScriptedDialogs dialogs;

    QStringList elenco() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

private slots:
    void init()
    {
        dialogs.clear();
        for (const QString& f : elenco())
            QFile::remove(dir.filePath(f));
        file = dir.filePath("STAZ1_09_12_23_SENS.txt");
        scrivi(file, "dati\r\n");
    }

    void existsAndDelete()
    {
        QVERIFY(mFile::File_Esiste(file));
        QVERIFY(!mFile::File_Esiste(dir.filePath("manca.txt")));
        QVERIFY(!mFile::File_Esiste(dir.path())); // a folder is not a file
        QVERIFY(!mFile::File_Esiste(QString()));
        mFile::Cancella_File(file);
        QVERIFY(!mFile::File_Esiste(file));
        mFile::Cancella_File(file); // a missing file: nothing happens
        mFile::Cancella_File(dir.path());
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

    void freeFileStaysInPlace()
    {
        MoviTest m(dialogs);
        QCOMPARE(m.Prova_Accesso(file), int(mFile::Libero));
        QVERIFY(!m.File_Occupato(file));
        QVERIFY(dialogs.boxes().isEmpty());
        QCOMPARE(elenco(), QStringList{"STAZ1_09_12_23_SENS.txt"});
        QCOMPARE(leggi(file), QByteArray("dati\r\n"));
        QCOMPARE(m.mosse.first(), "STAZ1_09_12_23_SENS.txt -> STAZ1_09_12_23_SENS.txt.temp");
    }

    void missingFileIsNotBusy()
    {
        MoviTest m(dialogs);
        QVERIFY(!m.File_Occupato(dir.filePath("manca.txt")));
        QVERIFY(dialogs.boxes().isEmpty());
        QVERIFY(m.mosse.isEmpty());
    }

    void busyFileAsksRetryOrCancel()
    {
        MoviTest m(dialogs);
        m.da = "SENS.txt";
        m.falliscono = 1;
        dialogs.answerNext(Dialogs::Answer::Cancel);
        QCOMPARE(m.Prova_Accesso(file), int(mFile::Rinuncia));
        QCOMPARE(dialogs.boxes().size(), 1);
        const ScriptedDialogs::Box& box = dialogs.boxes().first();
        QCOMPARE(box.title, "Azione annullata");
        QCOMPARE(box.text, "Il file " + file +
                               " è occupato. Chiudere le applicazioni che utilizzano il file.");
        QCOMPARE(box.icon, Dialogs::Icon::None);
        QCOMPARE(box.buttons, Dialogs::Buttons::RetryCancel);

        m.falliscono = 1;
        dialogs.answerNext(Dialogs::Answer::Retry);
        QCOMPARE(m.Prova_Accesso(file), int(mFile::Riprova));
    }

    // One box per attempt; the file is freed after two Retry answers.
    void busyRetriedUntilFreeOrGivenUp()
    {
        MoviTest m(dialogs);
        m.da = "SENS.txt";
        m.falliscono = 2;
        dialogs.answerNext(Dialogs::Answer::Retry);
        dialogs.answerNext(Dialogs::Answer::Retry);
        QVERIFY(!m.File_Occupato(file));
        QCOMPARE(dialogs.boxes().size(), 2);

        dialogs.clear();
        m.falliscono = 5;
        dialogs.answerNext(Dialogs::Answer::Retry);
        dialogs.answerNext(Dialogs::Answer::Cancel);
        QVERIFY(m.File_Occupato(file));
        QCOMPARE(dialogs.boxes().size(), 2);
        QCOMPARE(elenco(), QStringList{"STAZ1_09_12_23_SENS.txt"});
    }

    // The way back fails once: the file must not stay under the probe name.
    void neverLeftUnderTheProbeName()
    {
        MoviTest m(dialogs);
        m.da = ".temp";
        m.falliscono = 1;
        dialogs.answerNext(Dialogs::Answer::Cancel);
        QCOMPARE(m.Prova_Accesso(file), int(mFile::Rinuncia));
        QCOMPARE(elenco(), QStringList{"STAZ1_09_12_23_SENS.txt"});
        QCOMPARE(leggi(file), QByteArray("dati\r\n"));

        // Even when every move back fails, the file is copied back.
        m.falliscono = 100;
        dialogs.answerNext(Dialogs::Answer::Cancel);
        m.Prova_Accesso(file);
        QCOMPARE(elenco(), QStringList{"STAZ1_09_12_23_SENS.txt"});
        QCOMPARE(leggi(file), QByteArray("dati\r\n"));
    }

    // A file of the user's that already has the probe name is neither
    // replaced nor a reason to call the file busy.
    void existingProbeNameUntouched()
    {
        scrivi(file + ".temp", "altro");
        MoviTest m(dialogs);
        QCOMPARE(m.Prova_Accesso(file), int(mFile::Libero));
        QVERIFY(dialogs.boxes().isEmpty());
        QCOMPARE(leggi(file + ".temp"), QByteArray("altro"));
        QCOMPARE(leggi(file), QByteArray("dati\r\n"));
        QCOMPARE(elenco().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestMFile)
#include "test_mfile.moc"
