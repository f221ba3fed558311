#include "about/About.h"

#include "startup/ImmagineProdotto.h"

#include <QProcess>
#include <QStandardPaths>

#ifndef VKDESK_VERSION
#define VKDESK_VERSION "0.0.0"
#endif

About::About(QWidget* parent) : QDialog(parent)
{
    ui.setupUi(this);
    setModal(false);
    ui.picIcon->setPixmap(ImmagineProdotto::disegna(QSize(64, 64)));
    ui.lblVersion->setText(QStringLiteral("Versione %1").arg(versione()));

    m_strumento = strumentoSistema();
    ui.cmdSysInfo->setEnabled(!m_strumento.isEmpty());
    ui.cmdSysInfo->setToolTip(m_strumento.isEmpty()
                                  ? QStringLiteral("Nessuno strumento di informazioni di sistema "
                                                   "installato")
                                  : m_strumento);
    connect(ui.cmdSysInfo, &QPushButton::clicked, this, &About::avviaStrumento);
    connect(ui.cmdOK, &QPushButton::clicked, this, &QDialog::close);
}

QString About::versione()
{
    return QStringLiteral(VKDESK_VERSION);
}

QStringList About::candidatiStrumento()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("msinfo32")};
#else
    return {QStringLiteral("hardinfo"), QStringLiteral("gnome-system-monitor"),
            QStringLiteral("plasma-systemmonitor")};
#endif
}

QString About::strumentoSistema(const QStringList& candidati)
{
    for (const QString& nome : candidati) {
        const QString percorso = QStandardPaths::findExecutable(nome);
        if (!percorso.isEmpty())
            return percorso;
    }
    return QString();
}

void About::avviaStrumento()
{
    if (!m_strumento.isEmpty())
        QProcess::startDetached(m_strumento, {});
}
