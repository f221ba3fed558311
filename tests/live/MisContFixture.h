#pragma once

#include "FakeLink.h"
#include "live/MisCont.h"
#include "live/TabellaGrafico.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

// A continuous-measure window on the fake port and the virtual clock. Its
// date and time move on by one second at every asking, from the moment the
// proposed name is made (9 December 2023, 18:05:07).
struct MisContFixture : FakeLink
{
    TabellaGrafico tabella;
    QTemporaryDir dir;
    std::unique_ptr<MisCont> window;
    int ticks = 0;

    MisContFixture()
    {
        window = std::make_unique<MisCont>(link, dialogs, tabella);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->setCartellaProgramma(dir.path());
        window->setOrologioData([this] { return time(ticks++); });
    }

    static QDateTime time(int seconds)
    {
        return QDateTime(QDate(2023, 12, 9), QTime(18, 5, 7)).addSecs(seconds);
    }
    static QString stamp(int seconds) { return time(seconds).toString("dd/MM/yyyy HH:mm:ss"); }

    QString path(const QString& name = QStringLiteral("run.txt")) const
    {
        return dir.filePath(name);
    }

    // The logger reports n channels to "H" and answers the cycles given, one
    // reading list each, after `delay` seconds.
    void script(int channels, const QList<QStringList>& cycles, double delay = 0.5)
    {
        port.replyTo("H 0,", QByteArray::number(channels) + ",");
        for (const QStringList& readings : cycles) {
            QByteArray reply;
            for (int k = 0; k < readings.size(); ++k)
                reply += QByteArray::number(k) + "," + readings[k].toLatin1() + ",";
            port.replyTo("p0,", reply, delay);
        }
    }

    static QByteArray readFile(const QString& p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static QByteArray lines(const QStringList& l) { return (l.join("\r\n") + "\r\n").toLatin1(); }
};
