#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The field format of the program's settings files (last COM port, modem
// port, logger directory, last contacts, FTP directory): Latin-1 text, lines
// ended by CR LF. A reader skips leading blanks; a field ends at a comma or at
// the line end; a field opened by a double quote runs to the next double
// quote and may hold commas. Files written by older releases (plain lines, or
// formatted prints of numbers such as " 3 ") read the same way.
//
// File errors never throw: the functions return false or an empty optional
// and, when asked, a readable description of the failure.
class SettingsFields
{
public:
    enum class Quoting
    {
        Never,    // text as it is: a comma in it splits it when read back
        AsNeeded, // quoted only when it would not read back unchanged
        Always,   // every text quoted
    };

    // Lines of fields. An empty line is one empty field, so line-per-value
    // files keep their layout; a comma before the line end leaves an empty
    // last field. Blanks after an unquoted field are dropped; anything between
    // a closing quote and the next comma is ignored.
    static QList<QStringList> parse(QStringView text);
    // The same fields one after the other, as a field-by-field reader sees them.
    static QStringList parseFields(QStringView text);
    // Every number in the text in turn, numbers separated by blanks, commas or
    // line ends, each read by its numeric value (a non-number counts as 0).
    static QList<double> parseNumbers(QStringView text);

    // The whole file decoded from Latin-1; empty optional when it is missing
    // or cannot be read.
    static std::optional<QString> readText(const QString& path, QString* error = nullptr);
    static std::optional<QList<QStringList>> readFile(const QString& path,
                                                      QString* error = nullptr);
    static std::optional<QStringList> readFields(const QString& path, QString* error = nullptr);
    static std::optional<QList<double>> readNumbers(const QString& path, QString* error = nullptr);

    // One text as a field. A double quote cannot be held inside a quoted
    // field, so quoting turns it into a single quote.
    static QString field(const QString& text, Quoting quoting);
    // Fields joined by commas.
    static QString line(const QStringList& texts, Quoting quoting);
    // A number as a formatted print writes it: signed text form and one
    // trailing blank (3 -> " 3 ", -2.5 -> "-2.5 ").
    static QString printNumber(double number);

    // Lines encoded to Latin-1 (characters outside it become '?'), each ended
    // by CR LF.
    static QByteArray encode(const QStringList& lines);
    // Creates or truncates the file and writes the lines.
    static bool writeFile(const QString& path, const QStringList& lines, QString* error = nullptr);
    // Creates an empty file when none exists; an existing file is left as it is.
    static bool createIfMissing(const QString& path, QString* error = nullptr);
};
