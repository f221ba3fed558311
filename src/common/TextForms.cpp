#include "TextForms.h"

#include <cmath>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Length of the decimal number starting at text[pos] (sign, digits, one
// point); 0 when there is none, a lone sign or point not counting as one.
qsizetype numberLength(QStringView text, qsizetype pos)
{
    qsizetype i = pos;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == u'.') {
        qsizetype afterPoint = i + 1;
        qsizetype decimals = 0;
        while (afterPoint < text.size() && text[afterPoint].isDigit() &&
               text[afterPoint].unicode() < 128) {
            ++afterPoint;
            ++decimals;
        }
        if (digits + decimals > 0) {
            digits += decimals;
            i = afterPoint;
        }
    }
    return digits > 0 ? i - pos : 0;
}

qsizetype skipBlanks(QStringView text, qsizetype pos)
{
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return pos;
}

// Adds one unit in the last place of a digit string; true when it carries
// out of the first digit.
bool incrementDigits(QString& digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == u'9') {
            digits[i] = u'0';
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            return false;
        }
    }
    return true;
}

} // namespace

double TextForms::value(QStringView text)
{
    const qsizetype start = skipBlanks(text, 0);
    const qsizetype length = numberLength(text, start);
    if (length == 0)
        return 0.0;
    // QString::toDouble always reads a point, whatever the default locale.
    return text.mid(start, length).toString().toDouble();
}

bool TextForms::isNumber(QStringView text)
{
    const qsizetype start = skipBlanks(text, 0);
    const qsizetype length = numberLength(text, start);
    return length > 0 && skipBlanks(text, start + length) == text.size();
}

QString TextForms::signedText(double number)
{
    if (number < 0)
        return plainText(number);
    return u' ' + plainText(number);
}

QString TextForms::plainText(double number)
{
    if (number == 0)
        return QStringLiteral("0"); // also for -0
    // QString::number ignores the locale, so the separator is always a point.
    return QString::number(number, 'g', 15).toUpper();
}

QString TextForms::format(double number, QStringView pattern)
{
    if (!std::isfinite(number))
        return plainText(number);

    const qsizetype point = pattern.indexOf(u'.');
    const QStringView intPattern = point < 0 ? pattern : pattern.left(point);
    const QStringView fracPattern = point < 0 ? QStringView() : pattern.mid(point + 1);
    const qsizetype minInt = intPattern.count(u'0');
    const qsizetype minFrac = fracPattern.count(u'0');
    const qsizetype maxFrac = fracPattern.size();

    // Work on the 15 significant digits a double holds, so 1.005 rounds to
    // 1.01 as the user expects, not down as its binary value would.
    const QString scientific = QString::number(std::fabs(number), 'e', 14);
    const qsizetype e = scientific.indexOf(u'e');
    const QString mantissa = scientific.left(1) + scientific.mid(2, e - 2);
    const int pointPos = scientific.mid(e + 1).toInt() + 1;

    QString intDigits;
    QString fracDigits;
    if (pointPos <= 0) {
        fracDigits = QString(-pointPos, u'0') + mantissa;
    } else if (pointPos >= mantissa.size()) {
        intDigits = mantissa + QString(pointPos - mantissa.size(), u'0');
    } else {
        intDigits = mantissa.left(pointPos);
        fracDigits = mantissa.mid(pointPos);
    }

    if (fracDigits.size() > maxFrac) {
        const bool roundUp = fracDigits[maxFrac] >= u'5';
        fracDigits.truncate(maxFrac);
        if (roundUp) {
            QString all = intDigits + fracDigits;
            if (incrementDigits(all))
                all.prepend(u'1');
            intDigits = all.left(all.size() - fracDigits.size());
            fracDigits = all.right(fracDigits.size());
        }
    }
    while (fracDigits.size() > minFrac && fracDigits.endsWith(u'0'))
        fracDigits.chop(1);

    qsizetype firstSignificant = 0;
    while (firstSignificant < intDigits.size() && intDigits[firstSignificant] == u'0')
        ++firstSignificant;
    intDigits.remove(0, firstSignificant);
    if (intDigits.size() < minInt)
        intDigits.prepend(QString(minInt - intDigits.size(), u'0'));

    // A negative number that rounds to zero shows no sign.
    const bool negative =
        number < 0 && (intDigits + fracDigits).count(u'0') != intDigits.size() + fracDigits.size();
    QString text = negative ? QStringLiteral("-") : QString();
    text += intDigits;
    // As the classic patterns do, the point stays even when no decimal is left.
    if (point >= 0)
        text += u'.' + fracDigits;
    return text;
}

QString TextForms::formatText(const QString& text, QStringView pattern)
{
    return isNumber(text) ? format(value(text), pattern) : text;
}
