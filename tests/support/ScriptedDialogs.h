#pragma once

#include "common/Dialogs.h"

#include <QList>

// Dialogs for tests: records every box and answers from a queue (a box with
// no queued answer gets its default).
class ScriptedDialogs : public Dialogs
{
public:
    struct Box
    {
        QString title;
        QString text;
        Icon icon;
        Buttons buttons;
        Answer defaultAnswer;
    };

    void answerNext(Answer answer) { m_answers.append(answer); }
    void saveNext(const QString& path) { m_savePaths.append(path); }

    const QList<Box>& boxes() const { return m_boxes; }
    const QList<SaveRequest>& saveRequests() const { return m_saveRequests; }
    int beeps() const { return m_beeps; }
    void clear();

    Answer message(const QString& title, const QString& text, Icon icon, Buttons buttons,
                   Answer defaultAnswer) override;
    QString saveFile(const SaveRequest& request) override;
    void beep() override { ++m_beeps; }

private:
    QList<Box> m_boxes;
    QList<Answer> m_answers;
    QList<SaveRequest> m_saveRequests;
    QList<QString> m_savePaths;
    int m_beeps = 0;
};
