#include "config/StatoCasella.h"

#include "common/TextForms.h"

#include <QCheckBox>

#include <cmath>

void StatoCasella::imposta(QCheckBox* casella, const QString& risposta)
{
    // Round half to even, as the check box's own value conversion does.
    const double valore = std::nearbyint(TextForms::value(risposta));
    Qt::CheckState stato = Qt::Unchecked;
    if (valore == 1)
        stato = Qt::Checked;
    else if (valore == 2)
        stato = Qt::PartiallyChecked;
    casella->setCheckState(stato);
}
