#include "LoggerProtocol.h"

#include <cctype>
#include <cstdlib>

const QByteArray LoggerProtocol::kGarbage = "#?x!";
const QByteArray LoggerProtocol::kProbeReply = "VKLOGGER V2.1";
const QByteArray LoggerProtocol::kAnnouncement = "\r\nVKLOGGER READY S2";

namespace {

// How many comma-terminated fields follow each letter; -1: not a command.
int fieldCount(char c)
{
    switch (c) {
    case 'V':
    case 'X':
    case 'A':
    case 'a':
    case '[':
    case ']':
    case 'Q':
    case 'I':
    case 'F':
    case 'K':
    case 'W':
    case 'O':
    case '<':
    case '^':
    case 'N':
    case 'T':
        return 0;
    case 'D':
    case 'M':
    case 'b':
    case 'G':
    case 'Y':
    case 'C':
    case 'E':
    case 'e':
    case 'H':
    case 'q':
    case 'R':
    case 'o':
    case 'U':
    case 'u':
    case '>':
    case 'z':
    case 'p':
    case 't':
    case 'L':
    case 'J':
        return 1;
    case 'h':
    case 'f':
        return 2;
    case 'c':
        return 3;
    case 'j':
        return 4;
    case 'd':
    case 'x':
    case 'g':
    case 'y':
        return 5;
    case 'r':
        return 6;
    case 'k':
        return 10;
    case 'i':
        return 12;
    default:
        return -1;
    }
}

// Letters that are also sent without their parameter.
bool optionalParameter(char c)
{
    switch (c) {
    case 'J':
    case 'U':
    case 'b':
    case 'z':
    case 'G':
    case 'C':
    case 'E':
    case 'H':
    case 'M':
        return true;
    default:
        return false;
    }
}

// Numeric value as the program reads it: leading blanks, then the longest
// leading decimal number; no number gives 0.
double numericValue(const QByteArray& text)
{
    QByteArray t = text;
    int i = 0;
    while (i < t.size() && t[i] == ' ')
        ++i;
    const QByteArray rest = t.mid(i);
    return std::strtod(rest.constData(), nullptr);
}

int intValue(const QByteArray& text)
{
    return int(numericValue(text));
}

QByteArray pad(int value, int width)
{
    if (value < 0)
        return "-" + QByteArray::number(-value).rightJustified(width - 1, '0');
    return QByteArray::number(value).rightJustified(width, '0');
}

QByteArray fieldAt(const QList<QByteArray>& f, int i)
{
    return i < f.size() ? f[i] : QByteArray();
}

} // namespace

LoggerProtocol::LoggerProtocol(LoggerModel& model) : m_model(model) {}

void LoggerProtocol::setFaults(const Faults& f)
{
    m_faults = f;
    m_fieldsSent = 0;
    m_hangup = false;
}

QByteArray LoggerProtocol::feed(const QByteArray& bytes, qint64 nowMs)
{
    QByteArray out;
    for (char b : bytes)
        handleByte(b, nowMs, out);
    return out;
}

QByteArray LoggerProtocol::poll(qint64 nowMs)
{
    QByteArray out;
    if (m_state == State::PendingLetter && nowMs - m_letterMs >= m_quietMs)
        finishAlone(out);
    else if (m_state == State::Fields && nowMs - m_lastByteMs > m_staleMs)
        m_state = State::Idle;
    return out;
}

qint64 LoggerProtocol::nextDeadline() const
{
    switch (m_state) {
    case State::PendingLetter:
        return m_letterMs + m_quietMs;
    case State::Fields:
        return m_lastByteMs + m_staleMs + 1;
    default:
        return -1;
    }
}

QByteArray LoggerProtocol::announcement()
{
    QByteArray out;
    m_out = &out;
    emitPiece(kAnnouncement, false, false);
    m_out = nullptr;
    return out;
}

bool LoggerProtocol::startsParameter(char letter, char b) const
{
    if (b == ',')
        return true;
    if (letter == 'H' || letter == 'J')
        return b == ' ' || b == '-' || b == '+' || std::isdigit(static_cast<unsigned char>(b));
    return false;
}

void LoggerProtocol::handleByte(char b, qint64 now, QByteArray& out)
{
    if (m_state == State::PendingLetter) {
        if (now - m_letterMs < m_quietMs && startsParameter(m_letter, b)) {
            m_state = State::Fields;
            m_lastByteMs = now;
        } else {
            finishAlone(out);
        }
    } else if (m_state == State::Fields && now - m_lastByteMs > m_staleMs) {
        m_state = State::Idle; // the rest of that request never came
    }

    if (m_state == State::Fields) {
        m_lastByteMs = now;
        if (b != ',') {
            m_current += b;
            return;
        }
        m_fields.append(m_current);
        m_current.clear();
        if (m_fields.size() >= m_expected) {
            m_state = State::Idle;
            execute(m_letter, m_fields, false, out);
        }
        return;
    }
    startLetter(b, now, out);
}

