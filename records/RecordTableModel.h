#pragma once
// The record grid's rows: the listed keys of one table, each row's other fields read when the
// grid first shows them. Read-only.

#include "records/RecordStore.h"

#include <QAbstractTableModel>
#include <unordered_map>
#include <vector>

// A column of the grid: its title, width (0: the grid's default) and alignments.
struct RecordColumn {
    const char* title = nullptr;
    int width = 0;
    Qt::Alignment cells;
    int titlePixels = 0;
};
inline constexpr RecordColumn RecordColumns[] = {
    {"番号", 30, Qt::AlignHCenter, 13}, {"年月日", 50, Qt::AlignHCenter, 13}, {"名前", 80, Qt::AlignLeft, 13},
    {"条件", 80, Qt::AlignHCenter, 13}, {"回数", 40, Qt::AlignHCenter, 12},   {"時間", 44, Qt::AlignHCenter, 12},
    {"最短", 40, Qt::AlignHCenter, 12},
};
// The column of par and hints, kept beside the designed ones.
inline constexpr int ParColumn = 6;

class RecordTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Lists the table of `game` and `size` again; an empty list without a store.
    void List(qx::RecordStore* store, qx::GameType game, qx::BoardSize size);
    // A row stored since the listing, put at its place in the order.
    int Insert(const qx::RecordKey& key);

    const qx::RecordKey& Key(int row) const { return keys_[row]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // The row's fields, read on first view; null when the row cannot be read.
    const qx::RecordRow* Row(int row) const;
    QVariant Field(int row, int column) const;
    QVariant Spoken(int row, int column) const;

    qx::RecordStore* store_ = nullptr;
    qx::GameType game_ = qx::GameType::PuzzleI;
    qx::BoardSize size_ = qx::BoardSize::Cells9;
    std::vector<qx::RecordKey> keys_;
    mutable std::unordered_map<qint64, qx::RecordRow> rows_;  // by rowid, read on first view
};
