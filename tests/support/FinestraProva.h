#pragma once

#include "FakeLink.h"
#include "startup/ui_Form1.h" // each test source includes it too, for the build to generate it

#include <QMainWindow>

// The main window's widgets on a fake link. Operation classes are built on
// `ui` and `link` by the test.
struct FinestraProva : FakeLink
{
    QMainWindow finestra;
    Ui::Form1 ui;

    FinestraProva() { ui.setupUi(&finestra); }
};
