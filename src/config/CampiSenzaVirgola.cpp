#include "config/CampiSenzaVirgola.h"

#include "common/Dialogs.h"

void CampiSenzaVirgola::aggiungi(const QString& nome, const QString& testo)
{
    m_campi.append(Campo{nome, testo});
}

bool CampiSenzaVirgola::controlla(Dialogs& dialogs) const
{
    for (const Campo& campo : m_campi) {
        if (campo.testo.contains(QLatin1Char(','))) {
            dialogs.message(QStringLiteral("Attenzione"), messaggio(campo.nome),
                            Dialogs::Icon::Warning);
            return false;
        }
    }
    return true;
}

QString CampiSenzaVirgola::messaggio(const QString& nome)
{
    return QStringLiteral("Il campo %1 contiene una virgola: il datalogger la prenderebbe per la "
                          "fine del campo.\nTogli la virgola e riprova; non è stato inviato nulla.")
        .arg(nome);
}
