#include "FieldColours.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace {

// Widget property that holds a box's own design colour.
constexpr char DesignColourProperty[] = "vkFieldDesignColour";

void paint(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

QColor FieldColours::fromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QColor FieldColours::toReadColour()
{
    return fromBgr(0x0080FFFF);
}

QColor FieldColours::editedColour()
{
    return fromBgr(0x000000FF);
}

QColor FieldColours::confirmedColour()
{
    return fromBgr(0x0000FFFF);
}

void FieldColours::setDesignColour(QWidget* widget, const QColor& colour)
{
    if (!widget)
        return;
    widget->setProperty(DesignColourProperty, colour);
    paint(widget, colour);
}

QColor FieldColours::designColour(const QWidget* widget)
{
    const QVariant own = widget ? widget->property(DesignColourProperty) : QVariant();
    return own.isValid() ? own.value<QColor>() : toReadColour();
}

void FieldColours::setColour(QWidget* widget, FieldColour colour)
{
    if (!widget)
        return;
    switch (colour) {
    case ToRead:
        paint(widget, designColour(widget));
        break;
    case Edited:
        paint(widget, editedColour());
        break;
    case Confirmed:
        paint(widget, confirmedColour());
        break;
    case Other:
        break;
    }
}

void FieldColours::setBackground(QWidget* widget, const QColor& colour)
{
    if (widget)
        paint(widget, colour);
}

FieldColours::FieldColour FieldColours::colourOf(const QWidget* widget)
{
    if (!widget)
        return Other;
    const QColor shown = widget->palette().color(QPalette::Base);
    if (shown == editedColour())
        return Edited;
    if (shown == confirmedColour())
        return Confirmed;
    if (shown == designColour(widget))
        return ToRead;
    return Other;
}