void LoggerProtocol::startLetter(char letter, qint64 now, QByteArray& out)
{
    const int count = fieldCount(letter);
    if (count < 0)
        return;
    m_letter = letter;
    m_expected = count;
    m_fields.clear();
    m_current.clear();
    if (optionalParameter(letter)) {
        m_state = State::PendingLetter;
        m_letterMs = now;
    } else if (count == 0) {
        execute(letter, {}, false, out);
    } else {
        m_state = State::Fields;
        m_lastByteMs = now;
    }
}

void LoggerProtocol::finishAlone(QByteArray& out)
{
    m_state = State::Idle;
    execute(m_letter, {}, true, out);
}

void LoggerProtocol::field(const QByteArray& text)
{
    emitPiece(text, true, true);
}

void LoggerProtocol::raw(const QByteArray& bytes)
{
    emitPiece(bytes, false, false);
}

void LoggerProtocol::fixed(const QByteArray& text)
{
    emitPiece(text, true, false);
}

void LoggerProtocol::emitPiece(const QByteArray& text, bool counted, bool comma)
{
    if (m_hangup)
        return;
    if (m_faults.hangupAfter >= 0 && m_fieldsSent >= m_faults.hangupAfter) {
        m_hangup = true;
        return;
    }
    if (m_faults.silentAfter >= 0 && m_fieldsSent >= m_faults.silentAfter)
        return;
    if (counted) {
        ++m_fieldsSent;
        *m_out += (m_fieldsSent == m_faults.garbageField) ? kGarbage : text;
    } else {
        *m_out += text;
    }
    if (comma)
        *m_out += ',';
    if (m_faults.hangupAfter >= 0 && m_fieldsSent >= m_faults.hangupAfter)
        m_hangup = true;
}

void LoggerProtocol::replyStamp(const LoggerModel::Stamp& s, bool withSecond)
{
    field(pad(s.day, 2));
    field(pad(s.month, 2));
    field(pad(s.year, 4));
    field(pad(s.hour, 2));
    field(pad(s.minute, 2));
    if (withSecond)
        field(pad(s.second, 2));
}

