#pragma once

#include "common/Dialogs.h"

class QWidget;

// The program's message boxes, save dialogs and beep.
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget* parent) { m_parent = parent; }

    Answer message(const QString& title, const QString& text, Icon icon, Buttons buttons,
                   Answer defaultAnswer) override;
    QString saveFile(const SaveRequest& request) override;
    void beep() override;

private:
    QWidget* m_parent;
};
