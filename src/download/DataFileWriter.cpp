#include "download/DataFileWriter.h"

#include "download/Registrazione.h"

#include <QIODevice>

namespace {

bool scriviRiga(QIODevice& out, const QString& riga)
{
    QByteArray testo = riga.toLatin1();
    testo += "\r\n";
    return out.write(testo) == testo.size();
}

} // namespace

bool DataFileWriter::scriviRighe(QIODevice& out, const QStringList& righe)
{
    for (const QString& riga : righe)
        if (!scriviRiga(out, riga))
            return false;
    return true;
}

bool DataFileWriter::scrivi(QIODevice& out, const QStringList& testata,
                            const QList<Registrazione>& registrazioni, DataFileLayout::Tipo tipo,
                            bool conEventi)
{
    if (!scriviRighe(out, testata))
        return false;
    for (const Registrazione& r : registrazioni)
        if (!scriviRiga(out, DataFileLayout::rigaDati(r, tipo, conEventi)))
            return false;
    return true;
}
