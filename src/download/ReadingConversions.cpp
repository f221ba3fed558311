#include "download/ReadingConversions.h"

#include "common/TextForms.h"
#include "download/Registrazione.h"

QString ReadingConversions::frequenza(const QString& risposta)
{
    return TextForms::plainText(TextForms::value(risposta));
}

QString ReadingConversions::digits(const QString& risposta)
{
    const double hz = TextForms::value(risposta);
    return TextForms::plainText(hz * hz / 1000.0);
}

QString ReadingConversions::analogico(const QString& risposta)
{
    return TextForms::formatText(risposta, u"######0.0##");
}

QString ReadingConversions::eventi(const QString& risposta)
{
    return TextForms::plainText(TextForms::value(risposta));
}

QString ReadingConversions::temperatura(const QString& risposta)
{
    return TextForms::format(TextForms::value(risposta), u"000.0");
}

QString ReadingConversions::temperaturaNelFile(const QString& valore)
{
    const double t = TextForms::value(valore);
    if (t < TemperaturaMinima || t > TemperaturaMassima)
        return Registrazione::aLarghezza(QStringLiteral("**N.C.**"),
                                         Registrazione::LarghezzaValore);
    return valore;
}
