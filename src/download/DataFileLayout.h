#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>

class Registrazione;
struct ProprietaSensori;

// The text layout of the two data files a download writes: the sensor file
// (frequencies, digits or analog readings) and the temperature file. Lines
// are built here as text; DataFileWriter puts them on disk.
//
//   DATA ACQ.: <date>  <time>,Numero Canali Attivi: <C> ,Numero Dati per Canale:      <N>
//   (sensor file only: an empty line, then the unit line or one line per
//    analog channel)
//   five empty lines
//   one data line per record: dd/mm/yyyy hh.mm.ss   ,<value 10>,<value 10>...
class DataFileLayout
{
public:
    enum class Tipo
    {
        Sensori,
        Temperature
    };

    static constexpr int RigheVuote = 5;

    // identifier_dd_mm_yy_SENS.txt or identifier_dd_mm_yy_TEMP.txt.
    static QString nomeFile(const QString& identificatore, const QDate& data, Tipo tipo);

    // False for an identifier that cannot be the start of a file name in the
    // chosen folder: path separators, "..", characters a file system refuses
    // (those Windows refuses are refused everywhere, as files travel), or a
    // name too long.
    static bool identificatoreValido(const QString& identificatore);

    // The folder and the name joined by one separator; a folder that ends
    // with one (a drive root "C:\", or "/") does not get a second.
    static QString percorso(const QString& cartella, const QString& nome);

    static QString rigaIntestazione(const QDateTime& quando, qint64 canali, qint64 record);
    static QString rigaUnita(bool frequenza);
    // "CANALE: nn" and the channel's four calibration values.
    static QString rigaCanale(int canale, const ProprietaSensori& proprieta);
    // One channel line per enabled channel: multiplexer m, positions
    // 0 .. mux[m] - 1.
    static QStringList righeCanali(const std::array<int, 4>& mux,
                                   const ProprietaSensori& proprieta);

    // Everything above the data lines. `descrizione` holds the unit line or
    // the channel lines of the sensor file; the temperature file has none.
    static QStringList testata(Tipo tipo, const QDateTime& quando, qint64 canali, qint64 record,
                               const QStringList& descrizione);

    static QString rigaDati(const Registrazione& registrazione, Tipo tipo, bool conEventi);

    // A date or time field: a number gets at least two digits, any other text
    // is written as received.
    static QString campoData(const QString& campo);
};
