#pragma once

#include "download/Registrazione.h"

#include <QList>
#include <QString>

#include <functional>

class Modulo1;

// Reads a memory dump that a command ("A", "a") has started: the record and
// channel counts, then each record's six date/time fields, its readings and,
// when asked, its event count, one reply field at a time. Reading stops at
// the first time-out or port error; only complete records are kept. Nothing
// is allocated from the counts the logger claims: the store grows with the
// records that really arrive.
class LetturaMemoria
{
public:
    using Conversione = std::function<QString(const QString&)>;

    struct Esito
    {
        bool contiRicevuti = false; // both counts arrived
        qint64 record = 0;          // N, as the logger announced it
        qint64 canali = 0;          // C
        QList<Registrazione> registrazioni;
        bool interrotto = false;
    };

    explicit LetturaMemoria(Modulo1& link);

    // converti: each reading's kept text (called as the reading arrives, so
    // an option changed meanwhile applies to what follows).
    // conEventi: asked for every record whether it carries an event count.
    // avanzamento: the percentage after each record's readings.
    Esito leggi(const Conversione& converti, const std::function<bool()>& conEventi,
                const std::function<void(int)>& avanzamento);

    // A count as the logger sends it: its whole part, never below 0.
    static qint64 conteggio(const QString& risposta);

private:
    // One field; false once the link timed out or failed.
    bool campo(QString& testo);

    Modulo1& m_link;
};
