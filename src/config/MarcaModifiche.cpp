#include "config/MarcaModifiche.h"

#include "common/FieldColours.h"

#include <QKeyEvent>
#include <QWidget>

MarcaModifiche::MarcaModifiche(Modo modo, QObject* parent) : QObject(parent), m_modo(modo) {}

void MarcaModifiche::osserva(QWidget* casella)
{
    if (casella)
        casella->installEventFilter(this);
}

bool MarcaModifiche::eCarattere(int tasto, const QString& testo)
{
    switch (tasto) {
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Delete: // carries "\x7f" on some systems, yet types nothing
    case Qt::Key_Tab:    // moves the focus
    case Qt::Key_Backtab:
        return false;
    default:
        // Cursor keys and lone modifiers carry no text; Ctrl+V carries one.
        return !testo.isEmpty();
    }
}

bool MarcaModifiche::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress) {
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        if (m_modo == QualsiasiTasto || eCarattere(tasto->key(), tasto->text()))
            FieldColours::setColour(qobject_cast<QWidget*>(oggetto), FieldColours::Edited);
    }
    return QObject::eventFilter(oggetto, evento);
}
