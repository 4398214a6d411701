// One list box of the window: a read-only view of a list of lines held by the form.
#include "tessel/qt/list_model.h"

#include <QFont>

namespace tessel {

int LineListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || frozen_) return 0;
  return static_cast<int>(std::min<std::size_t>(lines_->size(), static_cast<std::size_t>(INT32_MAX)));
}

QVariant LineListModel::data(const QModelIndex& index, int role) const {
  if (frozen_ || !index.isValid() || static_cast<std::size_t>(index.row()) >= lines_->size()) return {};
  if (role == Qt::DisplayRole) {
    const std::string_view line = (*lines_)[static_cast<std::size_t>(index.row())];
    return QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
  }
  return {};
}

void LineListModel::SetFrozen(bool frozen) {
  beginResetModel();
  frozen_ = frozen;
  endResetModel();
}

}  // namespace tessel
