#pragma once

#include <QString>

#include <array>

// One record of a download as it is kept until the file is written: the six
// date/time fields at their fixed widths, each channel's 10-character value
// one after the other, and the event count when it was read. Values are
// packed into one text so that a full memory stays small.
class Registrazione
{
public:
    static constexpr int LarghezzaValore = 10;
    // Kept widths of day, month, year, hour, minute, second.
    static constexpr std::array<int, 6> LarghezzeData{3, 3, 5, 3, 3, 3};

    // Field k (0..5) of the date and time, cut or padded to its width.
    void impostaData(int k, const QString& testo);
    const QString& data(int k) const { return m_data[k]; }

    // The next channel's value, cut or padded to 10 characters.
    void aggiungiValore(const QString& testo);
    int canali() const { return int(m_valori.size() / LarghezzaValore); }
    QString valore(int canale) const; // canale from 0

    void impostaEventi(const QString& testo);
    // The 10-character event count; 10 blanks when it was not read.
    QString eventi() const;

    // A text left-justified in `larghezza` characters: cut or blank-padded.
    static QString aLarghezza(const QString& testo, int larghezza);

private:
    std::array<QString, 6> m_data;
    QString m_valori;
    QString m_eventi;
};
