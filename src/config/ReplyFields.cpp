#include "config/ReplyFields.h"

#include "common/TextForms.h"
#include "link/Modulo1.h"

#include <QLineEdit>

namespace ReplyFields {

QStringList read(Modulo1& link, int n)
{
    QStringList fields;
    for (int i = 0; i < n; ++i) {
        if (link.Interrotto())
            fields.append(link.TimeoutAvvenuto() ? QStringLiteral("%%") : QString());
        else
            fields.append(link.Leggi_Risposta());
    }
    return fields;
}

void setWhole(QLineEdit* box, const QString& text)
{
    if (text.size() > box->maxLength())
        box->setMaxLength(int(text.size()));
    box->setText(text);
}

void show(const QList<QLineEdit*>& boxes, const QStringList& texts,
          FieldColours::FieldColour colour, const std::function<QString(const QString&)>& form)
{
    for (qsizetype i = 0; i < boxes.size() && i < texts.size(); ++i)
        setWhole(boxes[i], form ? form(texts[i]) : texts[i]);
    ReplyFields::colour(boxes, colour);
}

void colour(const QList<QLineEdit*>& boxes, FieldColours::FieldColour colour)
{
    for (QLineEdit* box : boxes)
        FieldColours::setColour(box, colour);
}

QString trimmed(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from] == u' ')
        ++from;
    while (to > from && text[to - 1] == u' ')
        --to;
    return text.mid(from, to - from);
}

QString plainNumber(const QString& text)
{
    return TextForms::plainText(TextForms::value(text));
}

QString twoDigits(const QString& text)
{
    return TextForms::formatText(text, u"00");
}

} // namespace ReplyFields
