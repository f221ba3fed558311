#pragma once

#include <QString>

class Dialogs;

// File helpers shared by the windows that write data files: existence,
// deletion, and the test whether another program holds a file (it then
// cannot be moved), with a Retry/Cancel box for the user.
class mFile
{
public:
    // Results of Prova_Accesso.
    enum Accesso
    {
        Riprova = 0, // busy, the user chose Retry
        Libero = 1,  // the file could be moved away and back
        Rinuncia = 2 // busy, the user chose Cancel
    };

    explicit mFile(Dialogs& dialogs);
    virtual ~mFile() = default;

    // True if a file of that path exists; false if not or if the test fails.
    static bool File_Esiste(const QString& path);
    // Deletes the file; every failure is ignored.
    static void Cancella_File(const QString& path);

    // True when the file exists, is held by another program and the user gave
    // up; false when it does not exist or is free. Asks again on Retry.
    bool File_Occupato(const QString& path);
    // Moves the file to a probe name and back: Libero when both moves
    // succeed, otherwise the box's answer (Riprova or Rinuncia). The file is
    // never left under the probe name.
    int Prova_Accesso(const QString& path);

    // The name the probe moves the file to: path + ".temp", or, when such a
    // file already exists, the first free path + ".temp" + n.
    static QString nomeProva(const QString& path);

protected:
    // One move, refusing to replace an existing file. Tests override it to
    // make a move fail.
    virtual bool sposta(const QString& da, const QString& a);

private:
    void rimettiAlSuoPosto(const QString& prova, const QString& path);

    Dialogs& m_dialogs;
};
