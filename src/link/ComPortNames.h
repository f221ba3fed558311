#pragma once

#include <QString>

// Which device "COM n" opens. On Windows the port COMn; elsewhere the device
// named on line n of comports.ini in the program's folder, or /dev/ttyS<n-1>
// when that line is missing or blank.
class ComPortNames
{
public:
    // folder: where comports.ini is looked for (the program's folder).
    explicit ComPortNames(const QString& folder);

    QString deviceFor(int number) const;

    static QString programFolder();

private:
    QString m_folder;
};
