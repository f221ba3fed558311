#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The continuous measure's grid of texts, addressed as the window sees it:
// row 0 is the fixed header row, rows 1 ... Rows() - 1 one cycle each. In
// the view row 0 is the horizontal header and the other rows are the model's.
//
// A run only ever fills its last row and adds rows at the end; anything else
// (a reset, a change to an earlier row) bumps generazione(), so a reader that
// copies the grid may copy only the rows from its previous last one.
class GrigliaMisure : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit GrigliaMisure(QObject* parent = nullptr);

    int Rows() const { return 1 + int(m_righe.size()); }
    int Cols() const { return int(m_intestazione.size()); }
    QString TextMatrix(int riga, int colonna) const;
    void setTextMatrix(int riga, int colonna, const QString& testo);

    // The header row plus one empty row, with these header texts.
    void azzera(const QStringList& intestazione);
    void aggiungiRiga();
    // The cells of one row.
    const QStringList& riga(int riga) const;

    quint64 generazione() const { return m_generazione; }

    // --- QAbstractTableModel ---
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList m_intestazione;
    QList<QStringList> m_righe;
    quint64 m_generazione;
};
