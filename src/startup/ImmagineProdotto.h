#pragma once

#include <QPixmap>
#include <QSize>

// The picture of the logger shown by the splash and the download page,
// drawn rather than loaded so the program needs no image files.
class ImmagineProdotto
{
public:
    static QPixmap disegna(const QSize& size);
};
