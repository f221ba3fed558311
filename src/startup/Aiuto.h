#pragma once

#include <QDialog>

// A short guide to the main window's pages and menus.
class Aiuto : public QDialog
{
    Q_OBJECT
public:
    explicit Aiuto(QWidget* parent = nullptr);
};
