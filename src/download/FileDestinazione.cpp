#include "download/FileDestinazione.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Numbered names tried before giving up on saving an interrupted download.
constexpr int TentativiNome = 1000;

} // namespace

FileDestinazione::FileDestinazione(const QString& percorso) : m_percorso(percorso)
{
    m_file.setFileName(percorso);
}

bool FileDestinazione::apri()
{
    if (!m_file.open(QIODevice::WriteOnly)) {
        m_errore = m_file.errorString();
        return false;
    }
    return true;
}

bool FileDestinazione::completa(const Scrittura& scrivi)
{
    if (!m_file.isOpen())
        return false;
    if (!scrivi(m_file)) {
        m_errore = m_file.errorString();
        m_file.cancelWriting();
        m_file.commit();
        return false;
    }
    if (!m_file.commit()) {
        m_errore = m_file.errorString();
        return false;
    }
    return true;
}

void FileDestinazione::annulla()
{
    if (m_file.isOpen()) {
        m_file.cancelWriting();
        m_file.commit(); // with writing cancelled this only removes the temporary file
    }
}

QString FileDestinazione::salvaAParte(const QString& etichetta, const Scrittura& scrivi)
{
    annulla();
    for (int n = 1; n <= TentativiNome; ++n) {
        const QString nome = nomeAParte(m_percorso, etichetta, n);
        QFile file(nome);
        // NewOnly fails on an existing file, so nothing is ever replaced.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(nome))
                continue;
            m_errore = file.errorString();
            return QString();
        }
        const bool scritto = scrivi(file);
        file.close();
        if (scritto && file.error() == QFileDevice::NoError)
            return nome;
        m_errore = file.errorString();
        file.remove();
        return QString();
    }
    return QString();
}

QString FileDestinazione::nomeAParte(const QString& percorso, const QString& etichetta, int n)
{
    const QFileInfo info(percorso);
    QString base = percorso;
    QString estensione;
    if (!info.suffix().isEmpty()) {
        estensione = u'.' + info.suffix();
        base.chop(estensione.size());
    }
    const QString numero = n > 1 ? u'_' + QString::number(n) : QString();
    return base + u'_' + etichetta + numero + estensione;
}
