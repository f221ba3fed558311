#pragma once

#include <QList>
#include <QStringList>

class GrigliaMisure;

// The program's table of texts that feeds the charts: row 0 the headers
// ("Date", CH 0, CH 1, ...), column 0 the date and time of each row, columns
// 1 ... NumCanaliGrafico the readings. One instance for the program, handed
// to the windows that fill it and the charts that read it.
class TabellaGrafico
{
public:
    QList<QStringList> DatiGrafico;
    int NumCanaliGrafico = 0;
    int NumRigheGrafico = 0; // data rows, the header row not counted

    // Makes the table a copy of the grid and returns the first row that may
    // differ from what the table held before (0: all of it). A grid that only
    // grew at its end since the last copy costs only its new rows.
    int riempiDaGriglia(const GrigliaMisure& griglia);

    // The table was filled some other way: the next copy is a whole one.
    void invalida() { m_sorgente = nullptr; }

    // The text at (row, column), empty outside the table.
    QString cella(int riga, int colonna) const;

private:
    const GrigliaMisure* m_sorgente = nullptr;
    quint64 m_generazione = 0;
};
