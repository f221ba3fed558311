#include "live/GrigliaMisure.h"

#include <atomic>

namespace {

// Generations are unique across grids, so a copy never takes a new grid
// for the one it copied before.
quint64 nuovaGenerazione()
{
    static std::atomic<quint64> contatore{0};
    return ++contatore;
}

} // namespace

GrigliaMisure::GrigliaMisure(QObject* parent)
    : QAbstractTableModel(parent), m_generazione(nuovaGenerazione())
{
}

QString GrigliaMisure::TextMatrix(int riga, int colonna) const
{
    if (colonna < 0 || colonna >= Cols() || riga < 0 || riga >= Rows())
        return QString();
    return riga == 0 ? m_intestazione.at(colonna) : m_righe.at(riga - 1).at(colonna);
}

const QStringList& GrigliaMisure::riga(int riga) const
{
    return riga == 0 ? m_intestazione : m_righe.at(riga - 1);
}

void GrigliaMisure::setTextMatrix(int riga, int colonna, const QString& testo)
{
    if (colonna < 0 || colonna >= Cols() || riga < 0 || riga >= Rows())
        return;
    if (riga == 0) {
        m_intestazione[colonna] = testo;
        m_generazione = nuovaGenerazione();
        emit headerDataChanged(Qt::Horizontal, colonna, colonna);
        return;
    }
    if (riga != Rows() - 1)
        m_generazione = nuovaGenerazione();
    m_righe[riga - 1][colonna] = testo;
    const QModelIndex i = index(riga - 1, colonna);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

void GrigliaMisure::azzera(const QStringList& intestazione)
{
    beginResetModel();
    m_intestazione = intestazione;
    m_righe.clear();
    m_righe.append(QStringList(QList<QString>(intestazione.size())));
    m_generazione = nuovaGenerazione();
    endResetModel();
}

void GrigliaMisure::aggiungiRiga()
{
    const int n = int(m_righe.size());
    beginInsertRows(QModelIndex(), n, n);
    m_righe.append(QStringList(QList<QString>(m_intestazione.size())));
    endInsertRows();
}

int GrigliaMisure::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_righe.size());
}

int GrigliaMisure::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Cols();
}

QVariant GrigliaMisure::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_righe.at(index.row()).at(index.column());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return QVariant();
}

QVariant GrigliaMisure::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= Cols())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_intestazione.at(section);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return QVariant();
}
