#include "engine/ui/ResultModel.h"

#include <QStringList>

#include "platform/ui/qt_bridge.h"

namespace engine {

ResultModel::ResultModel(QObject* parent) : QAbstractTableModel(parent) {}

int ResultModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kResultColumnCount;
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()) ||
      index.column() >= kResultColumnCount)
    return {};
  if (role == Qt::DecorationRole)
    return index.column() == 0 && !rowIcon_.isNull() ? QVariant(rowIcon_) : QVariant();
  if (role != Qt::DisplayRole) return {};
  const ResultRow& r = rows_[static_cast<std::size_t>(index.row())];
  switch (index.column()) {
    case 0:
      return r.serial;
    case 2:
      return r.simplifiedStrokes;
    case 4:
      return r.kangxiStrokes;
    case 6:
      return r.score;
    default:
      return platform::Q(ResultCellText(r, index.column()));
  }
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  if (section < 0 || section >= kResultColumnCount) return {};
  static const QStringList headers = [] {
    QStringList list;
    for (int c = 0; c < kResultColumnCount; ++c) list << platform::Q(ResultColumnHeader(c));
    return list;
  }();
  return headers[section];
}

void ResultModel::appendRows(std::vector<ResultRow> rows) {
  if (rows.empty()) return;
  const int first = static_cast<int>(rows_.size());
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
  if (rows_.empty()) {
    rows_ = std::move(rows);
  } else {
    rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
  }
  endInsertRows();
}

void ResultModel::setRowIcon(const QIcon& icon) {
  rowIcon_ = icon;
  if (!rows_.empty())
    emit dataChanged(index(0, 0), index(static_cast<int>(rows_.size()) - 1, 0), {Qt::DecorationRole});
}

void ResultModel::clear() {
  if (rows_.empty()) return;
  beginResetModel();
  rows_.clear();
  rows_.shrink_to_fit();
  endResetModel();
}

}  // namespace engine
