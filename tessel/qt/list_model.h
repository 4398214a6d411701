// One list box of the window: a read-only view of a list of lines held by the form.
#pragma once

#include <QAbstractListModel>

#include "tessel/line_list.h"

namespace tessel {

class LineListModel final : public QAbstractListModel {
 public:
  explicit LineListModel(const LineList* lines, QObject* parent = nullptr)
      : QAbstractListModel(parent), lines_(lines) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // While a run fills the lines on another thread the view shows nothing and reads nothing.
  void SetFrozen(bool frozen);

 private:
  const LineList* lines_;
  bool frozen_ = false;
};

}  // namespace tessel
