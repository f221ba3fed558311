#include "download/DataFileLayout.h"

#include "common/TextForms.h"
#include "download/ProprietaSensori.h"
#include "download/ReadingConversions.h"
#include "download/Registrazione.h"

namespace {

// The longest name most file systems take, in characters.
constexpr int NomeMassimo = 255;

const QString CaratteriRifiutati = QStringLiteral("/\\:*?\"<>|");

bool separatore(QChar c)
{
    return c == u'/' || c == u'\\';
}

} // namespace

QString DataFileLayout::nomeFile(const QString& identificatore, const QDate& data, Tipo tipo)
{
    const QString fine =
        tipo == Tipo::Sensori ? QStringLiteral("_SENS.txt") : QStringLiteral("_TEMP.txt");
    return identificatore + u'_' + data.toString(QStringLiteral("dd")) + u'_' +
           data.toString(QStringLiteral("MM")) + u'_' + data.toString(QStringLiteral("yy")) + fine;
}

bool DataFileLayout::identificatoreValido(const QString& identificatore)
{
    if (identificatore.contains(QStringLiteral("..")))
        return false;
    for (QChar c : identificatore) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || CaratteriRifiutati.contains(c))
            return false;
    }
    const int resto = int(nomeFile(QString(), QDate(2000, 1, 1), Tipo::Sensori).size());
    return identificatore.size() + resto <= NomeMassimo;
}

QString DataFileLayout::percorso(const QString& cartella, const QString& nome)
{
    QString radice = cartella;
    QChar sep = radice.contains(u'\\') && !radice.contains(u'/') ? u'\\' : u'/';
    if (!radice.isEmpty() && separatore(radice.back())) {
        sep = radice.back();
        while (!radice.isEmpty() && separatore(radice.back()))
            radice.chop(1);
    }
    return radice + sep + nome;
}

QString DataFileLayout::rigaIntestazione(const QDateTime& quando, qint64 canali, qint64 record)
{
    return QStringLiteral("DATA ACQ.: ") + quando.toString(QStringLiteral("dd/MM/yyyy")) +
           QStringLiteral("  ") + quando.toString(QStringLiteral("HH:mm:ss")) +
           QStringLiteral(",Numero Canali Attivi: ") + TextForms::signedText(double(canali)) +
           QStringLiteral(" ,Numero Dati per Canale: ") + QStringLiteral("     ") +
           TextForms::signedText(double(record));
}

QString DataFileLayout::rigaUnita(bool frequenza)
{
    return frequenza ? QStringLiteral("VALUE IN HZ ")
                     : QStringLiteral("VALUE IN (HZ^2)/1000 'DIGITS'");
}

QString DataFileLayout::rigaCanale(int canale, const ProprietaSensori& proprieta)
{
    QString riga = QStringLiteral("CANALE: ") +
                   QStringLiteral("%1").arg(canale, 2, 10, QChar(u'0')) + QStringLiteral("  ") +
                   QString(10, u' ');
    for (double v : {proprieta.Zero_Volt[canale], proprieta.FS_Volt[canale],
                     proprieta.Zero_Fisico[canale], proprieta.FS_Fisico[canale]})
        riga += QStringLiteral("  ") + TextForms::signedText(v).rightJustified(8, u' ');
    return riga;
}

QStringList DataFileLayout::righeCanali(const std::array<int, 4>& mux,
                                        const ProprietaSensori& proprieta)
{
    QStringList righe;
    for (int m = 0; m < 4; ++m) {
        // A count above 16 would run into the next multiplexer's entries.
        const int n = qBound(0, mux[m], 16);
        for (int i = 0; i < n; ++i)
            righe << rigaCanale(16 * m + i, proprieta);
    }
    return righe;
}

QStringList DataFileLayout::testata(Tipo tipo, const QDateTime& quando, qint64 canali,
                                    qint64 record, const QStringList& descrizione)
{
    QStringList righe{rigaIntestazione(quando, canali, record)};
    if (tipo == Tipo::Sensori)
        righe << QString() << descrizione;
    for (int i = 0; i < RigheVuote; ++i)
        righe << QString();
    return righe;
}

QString DataFileLayout::rigaDati(const Registrazione& r, Tipo tipo, bool conEventi)
{
    QString riga = campoData(r.data(0)) + u'/' + campoData(r.data(1)) + u'/' +
                   campoData(r.data(2)) + u' ' + campoData(r.data(3)) + u'.' +
                   campoData(r.data(4)) + u'.' + campoData(r.data(5)) + QStringLiteral("   ");
    const int n = r.canali();
    riga.reserve(riga.size() + (n + 1) * (Registrazione::LarghezzaValore + 1));
    for (int c = 0; c < n; ++c) {
        riga += u',';
        riga += tipo == Tipo::Temperature ? ReadingConversions::temperaturaNelFile(r.valore(c))
                                          : r.valore(c);
    }
    if (conEventi && tipo == Tipo::Sensori)
        riga += u',' + r.eventi();
    return riga;
}

QString DataFileLayout::campoData(const QString& campo)
{
    return TextForms::formatText(campo, u"00");
}
