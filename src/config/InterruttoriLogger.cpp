#include "config/InterruttoriLogger.h"

#include <QCheckBox>
#include <QKeyEvent>

namespace {

bool tastoCheCommuta(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const int tasto = static_cast<const QKeyEvent*>(event)->key();
    return tasto == Qt::Key_Space || tasto == Qt::Key_Select;
}

} // namespace

void InterruttoriLogger::aggiungi(QCheckBox* casella, std::function<void()> pressione)
{
    m_interruttori.append({casella, std::move(pressione)});
    casella->installEventFilter(this);
}

QString InterruttoriLogger::opposto(const QCheckBox* casella)
{
    return casella->checkState() == Qt::Checked ? QStringLiteral("0") : QStringLiteral("1");
}

bool InterruttoriLogger::eventFilter(QObject* watched, QEvent* event)
{
    for (const Interruttore& interruttore : m_interruttori) {
        if (interruttore.casella != watched)
            continue;
        if (event->type() == QEvent::MouseButtonPress) {
            if (!m_inCommutazione) {
                m_inCommutazione = true;
                interruttore.pressione();
                m_inCommutazione = false;
            }
            return true;
        }
        return event->type() == QEvent::MouseButtonDblClick || tastoCheCommuta(event);
    }
    return QObject::eventFilter(watched, event);
}
