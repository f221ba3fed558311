#include "link/ComPortNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

ComPortNames::ComPortNames(const QString& folder) : m_folder(folder) {}

QString ComPortNames::programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString ComPortNames::deviceFor(int number) const
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    QFile file(QDir(m_folder).filePath(QStringLiteral("comports.ini")));
    if (number >= 1 && file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (int line = 1; !file.atEnd(); ++line) {
            const QString text = QString::fromLatin1(file.readLine()).trimmed();
            if (line == number) {
                if (!text.isEmpty())
                    return text;
                break;
            }
        }
    }
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}
