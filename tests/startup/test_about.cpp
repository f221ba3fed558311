#include "about/About.h"

#include <QTemporaryDir>
#include <QtTest>

// The About box's system-information button follows what is installed.
class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void showsProgramVersionAndModels()
    {
        About box;
        QCOMPARE(box.ui.lblTitle->text(), QStringLiteral("vkdesk"));
        QVERIFY(box.ui.lblVersion->text().contains(About::versione()));
        QVERIFY(!About::versione().isEmpty());
        QVERIFY(box.ui.lblModels->text().contains("16 bit"));
        QVERIFY(box.ui.lblModels->text().contains("corda vibrante"));
    }

    void toolButtonEnabledOnlyWhenAToolIsInstalled()
    {
        QTemporaryDir bin;
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        {
            About box;
            QVERIFY(!box.ui.cmdSysInfo->isEnabled());
        }
        const QString tool = bin.filePath(About::candidatiStrumento().first());
        QFile file(tool);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        {
            About box;
            QVERIFY(box.ui.cmdSysInfo->isEnabled());
            QCOMPARE(About::strumentoSistema(), tool);
        }
        qputenv("PATH", oldPath);
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
