#pragma once

#include <QString>
#include <QStringView>

// The program's number conventions. Replies from the logger and the boxes are
// read by their numeric value; numbers go back to the logger and into files in
// the signed or plain text form, always with a point as decimal separator,
// whatever the PC's regional settings.
class TextForms
{
public:
    // Leading blanks skipped, then the longest leading decimal number (optional
    // sign, digits, one point); 0 when the text does not start with one
    // ("%%" -> 0, " 12abc" -> 12, "1e5" -> 1).
    static double value(QStringView text);

    // True when the whole text, blanks around it allowed, is one decimal number
    // in the form value() reads ("12", " -3.5 ", ".5", "+7"); "%%", "12abc",
    // "" and "." are not.
    static bool isNumber(QStringView text);

    // One leading blank when not negative, "-" when negative: 0 -> " 0",
    // 16 -> " 16", -5 -> "-5", 2.5 -> " 2.5".
    static QString signedText(double number);

    // General format, up to 15 significant digits, no grouping, no leading
    // blank: "2.5", "-0.25", "100000", "0"; exponent form "1E+15" beyond.
    static QString plainText(double number);

    // Digit-placeholder patterns: "0" is a digit always shown, "#" a digit shown
    // only when significant, an optional "." splits integer and decimal
    // placeholders ("00", "000.0", "00.00", "######0.0##"). Rounds half away
    // from zero on the number's 15-digit decimal form; a negative number keeps
    // its sign in front of the zeros ("00000" of -15 -> "-00015"), except when
    // it rounds to zero. Other pattern characters are not supported.
    static QString format(double number, QStringView pattern);

    // The same for a text: a text that is a number (isNumber) is formatted, any
    // other text ("%%", "", "12abc") is returned as it is.
    static QString formatText(const QString& text, QStringView pattern);
};
