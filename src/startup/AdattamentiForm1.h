#pragma once

#include <QDate>
#include <QString>

class QCheckBox;

namespace Ui {
class Form1;
}

// Changes the connection paths (cable, modem, internet) make to the main
// window once the logger's settings are in.
class AdattamentiForm1
{
public:
    // The 16-bit analog model (model code 0): its caption, no temperature
    // download, the analog download caption, the pre-heating frame shown, no
    // choice between frequency and digits.
    static void modelloAnalogico(Ui::Form1& ui, const QString& titolo);

    // identifier_DD_MM_YY_VW.txt, shown yellow in the data-file name box.
    static QString nomeFileProposto(const QString& identificativo, const QDate& oggi);
    static void proponiNomeFile(Ui::Form1& ui, const QDate& oggi);

    // A logger flag (0 or 1) into a check box without running its press
    // operation; any value but 1 leaves it clear.
    static void impostaInterruttore(QCheckBox* casella, const QString& risposta);
};
