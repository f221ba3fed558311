#pragma once

#include "PaginaConfig.h"
#include "config/GsmGprs.h"

#include <QLineEdit>

// The GSM/GPRS page on the fake link: its operation class and its rows of
// boxes.
struct PaginaGsm : PaginaConfig
{
    GsmGprs op{ui, link, dialogs};

    QList<QLineEdit*> caselle(const QString& radice, int n) const
    {
        QList<QLineEdit*> c;
        for (int i = 0; i < n; ++i)
            c << finestra.findChild<QLineEdit*>(radice + QString::number(i));
        return c;
    }
    QList<QLineEdit*> sms() const { return caselle("NUMERO_ALLARME_SMS_", 10); }
    QList<QLineEdit*> gprs() const { return caselle("GPRS_", 10); }
};
