#pragma once

#include <QString>

// How a reply field of a download becomes the text kept for the file. Every
// number is written with a point as decimal separator.
class ReadingConversions
{
public:
    // Vibrating-wire model, "Scarica in Frequenza": the frequency in Hz.
    static QString frequenza(const QString& risposta);
    // Vibrating-wire model, "Scarica in Digits": Hz^2 / 1000.
    static QString digits(const QString& risposta);
    // Other models: "######0.0##"; a reply that is not a number stays as is.
    static QString analogico(const QString& risposta);
    // The event count of a record.
    static QString eventi(const QString& risposta);
    // Temperature in degrees C, "000.0".
    static QString temperatura(const QString& risposta);

    // Temperatures outside -30 .. 80 C mean no sensor is connected.
    static constexpr double TemperaturaMinima = -30.0;
    static constexpr double TemperaturaMassima = 80.0;
    // The kept 10-character temperature as the file shows it: "**N.C.**"
    // (padded to 10) for a value out of range.
    static QString temperaturaNelFile(const QString& valore);
};
