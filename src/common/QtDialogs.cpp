#include "common/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::StandardButton toButton(Dialogs::Answer answer)
{
    switch (answer) {
    case Dialogs::Answer::Ok:
        return QMessageBox::Ok;
    case Dialogs::Answer::Yes:
        return QMessageBox::Yes;
    case Dialogs::Answer::No:
        return QMessageBox::No;
    case Dialogs::Answer::Retry:
        return QMessageBox::Retry;
    case Dialogs::Answer::Cancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Dialogs::Answer fromButton(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return Dialogs::Answer::Yes;
    case QMessageBox::No:
        return Dialogs::Answer::No;
    case QMessageBox::Retry:
        return Dialogs::Answer::Retry;
    case QMessageBox::Cancel:
        return Dialogs::Answer::Cancel;
    default:
        return Dialogs::Answer::Ok;
    }
}

} // namespace

Dialogs::Answer QtDialogs::message(const QString& title, const QString& text, Icon icon,
                                   Buttons buttons, Answer defaultAnswer)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title.isEmpty() ? programTitle() : title);
    box.setText(text);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        break;
    }
    box.setDefaultButton(toButton(defaultAnswer));
    return fromButton(box.exec());
}

QString QtDialogs::saveFile(const SaveRequest& request)
{
    QFileDialog dialog(m_parent, request.title, request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.selectFile(QDir(request.folder).filePath(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void QtDialogs::beep()
{
    QApplication::beep();
}
