#pragma once

#include <QColor>

class QWidget;

// The background colours by which the value boxes show their state: to-read
// (the box's design colour, light yellow), edited (red, typed by the user but
// not yet sent) and confirmed (bright yellow, read from or written to the
// logger). The colour goes into the palette's Base and Window roles, so it
// shows on text boxes and on labels alike.
class FieldColours
{
public:
    enum FieldColour
    {
        ToRead,
        Edited,
        Confirmed,
        Other
    };

    // Colours are given in the design's &H00BBGGRR form.
    static QColor fromBgr(quint32 bgr);

    static QColor toReadColour();    // &H0080FFFF
    static QColor editedColour();    // &H000000FF
    static QColor confirmedColour(); // &H0000FFFF

    // A box whose design colour is not the common light yellow (the paler
    // channel-count boxes, &H00C0FFFF) keeps that colour as its to-read
    // colour: this records it on the widget and shows it.
    static void setDesignColour(QWidget* widget, const QColor& colour);
    static QColor designColour(const QWidget* widget);

    static void setColour(QWidget* widget, FieldColour colour);
    // Any other background, such as the green of a finished operation.
    static void setBackground(QWidget* widget, const QColor& colour);
    // Which of the three colours the widget shows; Other for any other colour.
    static FieldColour colourOf(const QWidget* widget);
};
