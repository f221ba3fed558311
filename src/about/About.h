#pragma once

#include "about/ui_About.h"

#include <QDialog>
#include <QStringList>

// The About box: program, version, the logger models it serves, and a
// button that starts the system's own information tool when there is one.
class About : public QDialog
{
    Q_OBJECT
public:
    explicit About(QWidget* parent = nullptr);

    Ui::About ui;

    static QString versione();
    // The first of the system-information tools found on the search path
    // (QStandardPaths::findExecutable); empty when none is installed.
    static QString strumentoSistema(const QStringList& candidati = candidatiStrumento());
    static QStringList candidatiStrumento();

private:
    void avviaStrumento();

    QString m_strumento;
};
