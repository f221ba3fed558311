#pragma once

#include "common/FieldColours.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class Modulo1;
class QLineEdit;

// Reading a run of reply fields into the page's boxes.
namespace ReplyFields {

// Reads n comma-terminated fields of the reply now arriving. Once a field has
// timed out (or the line failed) the logger is not waited for again: the
// remaining fields take the same result at once ("%%", or empty after a line
// failure), which is what a minute of silence per field would have shown,
// without holding the window locked for minutes and without picking up a
// late field out of place.
QStringList read(Modulo1& link, int n);

// Puts the whole text in the box. A box's input limit is for typing: a text
// the program sets (a reply, a formatted value such as "-00015") is shown
// whole rather than cut, the limit widened to fit it.
void setWhole(QLineEdit* box, const QString& text);

// Shows texts[i] (through `form`, when given) in boxes[i] and gives the boxes
// the colour.
void show(const QList<QLineEdit*>& boxes, const QStringList& texts,
          FieldColours::FieldColour colour,
          const std::function<QString(const QString&)>& form = nullptr);

void colour(const QList<QLineEdit*>& boxes, FieldColours::FieldColour colour);

// The forms a reply takes in a box.
// Without leading and trailing blanks (only blanks: other characters such as
// tabs are data and stay).
QString trimmed(const QString& text);
// Numeric value as a plain number: "05" -> "5", "%%" -> "0".
QString plainNumber(const QString& text);
// At least two digits: "7" -> "07"; a text that is no number stays as it is.
QString twoDigits(const QString& text);

} // namespace ReplyFields
