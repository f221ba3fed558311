#include "common/SettingsFields.h"
#include "common/TextForms.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>
#include <unistd.h>

using Lines = QList<QStringList>;
using Numbers = QList<double>;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestSettingsFields : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void parseNumbers_data();
    void parseNumbers();
    void field_data();
    void field();

    void readsFileWithCrLfQuotesAndLatin1();
    void writesCrLfLatin1Bytes();
    void directoryRoundTripKeepsLayout();
    void unquotedCommaShiftsLaterFields();
    void portFileAsFormattedPrint();
    void missingFile();
    void unreadablePath();
    void readOnlyFileIsNotWritten();
    void unwritablePath();
    void createIfMissing();
    void numbersUsePointUnderCommaLocale();

private:
    QTemporaryDir m_dir;
};

void TestSettingsFields::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Lines>("expected");
    QTest::newRow("empty file") << "" << Lines{};
    QTest::newRow("one line") << "abc\r\n" << Lines{{"abc"}};
    QTest::newRow("no final line end") << "abc" << Lines{{"abc"}};
    QTest::newRow("leading blanks skipped") << "   abc\r\n" << Lines{{"abc"}};
    QTest::newRow("trailing blanks dropped") << "abc  \r\n" << Lines{{"abc"}};
    QTest::newRow("inner blanks kept") << "Cava Nord 2\r\n" << Lines{{"Cava Nord 2"}};
    QTest::newRow("comma splits") << "a, b,c\r\n" << Lines{{"a", "b", "c"}};
    QTest::newRow("empty line is one empty field") << "a\r\n\r\nc\r\n" << Lines{{"a"}, {""}, {"c"}};
    QTest::newRow("comma at line end") << "a,\r\nb\r\n" << Lines{{"a", ""}, {"b"}};
    QTest::newRow("empty fields between commas") << ",,\r\n" << Lines{{"", "", ""}};
    QTest::newRow("quotes hold commas") << "\"a,b\",c\r\n" << Lines{{"a,b", "c"}};
    QTest::newRow("quotes keep blanks") << "  \"  x \"\r\n" << Lines{{"  x "}};
    QTest::newRow("after closing quote ignored") << "\"ab\"cd,e\r\n" << Lines{{"ab", "e"}};
    QTest::newRow("unclosed quote runs to line end") << "\"a,b\r\nc\r\n" << Lines{{"a,b"}, {"c"}};
    QTest::newRow("quote inside unquoted field") << "5\"x\r\n" << Lines{{"5\"x"}};
    QTest::newRow("LF only") << "a\nb\n" << Lines{{"a"}, {"b"}};
    QTest::newRow("CR only") << "a\rb" << Lines{{"a"}, {"b"}};
    QTest::newRow("formatted number") << " 3 \r\n" << Lines{{"3"}};
}

void TestSettingsFields::parse()
{
    QFETCH(QString, text);
    QFETCH(Lines, expected);
    QCOMPARE(SettingsFields::parse(text), expected);

    QStringList flat;
    for (const QStringList& line : expected)
        flat += line;
    QCOMPARE(SettingsFields::parseFields(text), flat);
}

void TestSettingsFields::parseNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Numbers>("expected");
    QTest::newRow("empty") << "" << Numbers{};
    QTest::newRow("blanks and line ends only") << "  \r\n \r\n" << Numbers{};
    QTest::newRow("formatted print") << " 3 \r\n" << Numbers{3};
    QTest::newRow("blanks, commas and lines") << "1 2,3\r\n 4\r\n" << Numbers{1, 2, 3, 4};
    QTest::newRow("non-number counts as 0") << "7 abc\r\n" << Numbers{7, 0};
    QTest::newRow("decimal") << "-2.5\r\n" << Numbers{-2.5};
}

void TestSettingsFields::parseNumbers()
{
    QFETCH(QString, text);
    QFETCH(Numbers, expected);
    QCOMPARE(SettingsFields::parseNumbers(text), expected);
}

