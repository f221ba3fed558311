#include "ScriptedDialogs.h"

void ScriptedDialogs::clear()
{
    m_boxes.clear();
    m_answers.clear();
    m_saveRequests.clear();
    m_savePaths.clear();
    m_beeps = 0;
}

Dialogs::Answer ScriptedDialogs::message(const QString& title, const QString& text, Icon icon,
                                         Buttons buttons, Answer defaultAnswer)
{
    m_boxes.append(
        Box{title.isEmpty() ? programTitle() : title, text, icon, buttons, defaultAnswer});
    return m_answers.isEmpty() ? defaultAnswer : m_answers.takeFirst();
}

QString ScriptedDialogs::saveFile(const SaveRequest& request)
{
    m_saveRequests.append(request);
    return m_savePaths.isEmpty() ? QString() : m_savePaths.takeFirst();
}
