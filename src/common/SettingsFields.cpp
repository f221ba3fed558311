#include "SettingsFields.h"

#include "TextForms.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// Splits at CR LF, LF or a lone CR; a final line end opens no further line.
QList<QStringView> splitLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            lines.append(text.mid(start, i - start));
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

QStringList parseLine(QStringView line)
{
    QStringList fields;
    qsizetype pos = 0;
    for (;;) {
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        QString field;
        if (pos < line.size() && line[pos] == u'"') {
            const qsizetype close = line.indexOf(u'"', pos + 1);
            const qsizetype end = close < 0 ? line.size() : close;
            field = line.mid(pos + 1, end - pos - 1).toString();
            pos = close < 0 ? line.size() : close + 1;
            const qsizetype comma = line.indexOf(u',', pos);
            pos = comma < 0 ? line.size() : comma;
        } else {
            const qsizetype comma = line.indexOf(u',', pos);
            const qsizetype end = comma < 0 ? line.size() : comma;
            qsizetype last = end;
            while (last > pos && isBlank(line[last - 1]))
                --last;
            field = line.mid(pos, last - pos).toString();
            pos = end;
        }
        fields.append(field);
        if (pos >= line.size())
            return fields;
        ++pos; // past the comma: another field follows, empty if the line ends
    }
}

QString fileError(const QFile& file, const QString& action)
{
    return QStringLiteral("%1 %2: %3").arg(action, file.fileName(), file.errorString());
}

} // namespace

QList<QStringList> SettingsFields::parse(QStringView text)
{
    QList<QStringList> result;
    for (QStringView line : splitLines(text))
        result.append(parseLine(line));
    return result;
}

QStringList SettingsFields::parseFields(QStringView text)
{
    QStringList result;
    for (const QStringList& fields : parse(text))
        result += fields;
    return result;
}

QList<double> SettingsFields::parseNumbers(QStringView text)
{
    QList<double> numbers;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const auto isSeparator = [](QChar c) {
            return isBlank(c) || c == u',' || c == u'\r' || c == u'\n';
        };
        while (pos < text.size() && isSeparator(text[pos]))
            ++pos;
        const qsizetype start = pos;
        while (pos < text.size() && !isSeparator(text[pos]))
            ++pos;
        if (pos > start)
            numbers.append(TextForms::value(text.mid(start, pos - start)));
    }
    return numbers;
}

std::optional<QString> SettingsFields::readText(const QString& path, QString* error)
{
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        setError(error, QStringLiteral("File non trovato: %1").arg(path));
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, fileError(file, QStringLiteral("Impossibile aprire")));
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, fileError(file, QStringLiteral("Impossibile leggere")));
        return std::nullopt;
    }
    return QString::fromLatin1(bytes);
}

std::optional<QList<QStringList>> SettingsFields::readFile(const QString& path, QString* error)
{
    const std::optional<QString> text = readText(path, error);
    if (!text)
        return std::nullopt;
    return parse(*text);
}

std::optional<QStringList> SettingsFields::readFields(const QString& path, QString* error)
{
    const std::optional<QString> text = readText(path, error);
    if (!text)
        return std::nullopt;
    return parseFields(*text);
}

std::optional<QList<double>> SettingsFields::readNumbers(const QString& path, QString* error)
{
    const std::optional<QString> text = readText(path, error);
    if (!text)
        return std::nullopt;
    return parseNumbers(*text);
}

QString SettingsFields::field(const QString& text, Quoting quoting)
{
    bool quote = quoting == Quoting::Always;
    if (quoting == Quoting::AsNeeded && !text.isEmpty()) {
        // Quote whatever the reader would change: a comma splits, outer blanks
        // are dropped, a leading quote would open a quoted field.
        quote = text.contains(u',') || isBlank(text.front()) || isBlank(text.back()) ||
                text.front() == u'"';
    }
    if (!quote)
        return text;
    QString inner = text;
    inner.replace(u'"', u'\'');
    return u'"' + inner + u'"';
}

QString SettingsFields::line(const QStringList& texts, Quoting quoting)
{
    QStringList fields;
    fields.reserve(texts.size());
    for (const QString& text : texts)
        fields.append(field(text, quoting));
    return fields.join(u',');
}

QString SettingsFields::printNumber(double number)
{
    return TextForms::signedText(number) + u' ';
}

QByteArray SettingsFields::encode(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

bool SettingsFields::writeFile(const QString& path, const QStringList& lines, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        setError(error, fileError(file, QStringLiteral("Impossibile scrivere")));
        return false;
    }
    const QByteArray bytes = encode(lines);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        setError(error, fileError(file, QStringLiteral("Impossibile scrivere")));
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        setError(error, fileError(file, QStringLiteral("Impossibile scrivere")));
        return false;
    }
    return true;
}

bool SettingsFields::createIfMissing(const QString& path, QString* error)
{
    if (QFileInfo::exists(path))
        return true;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, fileError(file, QStringLiteral("Impossibile creare")));
        return false;
    }
    return true;
}
