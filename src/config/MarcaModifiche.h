#pragma once

#include <QObject>

class QWidget;

// Gives a box the edited colour (red) when the user types in it, so that a
// value not yet sent stands out. Two ways of counting a key: a typed character
// (Backspace, Enter, Escape and Ctrl+letter included; arrows, Delete and a lone
// Shift not), or any key pressed down at all.
class MarcaModifiche : public QObject
{
    Q_OBJECT
public:
    enum Modo
    {
        Carattere,
        QualsiasiTasto
    };

    explicit MarcaModifiche(Modo modo, QObject* parent = nullptr);

    void osserva(QWidget* casella);
    template <typename Lista> void osservaTutte(const Lista& caselle)
    {
        for (QWidget* c : caselle)
            osserva(c);
    }

    // Whether a key event counts as typing a character.
    static bool eCarattere(int tasto, const QString& testo);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    Modo m_modo;
};
