#include "live/FileMisuraContinua.h"

#include <QFile>

const QString FileMisuraContinua::InizioDati = QStringLiteral("[INIZIO DATI]");
const QString FileMisuraContinua::FineDati = QStringLiteral("[FINE DATI]");
const QString FileMisuraContinua::TerminatoInaspettatamente =
    QStringLiteral("[FILE TERMINATO INASPETTATAMENTE]");

bool FileMisuraContinua::crea(const QString& percorso)
{
    m_percorso.clear();
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_errore = file.errorString();
        return false;
    }
    file.close();
    m_percorso = percorso;
    m_errore.clear();
    return true;
}

bool FileMisuraContinua::appendi(const QStringList& righe)
{
    if (!aperto())
        return false;
    QByteArray testo;
    for (const QString& r : righe)
        testo += r.toLatin1() + "\r\n";
    QFile file(m_percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(testo) != testo.size() ||
        !file.flush()) {
        m_errore = file.errorString();
        return false;
    }
    file.close();
    return true;
}

bool FileMisuraContinua::inizio(const QStringList& intestazione)
{
    return appendi({InizioDati, intestazione.join(QLatin1Char(','))});
}

bool FileMisuraContinua::fine()
{
    return appendi(FineDati);
}

void FileMisuraContinua::interrotto()
{
    if (aperto())
        appendi({FineDati, TerminatoInaspettatamente});
}
