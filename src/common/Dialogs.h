#pragma once

#include <QString>

// Message boxes, save dialogs and the beep. The program shows real Qt
// dialogs (QtDialogs); tests use a scripted implementation that records every
// box and answers from a queue.
class Dialogs
{
public:
    enum class Icon
    {
        None,
        Information,
        Warning,
        Critical,
        Question
    };
    enum class Buttons
    {
        Ok,
        YesNo,
        RetryCancel
    };
    enum class Answer
    {
        Ok,
        Yes,
        No,
        Retry,
        Cancel
    };

    struct SaveRequest
    {
        QString title;
        QString folder;       // initial folder
        QString proposedName; // proposed file name
        QString filter;       // e.g. "File di testo (*.txt)"
        QString defaultSuffix;
    };

    virtual ~Dialogs() = default;

    // An empty title means the program's own title.
    virtual Answer message(const QString& title, const QString& text, Icon icon = Icon::None,
                           Buttons buttons = Buttons::Ok, Answer defaultAnswer = Answer::Ok) = 0;
    // The chosen path, or an empty string when the user cancels.
    virtual QString saveFile(const SaveRequest& request) = 0;
    virtual void beep() = 0;

    // The title a box gets when none is given.
    static QString programTitle() { return QStringLiteral("vkdesk"); }
};
