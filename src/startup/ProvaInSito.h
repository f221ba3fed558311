#pragma once

#include <QDialog>

// The on-site test window: tells the technician that the logger is running
// its field test and what to watch for.
class ProvaInSito : public QDialog
{
    Q_OBJECT
public:
    explicit ProvaInSito(QWidget* parent = nullptr);
};
