#pragma once
// The rows of the result grid (超级列表框1): eight columns, kept as GBK and
// converted only for the rows a view asks for, so a run of 100,000+ names
// costs little more than the rows themselves.
#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

#include "engine/name_parts.h"

namespace engine {

class ResultModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit ResultModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // Appends a batch at the end, as one insertion.
  void appendRows(std::vector<ResultRow> rows);
  // Deletes every row.
  void clear();

  // The picture every row shows in its first column (the grid's image 32).
  void setRowIcon(const QIcon& icon);

  // Row access for the context menu and the exports; `index` must be valid.
  const ResultRow& row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
  const std::vector<ResultRow>& rows() const { return rows_; }

 private:
  std::vector<ResultRow> rows_;
  QIcon rowIcon_;
};

}  // namespace engine
