#include "common/TextForms.h"

#include <QLocale>
#include <QtTest>

#include <clocale>

class TestTextForms : public QObject
{
    Q_OBJECT

private slots:
    void value_data();
    void value();
    void isNumber_data();
    void isNumber();
    void signedText_data();
    void signedText();
    void plainText_data();
    void plainText();
    void format_data();
    void format();
    void formatText_data();
    void formatText();
    void pointUnderCommaLocale();
};

void TestTextForms::value_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("timeout marker") << "%%" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks only") << "   " << 0.0;
    QTest::newRow("leading blank, trailing letters") << " 12abc" << 12.0;
    QTest::newRow("negative decimal") << "-3.5x" << -3.5;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("lone sign") << "-" << 0.0;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("exponent not read") << "1e5" << 1.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("negative point first") << "-.25" << -0.25;
    QTest::newRow("trailing point") << "12." << 12.0;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
    QTest::newRow("comma ends it") << "3,5" << 3.0;
    QTest::newRow("reply field with comma") << " 812.4," << 812.4;
    QTest::newRow("tab skipped") << "\t42" << 42.0;
    QTest::newRow("blank after sign ends it") << "- 5" << 0.0;
    QTest::newRow("leading zeros") << "007" << 7.0;
    QTest::newRow("letters first") << "abc12" << 0.0;
}

void TestTextForms::value()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(TextForms::value(text), expected);
}

void TestTextForms::isNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("integer") << "12" << true;
    QTest::newRow("blanks around") << " -3.5 " << true;
    QTest::newRow("point first") << ".5" << true;
    QTest::newRow("plus") << "+7" << true;
    QTest::newRow("marker") << "%%" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("lone point") << "." << false;
    QTest::newRow("trailing letters") << "12abc" << false;
    QTest::newRow("two numbers") << "1 2" << false;
}

void TestTextForms::isNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(TextForms::isNumber(text), expected);
}

void TestTextForms::signedText_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("count") << 16.0 << " 16";
    QTest::newRow("negative") << -5.0 << "-5";
    QTest::newRow("year offset") << 124.0 << " 124";
    QTest::newRow("fraction") << 2.5 << " 2.5";
    QTest::newRow("negative fraction") << -0.25 << "-0.25";
}

void TestTextForms::signedText()
{
    QFETCH(double, number);
    QFETCH(QString, expected);
    QCOMPARE(TextForms::signedText(number), expected);
}

void TestTextForms::plainText_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fraction") << 2.5 << "2.5";
    QTest::newRow("negative fraction") << -0.25 << "-0.25";
    QTest::newRow("no grouping") << 100000.0 << "100000";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("binary noise hidden") << 0.1 + 0.2 << "0.3";
    QTest::newRow("beyond 15 digits") << 1e15 << "1E+15";
}

void TestTextForms::plainText()
{
    QFETCH(double, number);
    QFETCH(QString, expected);
    QCOMPARE(TextForms::plainText(number), expected);
}

