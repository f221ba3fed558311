#include "startup/Ini.h"

#include "link/Clock.h"
#include "startup/ImmagineProdotto.h"

#include <QGuiApplication>
#include <QScreen>

Ini::Ini(QWidget& dialogo, Clock& orologio, QWidget* parent)
    : QWidget(parent), m_dialogo(dialogo), m_orologio(orologio)
{
    ui.setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    // An all-blank caption does not survive the .ui file.
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(size());
    ui.Image1->setPixmap(ImmagineProdotto::disegna(size() - QSize(8, 8)));
}

void Ini::avvia()
{
    if (const QScreen* schermo = QGuiApplication::primaryScreen()) {
        const QRect area = schermo->availableGeometry();
        move(area.left() + (area.width() - m_dialogo.width()) / 2,
             area.top() + (area.height() - m_dialogo.height()) / 2);
    }
    show();
    // Repaints, but takes no input.
    m_orologio.pause(Durata);
    m_dialogo.show();
    hide();
    setEnabled(false);
}
