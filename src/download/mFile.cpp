#include "download/mFile.h"

#include "common/Dialogs.h"

#include <QFile>
#include <QFileInfo>

mFile::mFile(Dialogs& dialogs) : m_dialogs(dialogs) {}

bool mFile::File_Esiste(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

void mFile::Cancella_File(const QString& path)
{
    if (File_Esiste(path))
        QFile::remove(path);
}

bool mFile::File_Occupato(const QString& path)
{
    for (;;) {
        if (!File_Esiste(path))
            return false;
        switch (Prova_Accesso(path)) {
        case Libero:
            return false;
        case Rinuncia:
            return true;
        default:
            break; // Retry: test again
        }
    }
}

int mFile::Prova_Accesso(const QString& path)
{
    const QString prova = nomeProva(path);
    if (sposta(path, prova)) {
        if (sposta(prova, path))
            return Libero;
        rimettiAlSuoPosto(prova, path);
    }
    const Dialogs::Answer risposta = m_dialogs.message(
        QStringLiteral("Azione annullata"),
        QStringLiteral("Il file ") + path +
            QStringLiteral(" è occupato. Chiudere le applicazioni che utilizzano il file."),
        Dialogs::Icon::None, Dialogs::Buttons::RetryCancel, Dialogs::Answer::Retry);
    return risposta == Dialogs::Answer::Retry ? Riprova : Rinuncia;
}

QString mFile::nomeProva(const QString& path)
{
    const QString base = path + QStringLiteral(".temp");
    QString nome = base;
    for (int n = 1; QFileInfo::exists(nome); ++n)
        nome = base + QString::number(n);
    return nome;
}

bool mFile::sposta(const QString& da, const QString& a)
{
    // QFile::rename never replaces an existing file.
    return QFile::rename(da, a);
}

void mFile::rimettiAlSuoPosto(const QString& prova, const QString& path)
{
    // The way back failed once (the file was seized in between): try again,
    // then copy it back, so the user's file keeps its own name.
    if (sposta(prova, path))
        return;
    if (!QFileInfo::exists(path) && QFile::copy(prova, path))
        QFile::remove(prova);
}