void TestTextForms::format_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    QTest::newRow("00 pads") << 7.0 << "00"
                             << "07";
    QTest::newRow("00 keeps long") << 123.0 << "00"
                                   << "123";
    QTest::newRow("00 rounds") << 6.5 << "00"
                               << "07";
    QTest::newRow("000 pads") << 5.0 << "000"
                              << "005";
    QTest::newRow("000 zero") << 0.0 << "000"
                              << "000";
    QTest::newRow("00000 pads") << 1500.0 << "00000"
                                << "01500";
    QTest::newRow("00000 negative") << -15.0 << "00000"
                                    << "-00015";

    QTest::newRow("00.00 pads integer") << 4.98 << "00.00"
                                        << "04.98";
    QTest::newRow("00.00 pads decimals") << 12.6 << "00.00"
                                         << "12.60";
    QTest::newRow("00.00 decimal rounding") << 1.005 << "00.00"
                                            << "01.01";
    QTest::newRow("00.00 carry") << 9.999 << "00.00"
                                 << "10.00";

    QTest::newRow("000.0 temperature") << 23.5 << "000.0"
                                       << "023.5";
    QTest::newRow("000.0 negative") << -5.2 << "000.0"
                                    << "-005.2";
    QTest::newRow("000.0 zero") << 0.0 << "000.0"
                                << "000.0";
    QTest::newRow("000.0 top of range") << 80.0 << "000.0"
                                        << "080.0";
    QTest::newRow("000.0 half away from zero") << 2.25 << "000.0"
                                               << "002.3";
    QTest::newRow("000.0 negative half") << -2.25 << "000.0"
                                         << "-002.3";
    QTest::newRow("000.0 carry into new digit") << 999.96 << "000.0"
                                                << "1000.0";
    QTest::newRow("000.0 negative rounds to zero") << -0.04 << "000.0"
                                                   << "000.0";
    QTest::newRow("000.0 small") << 0.05 << "000.0"
                                 << "000.1";

    const QString analog = QStringLiteral("######0.0##");
    QTest::newRow("analog one decimal") << 812.4 << analog << "812.4";
    QTest::newRow("analog integer") << 2500.0 << analog << "2500.0";
    QTest::newRow("analog three decimals max") << 0.12345 << analog << "0.123";
    QTest::newRow("analog no grouping") << 6250.0 << analog << "6250.0";
    QTest::newRow("analog two decimals") << 1.25 << analog << "1.25";
    QTest::newRow("analog zero") << 0.0 << analog << "0.0";
    QTest::newRow("analog negative") << -0.0005 << analog << "-0.001";
    QTest::newRow("analog beyond hashes") << 123456789.5 << analog << "123456789.5";
    QTest::newRow("analog round to integer") << 2.9996 << analog << "3.0";

    QTest::newRow("hash only, zero") << 0.0 << "#"
                                     << "";
    QTest::newRow("optional decimals keep point") << 5.0 << "0.##"
                                                  << "5.";
}

void TestTextForms::format()
{
    QFETCH(double, number);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(TextForms::format(number, pattern), expected);
}

void TestTextForms::formatText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("reply hour") << "7"
                                << "00"
                                << "07";
    QTest::newRow("marker stays") << "%%"
                                  << "00"
                                  << "%%";
    QTest::newRow("marker stays analog") << "%%"
                                         << "######0.0##"
                                         << "%%";
    QTest::newRow("empty stays") << ""
                                 << "000"
                                 << "";
    QTest::newRow("mixed text stays") << "12abc"
                                      << "000"
                                      << "12abc";
    QTest::newRow("blanks around a number") << " 5 "
                                            << "000"
                                            << "005";
    QTest::newRow("analog reply") << "2500"
                                  << "######0.0##"
                                  << "2500.0";
    QTest::newRow("signed temperature") << "-5.2"
                                        << "000.0"
                                        << "-005.2";
}

void TestTextForms::formatText()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(TextForms::formatText(text, pattern), expected);
}

void TestTextForms::pointUnderCommaLocale()
{
    const QLocale previous;
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // Not every system has the Italian C locale installed; the Qt default
    // above is then the part that matters.
    std::setlocale(LC_ALL, "it_IT.UTF-8");

    QCOMPARE(TextForms::plainText(2.5), QStringLiteral("2.5"));
    QCOMPARE(TextForms::plainText(1234567.0), QStringLiteral("1234567"));
    QCOMPARE(TextForms::signedText(-0.25), QStringLiteral("-0.25"));
    QCOMPARE(TextForms::format(4.98, u"00.00"), QStringLiteral("04.98"));
    QCOMPARE(TextForms::format(6250.0, u"######0.0##"), QStringLiteral("6250.0"));
    QCOMPARE(TextForms::value(u"3.75"), 3.75);
    QCOMPARE(TextForms::value(u"3,75"), 3.0);

    std::setlocale(LC_ALL, previousC.c_str());
    QLocale::setDefault(previous);
}

QTEST_GUILESS_MAIN(TestTextForms)
#include "test_textforms.moc"
