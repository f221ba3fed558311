#pragma once

#include "LoggerModel.h"

#include <QByteArray>
#include <QList>

// The logger's side of the dialogue, without any I/O: bytes in (each chunk
// with the time it arrived, in milliseconds on any monotonic scale), reply
// bytes out. The caller owns the model and the clock; the transport calls
// poll() at nextDeadline() so that a letter left alone gets its answer.
//
// Parsing. A request is a command letter followed by the comma-terminated
// fields that letter takes ("h" two, "i" twelve, "x" five SMS lines of any
// text...). A letter that takes no field is answered as soon as it arrives.
//
// Letters with two forms, a lone letter and the letter with a parameter:
//   J  alone: on-site test, no reply      J + channel + ",": alarm read
//   U  alone / U + ","                     the same one-field reply
//   b  alone / b + ","                     erase, no reply
//   z  alone / z + ","                     full reset, no reply
//   G C E H M  with their parameter: the ordinary comma-field reply;
//              alone: the fixed-length reply (G 19 chars, C 12, E 5, H 3 and
//              then 4n+4 for the next lone H when n is not 0, M 12).
// Rule: after such a letter, the next byte belongs to it only if it can start
// its parameter ("," for G C E M U b z; a blank, sign, digit or "," for H and
// J) and arrives within quietMs of the letter. Any other byte, or quietMs of
// silence (seen by poll()), makes the letter stand alone; that other byte
// then starts the next request. The program sends its parameter right after
// the letter and then one character every 10-12 ms, so 100 ms is ample.
//
// Q, N and T take no parameter; their replies also serve the fixed-length
// retrieval (Q: identifier + "," ; N: 20 chars ; T: 3 chars).
//
// A request whose fields stop coming for staleMs is dropped, so a cut
// request cannot swallow the next one. Bytes that start no request (line
// ends, unknown letters) are ignored.
//
// Faults count reply fields (each comma-terminated piece, or one
// fixed-length reply) from 1 since construction or the last setFaults().
class LoggerProtocol
{
public:
    struct Faults
    {
        int silentAfter = -1;  // after K fields, send nothing more
        int garbageField = -1; // field K's text replaced by garbage
        int hangupAfter = -1;  // after K fields, send nothing and ask to hang up
    };

    static constexpr qint64 kDefaultQuietMs = 100;
    static constexpr qint64 kDefaultStaleMs = 2000;
    static constexpr char kEndOfDump = 26;
    static const QByteArray kGarbage;
    static const QByteArray kProbeReply;
    static const QByteArray kAnnouncement;

    explicit LoggerProtocol(LoggerModel& model);

    QByteArray feed(const QByteArray& bytes, qint64 nowMs);
    QByteArray poll(qint64 nowMs);
    // When poll() has something to do; -1 when nothing is pending.
    qint64 nextDeadline() const;
    // True while a request is partly received.
    bool busy() const { return m_state != State::Idle; }

    // The unsolicited text that ends in "S2", as the logger sends it when it
    // is woken up (faults apply to it as to any reply).
    QByteArray announcement();

    void setFaults(const Faults& f);
    const Faults& faults() const { return m_faults; }
    int fieldsSent() const { return m_fieldsSent; }
    // Set once the hang-up fault fired: the transport should close the line.
    bool hangupRequested() const { return m_hangup; }

    void setQuietMs(qint64 ms) { m_quietMs = ms; }
    void setStaleMs(qint64 ms) { m_staleMs = ms; }

private:
    enum class State
    {
        Idle,
        PendingLetter, // optional-parameter letter, waiting to see which form
        Fields         // collecting the fields of m_letter
    };

    void handleByte(char b, qint64 now, QByteArray& out);
    void startLetter(char letter, qint64 now, QByteArray& out);
    void finishAlone(QByteArray& out);
    void execute(char letter, const QList<QByteArray>& fields, bool alone, QByteArray& out);
    bool startsParameter(char letter, char b) const;

    // Reply builders; they write through the faults into m_out.
    void field(const QByteArray& text);
    void raw(const QByteArray& bytes);
    void fixed(const QByteArray& text);
    void emitPiece(const QByteArray& text, bool counted, bool comma);

    void replyDump(const QVector<LoggerModel::Record>& memory, bool withEvents);
    void replyLive(int mux, bool temperatures);
    void replyBlock();
    void replyFixed(char letter);
    void replyStamp(const LoggerModel::Stamp& s, bool withSecond);

    LoggerModel& m_model;
    Faults m_faults;
    int m_fieldsSent = 0;
    bool m_hangup = false;
    qint64 m_quietMs = kDefaultQuietMs;
    qint64 m_staleMs = kDefaultStaleMs;

    State m_state = State::Idle;
    char m_letter = 0;
    qint64 m_letterMs = 0;
    qint64 m_lastByteMs = 0;
    int m_expected = 0;
    QList<QByteArray> m_fields;
    QByteArray m_current;

    QByteArray* m_out = nullptr;

    int m_fixedHStep = 0; // 1 after a lone H that reported n != 0
    int m_blockEnd = -1;  // records covered by the last "[" until "]"
};
