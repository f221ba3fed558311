#include "common/FieldColours.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

class TestFieldColours : public QObject
{
    Q_OBJECT

private slots:
    void designValues();
    void threeStates();
    void designColourIsItsOwnToRead();
    void labelShowsItToo();
};

void TestFieldColours::designValues()
{
    // &H00BBGGRR: the low byte is red.
    QCOMPARE(FieldColours::fromBgr(0x0000C000), QColor(0, 192, 0));
    QCOMPARE(FieldColours::fromBgr(0x00FF0080), QColor(128, 0, 255));
    QCOMPARE(FieldColours::confirmedColour(), QColor(255, 255, 0));
    QCOMPARE(FieldColours::editedColour(), QColor(255, 0, 0));
    QCOMPARE(FieldColours::toReadColour(), QColor(255, 255, 128));
}

void TestFieldColours::threeStates()
{

    QLineEdit box;
    QCOMPARE(FieldColours::colourOf(&box), FieldColours::Other);
    const FieldColours::FieldColour sequence[] = {FieldColours::ToRead, FieldColours::Edited,
                                                  FieldColours::Confirmed, FieldColours::ToRead};
    for (FieldColours::FieldColour colour : sequence) {
        FieldColours::setColour(&box, colour);
        QCOMPARE(FieldColours::colourOf(&box), colour);
        QVERIFY(box.autoFillBackground());
    }
    QCOMPARE(box.palette().color(QPalette::Base), FieldColours::toReadColour());
}

void TestFieldColours::designColourIsItsOwnToRead()
{
    const QColor paler = FieldColours::fromBgr(0x00C0FFFF);
    QCOMPARE(paler, QColor(255, 255, 192));
    QLineEdit channelCount;
    FieldColours::setDesignColour(&channelCount, paler);
    QCOMPARE(FieldColours::colourOf(&channelCount), FieldColours::ToRead);
    FieldColours::setColour(&channelCount, FieldColours::Confirmed);
    FieldColours::setColour(&channelCount, FieldColours::ToRead);
    QCOMPARE(channelCount.palette().color(QPalette::Base), paler);

    // A box with the common design colour showing the paler one is not "to read".
    QLineEdit other;
    QPalette palette = other.palette();
    palette.setColor(QPalette::Base, paler);
    other.setPalette(palette);
    QCOMPARE(FieldColours::colourOf(&other), FieldColours::Other);
}

void TestFieldColours::labelShowsItToo()
{
    QLabel status;
    FieldColours::setColour(&status, FieldColours::Confirmed);
    QCOMPARE(status.palette().color(QPalette::Window), FieldColours::confirmedColour());
    QCOMPARE(FieldColours::colourOf(&status), FieldColours::Confirmed);
    FieldColours::setColour(nullptr, FieldColours::Edited); // tolerated
    QCOMPARE(FieldColours::colourOf(nullptr), FieldColours::Other);
}

QTEST_MAIN(TestFieldColours)
#include "test_fieldcolours.moc"
