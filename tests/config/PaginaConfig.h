#pragma once

#include "FinestraProva.h"
#include "common/FieldColours.h"

#include <QTest>

// The main window's pages on a link to a fake port with a virtual clock and
// scripted dialogs, the port open as after a successful connection. The
// controls of these pages that the device lock covers are registered with
// the link, so a test can see them locked and released.
struct PaginaConfig : FinestraProva
{
    PaginaConfig() { link.registraComandi(comandiBloccati()); }

    QList<QWidget*> comandiBloccati() const
    {
        return {ui.leggi_nome,  ui.imposta_nome,     ui.leggidata, ui.impostadata, ui.Command1,
                ui.Command2,    ui.impostapreacc,    ui.preacc,    ui.LEGGI_GSM,   ui.SCRIVI_GSM,
                ui.Abilita_SMS, ui.Abilita_Telefono, ui.LeggiGPRS};
    }

    bool comandiAbilitati() const
    {
        for (const QWidget* w : comandiBloccati())
            if (!w->isEnabled())
                return false;
        return true;
    }

    // What the program wrote, parameters joined to their command.
    QByteArray scritto() const { return port.written(); }

    // The user types into a box.
    static void digita(QWidget* casella, const QString& testo) { QTest::keyClicks(casella, testo); }

    static FieldColours::FieldColour colore(const QWidget* w) { return FieldColours::colourOf(w); }
};
