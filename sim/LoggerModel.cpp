#include "LoggerModel.h"

LoggerModel::Stamp LoggerModel::Stamp::fromDateTime(const QDateTime& dt)
{
    Stamp s;
    s.day = dt.date().day();
    s.month = dt.date().month();
    s.year = dt.date().year();
    s.hour = dt.time().hour();
    s.minute = dt.time().minute();
    s.second = dt.time().second();
    return s;
}

QDateTime LoggerModel::Stamp::toDateTime() const
{
    const QDate d(year, month, day);
    const QTime t(hour, minute, second);
    if (!d.isValid() || !t.isValid())
        return {};
    return QDateTime(d, t);
}

LoggerModel::LoggerModel()
{
    clock = Stamp{15, 1, 2025, 10, 30, 0};
    factoryReset();
}

void LoggerModel::factoryReset()
{
    identifier = "VKLOG01";
    startDate = Stamp{1, 1, 2025, 0, 0, 0};
    nextAcquisition = Stamp{15, 1, 2025, 11, 0, 0};
    intervalHours = 1;
    intervalMinutes = 0;
    intervalSecs = 0;
    preheatMs = 1500;
    muxChannels = {8, 0, 0, 0};
    acquisitionEnabled = true;
    eventCounterEnabled = false;
    pulseValue = "0.2";
    for (auto& n : smsNumbers)
        n.clear();
    smsCount = "1";
    smsSwitch = "0";
    phoneNumber.clear();
    phoneSwitch = "0";
    gprs = {"internet", "", "", "ftp.example.org", "21", "logger", "secret", "/upload", "60", "0"};
    personalSms = {"ALLARME", "", "", "", ""};
    for (int c = 0; c < kChannels; ++c) {
        sensors[c] =
            SensorProperties{QByteArray("CH") + QByteArray::number(c).rightJustified(2, '0'),
                             "0.000", "2.500", "0.0", "100.0"};
        alarms[c] = AlarmSettings{"0", "100.0", "0.0"};
    }
    memoryCapacity = 5000;
    firstRecordTime = QDateTime(QDate(2025, 1, 15), QTime(8, 0, 0));
    eraseMemory();
}

void LoggerModel::eraseMemory()
{
    data.clear();
    temperatures.clear();
    memoryChannels = totalChannels();
    delivered = 0;
}

int LoggerModel::totalChannels() const
{
    int n = 0;
    for (int c : muxChannels)
        n += c;
    return n;
}

int LoggerModel::availableAcquisitions() const
{
    return qMax(0, memoryCapacity - int(data.size()));
}

LoggerModel::Stamp LoggerModel::recordTime(int record) const
{
    const int step = intervalTotalSeconds() > 0 ? intervalTotalSeconds() : 3600;
    return Stamp::fromDateTime(firstRecordTime.addSecs(qint64(step) * record));
}

QByteArray LoggerModel::syntheticReading(int modelCode, int record, int channel)
{
    if (modelCode == 0) {
        const double v = 0.5 + (channel % 16) * 0.25 + ((record * 13 + channel * 7) % 100) / 1000.0;
        return QByteArray::number(v, 'f', 3);
    }
    // Vibrating-wire sensors sit roughly between 800 and 3100 Hz.
    const double f = 800.0 + (channel % 16) * 150.0 + (channel / 16) * 20.0 +
                     ((record * 37 + channel * 11) % 200) / 10.0;
    return QByteArray::number(f, 'f', 1);
}

QByteArray LoggerModel::syntheticTemperature(int record, int channel)
{
    const double t = 18.0 + (channel % 8) * 0.5 + ((record * 3 + channel) % 20) / 10.0;
    return QByteArray::number(t, 'f', 1);
}

QByteArray LoggerModel::syntheticEventCount(int record)
{
    return QByteArray::number((record * 3) % 7);
}

void LoggerModel::fillMemory(int records, int channels)
{
    data.clear();
    temperatures.clear();
    memoryChannels = channels;
    delivered = 0;
    data.reserve(records);
    temperatures.reserve(records);
    for (int r = 0; r < records; ++r) {
        Record rec;
        Record temp;
        rec.time = temp.time = recordTime(r);
        rec.values.reserve(channels);
        temp.values.reserve(channels);
        for (int c = 0; c < channels; ++c) {
            rec.values.append(syntheticReading(modelCode, r, c));
            temp.values.append(syntheticTemperature(r, c));
        }
        rec.eventCount = syntheticEventCount(r);
        data.append(rec);
        temperatures.append(temp);
    }
}

LoggerModel::Stamp LoggerModel::clockNow() const
{
    if (!clockRunning)
        return clock;
    return Stamp::fromDateTime(QDateTime::currentDateTime().addSecs(clockOffsetSecs));
}

void LoggerModel::setClock(const Stamp& s)
{
    clock = s;
    if (!clockRunning)
        return;
    const QDateTime dt = s.toDateTime();
    if (dt.isValid())
        clockOffsetSecs = QDateTime::currentDateTime().secsTo(dt);
    else
        clockRunning = false; // an impossible date cannot tick; keep it as written
}
