#pragma once

#include <QString>
#include <QStringList>

// The continuous measure's data file: "[INIZIO DATI]", the header line, one
// line per cycle, "[FINE DATI]", and after a failure
// "[FILE TERMINATO INASPETTATAMENTE]". Every line is appended and the file
// closed at once, so all finished cycles are on disk whatever happens next.
// Latin-1, lines ended by CR LF.
class FileMisuraContinua
{
public:
    // Creates the file empty (replacing one of that name); false with
    // errore() set when it cannot be created.
    bool crea(const QString& percorso);
    bool aperto() const { return !m_percorso.isEmpty(); }
    QString percorso() const { return m_percorso; }

    // Appends the lines; false with errore() set when the append fails.
    bool appendi(const QStringList& righe);
    bool appendi(const QString& riga) { return appendi(QStringList{riga}); }

    bool inizio(const QStringList& intestazione);
    bool fine();
    // The end of a run cut short; nothing is written to a file never created.
    void interrotto();

    QString errore() const { return m_errore; }

    static const QString InizioDati;
    static const QString FineDati;
    static const QString TerminatoInaspettatamente;

private:
    QString m_percorso;
    QString m_errore;
};
