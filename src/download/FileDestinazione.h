#pragma once

#include <QSaveFile>
#include <QString>

#include <functional>

class QIODevice;

// Where a download's file goes. The file is written beside its destination
// under a temporary name and put in place only when the download completes,
// so a failed download never destroys a file already there; the records of
// an interrupted download go to a new name that replaces nothing.
class FileDestinazione
{
public:
    using Scrittura = std::function<bool(QIODevice&)>;

    explicit FileDestinazione(const QString& percorso);

    // Creates the temporary file beside the destination; false when the
    // folder or the device cannot take it.
    bool apri();
    // Writes the content and puts it in place of the destination.
    bool completa(const Scrittura& scrivi);
    // Drops the temporary file.
    void annulla();

    // Writes the content to a new file beside the destination, named after it
    // with `etichetta` (and a number when that name is taken). Returns its
    // path, or an empty string when no file could be written.
    QString salvaAParte(const QString& etichetta, const Scrittura& scrivi);
    QString errore() const { return m_errore; }

    static QString nomeAParte(const QString& percorso, const QString& etichetta, int n);

private:
    QString m_percorso;
    QSaveFile m_file;
    QString m_errore;
};