void TestSettingsFields::field_data()
{
    using Q = SettingsFields::Quoting;
    QTest::addColumn<QString>("text");
    QTest::addColumn<SettingsFields::Quoting>("quoting");
    QTest::addColumn<QString>("expected");
    QTest::newRow("never: comma kept as is") << "a,b" << Q::Never << "a,b";
    QTest::newRow("never: blanks kept") << "  x" << Q::Never << "  x";
    QTest::newRow("always") << "abc" << Q::Always << "\"abc\"";
    QTest::newRow("always empty") << "" << Q::Always << "\"\"";
    QTest::newRow("as needed: plain") << "Cava Nord" << Q::AsNeeded << "Cava Nord";
    QTest::newRow("as needed: empty") << "" << Q::AsNeeded << "";
    QTest::newRow("as needed: comma") << "a,b" << Q::AsNeeded << "\"a,b\"";
    QTest::newRow("as needed: leading blanks") << "  x" << Q::AsNeeded << "\"  x\"";
    QTest::newRow("as needed: trailing blank") << "x " << Q::AsNeeded << "\"x \"";
    QTest::newRow("as needed: leading quote") << "\"x" << Q::AsNeeded << "\"'x\"";
    QTest::newRow("as needed: inner quote alone") << "5\"" << Q::AsNeeded << "5\"";
    QTest::newRow("quoting replaces inner quote") << "a\",b" << Q::AsNeeded << "\"a',b\"";
}

void TestSettingsFields::field()
{
    QFETCH(QString, text);
    QFETCH(SettingsFields::Quoting, quoting);
    QFETCH(QString, expected);
    const QString written = SettingsFields::field(text, quoting);
    QCOMPARE(written, expected);
    // Whatever is quoted reads back as the text (inner quotes aside).
    if (quoting != SettingsFields::Quoting::Never && !text.contains(u'"'))
        QCOMPARE(SettingsFields::parseFields(written + "\r\n"), QStringList{text});
}

void TestSettingsFields::readsFileWithCrLfQuotesAndLatin1()
{
    const QString path = m_dir.filePath("modem.ini");
    QVERIFY(writeBytes(path, "Citt\xe0 alta\r\n  +39 035 1234\r\n\"01/02/2026, rinnovo\",x\r\n"));
    QString error;
    const std::optional<Lines> lines = SettingsFields::readFile(path, &error);
    QVERIFY2(lines, qPrintable(error));
    QCOMPARE(
        *lines,
        (Lines{{QString::fromUtf8("Città alta")}, {"+39 035 1234"}, {"01/02/2026, rinnovo", "x"}}));
    const std::optional<QStringList> fields = SettingsFields::readFields(path);
    QVERIFY(fields);
    QCOMPARE(fields->size(), 4);
}

void TestSettingsFields::writesCrLfLatin1Bytes()
{
    const QString path = m_dir.filePath("last.ini");
    QVERIFY(writeBytes(path, "an older and much longer content\r\n"));
    QString error;
    QVERIFY2(SettingsFields::writeFile(
                 path, {QString::fromUtf8("Città"), "", QString::fromUtf8("€ ok")}, &error),
             qPrintable(error));
    // Truncated, CR LF after every line, Latin-1 with '?' for what it lacks.
    QCOMPARE(readBytes(path), QByteArray("Citt\xe0\r\n\r\n? ok\r\n"));
}

void TestSettingsFields::directoryRoundTripKeepsLayout()
{
    // The logger directory: three lines per entry, many of them empty.
    QStringList written;
    for (int i = 0; i < 70; ++i)
        written << (i % 3 ? QString() : QStringLiteral("Site%1").arg(i)) << QString()
                << QStringLiteral("12/05/2026");
    const QString path = m_dir.filePath("directory.ini");
    QVERIFY(SettingsFields::writeFile(path, written));
    const std::optional<QStringList> read = SettingsFields::readFields(path);
    QVERIFY(read);
    QCOMPARE(read->size(), 210);
    QCOMPARE(*read, written);
}

void TestSettingsFields::unquotedCommaShiftsLaterFields()
{
    const QString path = m_dir.filePath("shift.ini");
    QVERIFY(SettingsFields::writeFile(path, {"Nord,Sud", "333", "2026"}));
    QCOMPARE(SettingsFields::readFields(path).value(), (QStringList{"Nord", "Sud", "333", "2026"}));

    QVERIFY(SettingsFields::writeFile(
        path, {SettingsFields::line({"Nord,Sud", "333"}, SettingsFields::Quoting::AsNeeded)}));
    QCOMPARE(readBytes(path), QByteArray("\"Nord,Sud\",333\r\n"));
    QCOMPARE(SettingsFields::readFields(path).value(), (QStringList{"Nord,Sud", "333"}));
}

