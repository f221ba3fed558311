#pragma once

#include <QString>

class QCheckBox;

// A logger flag shown in a check box: the reply's numeric value rounded to a
// whole number, 0 clear, 1 ticked, 2 grey. Any other value (a negative or
// larger number) leaves the box clear rather than guessing a state.
class StatoCasella
{
public:
    static void imposta(QCheckBox* casella, const QString& risposta);
};
