#pragma once
// The hand's points: the list (point, angle, percent), the Angle and Percent fields of the
// selected point, and Set point, Insert point, Delete point. Shows what it is given and says
// what the author asked for; the edits are the window's.
#include <QLineEdit>
#include <QWidget>
#include <optional>
#include <vector>

#include "core/clockface/clock_state.h"

class QPushButton;
class QTableWidget;

namespace quarvel {

// A field whose whole text a click selects, so typing replaces the number instead of adding to
// it.
class WholeTextField final : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool selectOnPress_ = false;
};

class PointPanel final : public QWidget {
  Q_OBJECT

 public:
  explicit PointPanel(QWidget* parent = nullptr);

  // The points and the selected one (-1 for none); fills the fields with the selected point.
  void Show(const std::vector<ShapePoint>& points, int selected, bool canInsert);
  // The fields as typed, or nothing when either is not a whole number.
  std::optional<ShapePoint> Typed() const;

 signals:
  void Selected(int point);
  void SetRequested();
  void InsertRequested();
  void DeleteRequested();

 private:
  QTableWidget* table_;
  WholeTextField* angle_;
  WholeTextField* percent_;
  QPushButton* set_;
  QPushButton* insert_;
  QPushButton* delete_;
};

}  // namespace quarvel