void LoggerProtocol::execute(char letter, const QList<QByteArray>& f, bool alone, QByteArray& out)
{
    m_out = &out;
    LoggerModel& m = m_model;

    QByteArray request(1, letter);
    for (const QByteArray& x : f)
        request += x + ',';
    m.requests.append(request);

    if (!(letter == 'H' && alone))
        m_fixedHStep = 0;

    const auto channelOf = [&](int i) {
        const int ch = intValue(fieldAt(f, i));
        return (ch >= 0 && ch < LoggerModel::kChannels) ? ch : -1;
    };

    if (alone &&
        (letter == 'G' || letter == 'C' || letter == 'E' || letter == 'H' || letter == 'M')) {
        replyFixed(letter);
        m_out = nullptr;
        return;
    }

    switch (letter) {
    case 'V':
        field(kProbeReply);
        break;
    case 'D':
        field(QByteArray::number(m.modelCode));
        break;
    case 'd':
        break; // sent by the program on exit; nothing to answer
    case 'J':
        if (alone) {
            ++m.onSiteTests;
        } else if (int ch = channelOf(0); ch >= 0) {
            field(m.alarms[ch].activation);
            field(m.alarms[ch].upper);
            field(m.alarms[ch].lower);
        } else {
            field("0");
            field("0");
            field("0");
        }
        break;
    case 'j':
        if (int ch = channelOf(0); ch >= 0)
            m.alarms[ch] = LoggerModel::AlarmSettings{f[1], f[2], f[3]};
        break;
    case 'X':
        for (const QByteArray& line : m.personalSms)
            field(line);
        break;
    case 'x':
        for (int i = 0; i < 5; ++i)
            m.personalSms[i] = fieldAt(f, i);
        break;
    case 'A':
        replyDump(m.data, m.eventCounterEnabled);
        break;
    case 'a':
        replyDump(m.temperatures, false);
        break;
    case 'M':
        field(QByteArray::number(m.memoryCapacity));
        field(QByteArray::number(m.availableAcquisitions()));
        break;
    case 'b':
        m.eraseMemory();
        break;
    case '[':
        replyBlock();
        break;
    case ']':
        if (m_blockEnd >= 0)
            m.delivered = qMin(m_blockEnd, int(m.data.size()));
        m_blockEnd = -1;
        field("OK");
        break;
    case 'Q':
        field(m.identifier);
        break;
    case 'q':
        m.identifier = fieldAt(f, 0);
        break;
    case 'G':
        replyStamp(m.clockNow(), false);
        break;
    case 'g':
        m.setClock(LoggerModel::Stamp{intValue(f[0]), intValue(f[1]), intValue(f[2]) + 1900,
                                      intValue(f[3]), intValue(f[4]), 0});
        break;
    case 'Y':
        replyStamp(m.startDate, true);
        break;
    case 'y':
        m.startDate = LoggerModel::Stamp{intValue(f[0]), intValue(f[1]), intValue(f[2]) + 1900,
                                         intValue(f[3]), intValue(f[4]), 0};
        break;
    case 'C':
        field(pad(m.intervalHours, 3));
        field(pad(m.intervalMinutes, 3));
        field(pad(m.intervalSecs, 3));
        break;
    case 'c':
        m.intervalHours = intValue(f[0]);
        m.intervalMinutes = intValue(f[1]);
        m.intervalSecs = intValue(f[2]);
        break;
    case 'E':
        field(pad(m.preheatMs, 5));
        break;
    case 'e':
        m.preheatMs = intValue(f[0]);
        break;
    case 'H': {
        const int mux = intValue(f[0]);
        field(QByteArray::number(mux >= 0 && mux < LoggerModel::kMultiplexers ? m.muxChannels[mux]
                                                                              : 0));
        break;
    }
    case 'h': {
        const int mux = intValue(f[0]);
        if (mux >= 0 && mux < LoggerModel::kMultiplexers)
            m.muxChannels[mux] = intValue(f[1]);
        break;
    }
    case 'R':
        if (int ch = channelOf(0); ch >= 0) {
            const LoggerModel::SensorProperties& s = m.sensors[ch];
            for (const QByteArray& v :
                 {s.name, s.zeroVolt, s.fullScaleVolt, s.zeroPhysical, s.fullScalePhysical})
                field(v);
        } else {
            for (int i = 0; i < 5; ++i)
                field("0");
        }
        break;
    case 'r':
        if (int ch = channelOf(0); ch >= 0)
            m.sensors[ch] = LoggerModel::SensorProperties{f[1], f[2], f[3], f[4], f[5]};
        break;
    case 'I':
        for (const QByteArray& n : m.smsNumbers)
            field(n);
        field(m.smsCount);
        field(m.smsSwitch);
        break;
    case 'i':
        for (int i = 0; i < 10; ++i)
            m.smsNumbers[i] = f[i];
        m.smsCount = f[10];
        m.smsSwitch = f[11].trimmed();
        break;
    case 'F':
        field(m.phoneNumber);
        field(m.phoneSwitch);
        break;
    case 'f':
        m.phoneNumber = f[0];
        m.phoneSwitch = f[1].trimmed();
        break;
    case 'K':
        for (const QByteArray& g : m.gprs)
            field(g);
        break;
    case 'k':
        for (int i = 0; i < 10; ++i)
            m.gprs[i] = f[i];
        break;
    case 'W':
        field(QByteArray::number(m.supply5V, 'f', 2));
        field(QByteArray::number(m.internal3V, 'f', 2));
        field(QByteArray::number(m.battery, 'f', 2));
        break;
    case 'O':
        field(m.acquisitionEnabled ? "1" : "0");
        break;
    case 'o':
        m.acquisitionEnabled = intValue(f[0]) != 0;
        break;
    case 'U':
        field(m.eventCounterEnabled ? "1" : "0");
        break;
    case 'u':
        m.eventCounterEnabled = intValue(f[0]) != 0;
        break;
    case '<':
        field(m.pulseValue);
        break;
    case '>':
        m.pulseValue = f[0];
        break;
    case 'z':
        m.factoryReset();
        m_blockEnd = -1;
        break;
    case 'p':
    case 't':
        replyLive(intValue(f[0]), letter == 't');
        break;
    case '^': {
        // A stand-alone acquisition: one more record at the logger's clock.
        const int r = int(m.data.size());
        LoggerModel::Record rec;
        LoggerModel::Record temp;
        rec.time = temp.time = m.clockNow();
        for (int c = 0; c < m.memoryChannels; ++c) {
            rec.values.append(LoggerModel::syntheticReading(m.modelCode, r, c));
            temp.values.append(LoggerModel::syntheticTemperature(r, c));
        }
        rec.eventCount = LoggerModel::syntheticEventCount(r);
        m.data.append(rec);
        m.temperatures.append(temp);
        break;
    }
    case 'L':
        field(m.data.isEmpty() ? QByteArray("0") : m.data.last().eventCount);
        break;
    case 'N':
    case 'T':
        replyFixed(letter);
        break;
    default:
        break;
    }
    m_out = nullptr;
}

