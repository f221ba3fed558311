#pragma once

#include <QList>
#include <QString>

class Dialogs;

// The logger ends every field at a comma, so a comma typed inside a name,
// value, number or SMS line would split it and shift every later field it
// stores. An operation lists the texts it is about to send and asks here
// first; on a comma the user is told which field holds it and nothing is sent.
class CampiSenzaVirgola
{
public:
    // `nome` names the field for the user, e.g. "\"Nome\" della riga 3".
    void aggiungi(const QString& nome, const QString& testo);

    // True when no listed text holds a comma; otherwise shows one box naming
    // the first such field and returns false.
    bool controlla(Dialogs& dialogs) const;

    // The text of the box shown for a field.
    static QString messaggio(const QString& nome);

private:
    struct Campo
    {
        QString nome;
        QString testo;
    };
    QList<Campo> m_campi;
};
