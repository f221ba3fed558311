#pragma once

#include "download/DataFileLayout.h"

#include <QList>
#include <QStringList>

class QIODevice;
class Registrazione;

// Puts a data file's lines on a device: Latin-1, each line ended by CR LF.
class DataFileWriter
{
public:
    static bool scriviRighe(QIODevice& out, const QStringList& righe);
    // The header lines, then one data line per record.
    static bool scrivi(QIODevice& out, const QStringList& testata,
                       const QList<Registrazione>& registrazioni, DataFileLayout::Tipo tipo,
                       bool conEventi);
};