void LoggerProtocol::replyFixed(char letter)
{
    const LoggerModel& m = m_model;
    // Every value three characters wide, so value k starts at 4k - 3.
    const auto stamp = [](const LoggerModel::Stamp& s) {
        return pad(s.day, 3) + ',' + pad(s.month, 3) + ',' + pad(s.year - 2000, 3) + ',' +
               pad(s.hour, 3) + ',' + pad(s.minute, 3);
    };
    switch (letter) {
    case 'G':
        fixed(stamp(m.clockNow())); // 19
        break;
    case 'N':
        fixed(stamp(m.nextAcquisition) + ','); // 20
        break;
    case 'C':
        fixed(pad(m.intervalHours, 3) + ',' + pad(m.intervalMinutes, 3) + ',' +
              pad(m.intervalSecs, 3) + ','); // 12
        break;
    case 'E':
        fixed(pad(m.preheatMs, 5)); // 5
        break;
    case 'H': {
        const int n = m.muxChannels[0];
        if (m_fixedHStep == 0) {
            fixed(pad(n, 3)); // 3
            m_fixedHStep = n != 0 ? 1 : 0;
        } else {
            QByteArray t = pad(n, 3) + ',';
            for (int p = 0; p < n; ++p)
                t += pad(p, 3) + ',';
            fixed(t); // 4n + 4
            m_fixedHStep = 0;
        }
        break;
    }
    case 'M':
        fixed(pad(m.memoryCapacity, 5) + ',' + pad(m.availableAcquisitions(), 5) + ','); // 12
        break;
    case 'T':
        fixed("000");
        break;
    default:
        break;
    }
}

void LoggerProtocol::replyDump(const QVector<LoggerModel::Record>& memory, bool withEvents)
{
    const int channels = m_model.memoryChannels;
    field(QByteArray::number(memory.size()));
    field(QByteArray::number(channels));
    for (const LoggerModel::Record& rec : memory) {
        replyStamp(rec.time, true);
        for (int c = 0; c < channels; ++c)
            field(c < rec.values.size() ? rec.values[c] : QByteArray("0"));
        if (withEvents)
            field(rec.eventCount.isEmpty() ? QByteArray("0") : rec.eventCount);
    }
    raw(QByteArray(1, kEndOfDump));
}

void LoggerProtocol::replyLive(int mux, bool temperatures)
{
    LoggerModel& m = m_model;
    if (mux < 0 || mux >= LoggerModel::kMultiplexers)
        return;
    const int sample = m.liveSamples++;
    const int n = qBound(0, m.muxChannels[mux], LoggerModel::kChannelsPerMux);
    for (int p = 0; p < n; ++p) {
        const int ch = mux * LoggerModel::kChannelsPerMux + p;
        field(QByteArray::number(p));
        if (temperatures) {
            field(LoggerModel::syntheticTemperature(sample, ch));
        } else if (m.modelCode == 0) {
            field(LoggerModel::syntheticReading(0, sample, ch));
        } else {
            // The live reading comes zero-padded to seven characters.
            const double hz = LoggerModel::syntheticReading(m.modelCode, sample, ch).toDouble();
            field(QByteArray::number(hz, 'f', 2).rightJustified(7, '0'));
        }
    }
}

void LoggerProtocol::replyBlock()
{
    LoggerModel& m = m_model;
    field("***inizio***");
    const int n = qBound(0, m.muxChannels[0], LoggerModel::kChannelsPerMux);
    QByteArray block;
    for (int r = qMax(0, m.delivered); r < m.data.size(); ++r) {
        const LoggerModel::Record& rec = m.data[r];
        const LoggerModel::Stamp& s = rec.time;
        block += pad(s.day, 2) + '/' + pad(s.month, 2) + '/' + pad(s.year, 4) + ' ' +
                 pad(s.hour, 2) + ':' + pad(s.minute, 2) + ':' + pad(s.second, 2) + ',';
        for (int c = 0; c < n && c < rec.values.size(); ++c)
            block += rec.values[c] + ',';
        block += "\r\n";
    }
    m_blockEnd = int(m.data.size());
    field(block + "***fine***");
}