void TestSettingsFields::portFileAsFormattedPrint()
{
    const QString path = m_dir.filePath("port.ini");
    QVERIFY(SettingsFields::writeFile(path, {SettingsFields::printNumber(3)}));
    QCOMPARE(readBytes(path), QByteArray(" 3 \r\n"));
    QCOMPARE(SettingsFields::readNumbers(path).value(), Numbers{3});
    QCOMPARE(SettingsFields::printNumber(-2.5), QStringLiteral("-2.5 "));

    // Several numbers: the reader sees them all; callers keep the last.
    QVERIFY(writeBytes(path, " 3 \r\n4, 5\r\n"));
    QCOMPARE(SettingsFields::readNumbers(path).value(), (Numbers{3, 4, 5}));
}

void TestSettingsFields::missingFile()
{
    const QString path = m_dir.filePath("absent.ini");
    QString error;
    QVERIFY(!SettingsFields::readFile(path, &error));
    QVERIFY(error.contains(path));
    error.clear();
    QVERIFY(!SettingsFields::readNumbers(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!SettingsFields::readFields(path)); // no error text asked for
}

void TestSettingsFields::unreadablePath()
{
    // A folder where a file is expected cannot be read, even by root.
    const QString path = m_dir.filePath("folder.ini");
    QVERIFY(QDir(m_dir.path()).mkdir("folder.ini"));
    QString error;
    QVERIFY(!SettingsFields::readText(path, &error));
    QVERIFY(!error.isEmpty());
}

void TestSettingsFields::readOnlyFileIsNotWritten()
{
    if (geteuid() == 0)
        QSKIP("file permissions do not bind root");
    const QString path = m_dir.filePath("readonly.ini");
    QVERIFY(writeBytes(path, " 2 \r\n"));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    QString error;
    QVERIFY(!SettingsFields::writeFile(path, {SettingsFields::printNumber(5)}, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readBytes(path), QByteArray(" 2 \r\n"));
    QVERIFY(SettingsFields::createIfMissing(path)); // exists: nothing to do
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

void TestSettingsFields::unwritablePath()
{
    QString error;
    QVERIFY(!SettingsFields::writeFile(m_dir.filePath("no/such/folder/tl.ini"), {"1"}, &error));
    QVERIFY(!error.isEmpty());
    error.clear();
    QVERIFY(!SettingsFields::createIfMissing(m_dir.filePath("no/such/folder/tl.ini"), &error));
    QVERIFY(!error.isEmpty());
}

void TestSettingsFields::createIfMissing()
{
    const QString path = m_dir.filePath("created.ini");
    QVERIFY(SettingsFields::createIfMissing(path));
    QCOMPARE(readBytes(path), QByteArray());
    QCOMPARE(SettingsFields::readFile(path).value(), Lines{});
    QCOMPARE(SettingsFields::readNumbers(path).value(), Numbers{});

    QVERIFY(writeBytes(path, "keep\r\n"));
    QVERIFY(SettingsFields::createIfMissing(path));
    QCOMPARE(readBytes(path), QByteArray("keep\r\n"));
}

void TestSettingsFields::numbersUsePointUnderCommaLocale()
{
    const QLocale previous;
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    std::setlocale(LC_ALL, "it_IT.UTF-8"); // may be missing; the Qt default still applies

    const QString path = m_dir.filePath("numbers.ini");
    QVERIFY(SettingsFields::writeFile(
        path, {SettingsFields::printNumber(2.5), TextForms::plainText(-0.25),
               SettingsFields::line({TextForms::plainText(1234.5), TextForms::signedText(0.75)},
                                    SettingsFields::Quoting::Never)}));
    QCOMPARE(readBytes(path), QByteArray(" 2.5 \r\n-0.25\r\n1234.5, 0.75\r\n"));
    QCOMPARE(SettingsFields::readNumbers(path).value(), (Numbers{2.5, -0.25, 1234.5, 0.75}));

    std::setlocale(LC_ALL, previousC.c_str());
    QLocale::setDefault(previous);
}

QTEST_GUILESS_MAIN(TestSettingsFields)
#include "test_settingsfields.moc"
