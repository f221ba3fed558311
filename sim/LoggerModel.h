#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QVector>

#include <array>

// The state of one logger, as the far side of the wire sees it. Plain data:
// the protocol reads and changes it, tests set it up and inspect it. Texts
// that the logger only stores and returns (names, thresholds, telephone
// numbers) are kept as the bytes it received, so they come back unchanged.
class LoggerModel
{
public:
    static constexpr int kMultiplexers = 4;
    static constexpr int kChannelsPerMux = 16;
    static constexpr int kChannels = kMultiplexers * kChannelsPerMux;

    // Date and time as the logger holds them: plain numbers, not validated,
    // because a write may carry a day 45 and the logger stores what it gets.
    struct Stamp
    {
        int day = 1;
        int month = 1;
        int year = 2000;
        int hour = 0;
        int minute = 0;
        int second = 0;

        static Stamp fromDateTime(const QDateTime& dt);
        QDateTime toDateTime() const; // invalid when the fields are not a real date
        bool operator==(const Stamp& o) const
        {
            return day == o.day && month == o.month && year == o.year && hour == o.hour &&
                   minute == o.minute && second == o.second;
        }
    };

    struct SensorProperties
    {
        QByteArray name;
        QByteArray zeroVolt;
        QByteArray fullScaleVolt;
        QByteArray zeroPhysical;
        QByteArray fullScalePhysical;
    };

    struct AlarmSettings
    {
        QByteArray activation;
        QByteArray upper;
        QByteArray lower;
    };

    // One acquisition: its time, one raw reading text per channel and the
    // rain-gauge count taken with it.
    struct Record
    {
        Stamp time;
        QVector<QByteArray> values;
        QByteArray eventCount;
    };

    LoggerModel();

    // Back to the settings of a new logger, as the full reset does. The
    // hardware (model code, voltages) and the clock are kept.
    void factoryReset();

    // Erases the data and temperature memory.
    void eraseMemory();

    // Fills both memories with `records` acquisitions of `channels` channels
    // each, one interval apart starting at firstRecordTime, with the readings
    // given by syntheticReading()/syntheticTemperature()/syntheticEventCount().
    // Sets memoryChannels to `channels`; everything is marked not yet delivered.
    void fillMemory(int records, int channels);

    // The reading stored for record r (0-based), channel c (0-based) by
    // fillMemory(): frequency in Hz with one decimal on a vibrating-wire model
    // (e.g. "950.7"), volts with three decimals on the analog model (code 0).
    static QByteArray syntheticReading(int modelCode, int record, int channel);
    // Temperature in degrees C with one decimal, always within -30..80.
    static QByteArray syntheticTemperature(int record, int channel);
    static QByteArray syntheticEventCount(int record);
    // Time of record r as fillMemory() stamps it.
    Stamp recordTime(int record) const;

    int totalChannels() const;
    int intervalTotalSeconds() const
    {
        return intervalHours * 3600 + intervalMinutes * 60 + intervalSecs;
    }
    int availableAcquisitions() const;

    // The clock as the logger would report it now.
    Stamp clockNow() const;
    // Sets the clock; with a running clock it keeps ticking from there.
    void setClock(const Stamp& s);

    // --- identity and clock
    QByteArray identifier;
    Stamp clock; // the frozen clock, or the base of a running one
    bool clockRunning = false;
    qint64 clockOffsetSecs = 0; // running clock: logger time - host time
    Stamp startDate;
    Stamp nextAcquisition;

    // --- timing
    int intervalHours = 1;
    int intervalMinutes = 0;
    int intervalSecs = 0;
    int preheatMs = 1500;

    // --- channels and model
    std::array<int, kMultiplexers> muxChannels{};
    int modelCode = 1; // 0 = 16-bit analog model, 1 = vibrating-wire

    // --- switches and gauges
    bool acquisitionEnabled = true;
    bool eventCounterEnabled = false;
    double supply5V = 5.02;
    double internal3V = 3.30;
    double battery = 12.71;
    QByteArray pulseValue;

    // --- GSM
    std::array<QByteArray, 10> smsNumbers;
    QByteArray smsCount;
    QByteArray smsSwitch;
    QByteArray phoneNumber;
    QByteArray phoneSwitch;
    std::array<QByteArray, 10> gprs;
    std::array<QByteArray, 5> personalSms;

    // --- per channel settings
    std::array<SensorProperties, kChannels> sensors;
    std::array<AlarmSettings, kChannels> alarms;

    // --- memory
    int memoryCapacity = 5000; // acquisitions the memory can hold
    int memoryChannels = 0;    // readings per record in the memories
    QDateTime firstRecordTime;
    QVector<Record> data;
    QVector<Record> temperatures;
    int delivered = 0; // records of `data` already handed over by the block exchange

    // --- bookkeeping for tests: every complete request, as received
    // (letter, then its fields each with its comma; a letter alone as itself).
    QList<QByteArray> requests;
    int onSiteTests = 0;
    int liveSamples = 0; // measurements made on demand so far
};
