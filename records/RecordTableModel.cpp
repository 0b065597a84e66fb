#include "records/RecordTableModel.h"

#include "shell/FormBase.h"
#include "shell/Look.h"

#include <algorithm>

namespace {

// A smaller face than the other cells' lets "44〜54" fit the narrow column beside the designed ones.
const QFont& ParCellFont()
{
    static const QFont Font = qx::UiFont(qx::PGothic, 11);
    return Font;
}

// CNT as the par cell needs it: anything but a whole number counts as an unfinished game.
int CountOf(const qx::RecordRow& fields)
{
    bool ok = false;
    const int count = fields.count.trimmed().toInt(&ok);
    return ok ? count : 0;
}

}  // namespace

void RecordTableModel::List(qx::RecordStore* store, qx::GameType game, qx::BoardSize size)
{
    beginResetModel();
    store_ = store;
    game_ = game;
    size_ = size;
    keys_.clear();
    rows_.clear();
    try {
        if (store_) keys_ = store_->List(game, size);
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

int RecordTableModel::Insert(const qx::RecordKey& key)
{
    const auto later = [](const qx::RecordKey& a, const qx::RecordKey& b) {
        const qlonglong x = a.number.toLongLong(), y = b.number.toLongLong();
        return x != y ? x < y : a.rowid < b.rowid;
    };
    const int row = static_cast<int>(std::upper_bound(keys_.begin(), keys_.end(), key, later) - keys_.begin());
    beginInsertRows({}, row, row);
    keys_.insert(keys_.begin() + row, key);
    endInsertRows();
    return row;
}

int RecordTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(keys_.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(std::size(RecordColumns));
}

const qx::RecordRow* RecordTableModel::Row(int row) const
{
    auto loaded = rows_.find(keys_[row].rowid);
    if (loaded == rows_.end()) {
        // Painting cannot report an error: a row that cannot be read shows empty cells.
        try {
            loaded = rows_.emplace(keys_[row].rowid, store_->Read(game_, size_, keys_[row].rowid)).first;
        } catch (const EDatabaseError&) {
            return nullptr;
        }
    }
    return &loaded->second;
}

QVariant RecordTableModel::Field(int row, int column) const
{
    if (column == 0) return keys_[row].number;
    const qx::RecordRow* fields = Row(row);
    if (!fields) return {};
    switch (column) {
    case 1: return fields->date;
    case 2: return fields->name;
    case 3: return fields->conditionName;
    case 4: return fields->count;
    case 5: return fields->time;
    default: return Q(qx::ParCellText(fields->par, fields->hints, CountOf(*fields)));
    }
}

QVariant RecordTableModel::Spoken(int row, int column) const
{
    if (column != ParColumn) return {};
    const qx::RecordRow* fields = Row(row);
    if (!fields) return {};
    const std::string spoken = qx::ParCellSpoken(fields->par, fields->hints, CountOf(*fields));
    return spoken.empty() ? QVariant() : QVariant(Q(spoken));
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    if (role == Qt::DisplayRole) return Field(index.row(), index.column());
    if (role == Qt::AccessibleTextRole) return Spoken(index.row(), index.column());
    if (role == Qt::FontRole && index.column() == ParColumn) return ParCellFont();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(RecordColumns[index.column()].cells | Qt::AlignVCenter);
    return {};
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const RecordColumn& column = RecordColumns[section];
    switch (role) {
    case Qt::DisplayRole: return QString::fromUtf8(column.title);
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::FontRole: return qx::UiFont(qx::PGothic, column.titlePixels);
    default: return {};
    }
}
