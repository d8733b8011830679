#include "apps/qvedit-qt/point_panel.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <charconv>
#include <string>

namespace quarvel {

namespace {
std::optional<int32_t> ParseInt(const QString& text) {
  const std::string trimmed = text.trimmed().toStdString();
  if (trimmed.empty()) return std::nullopt;
  const char* first = trimmed.data();
  const char* last = first + trimmed.size();
  if (*first == '+') ++first;
  int32_t value = 0;
  const auto result = std::from_chars(first, last, value);
  if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
  return value;
}

QTableWidgetItem* Cell(int value) {
  auto* item = new QTableWidgetItem(QString::number(value));
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}
}  // namespace

// The click that brings the focus would place the cursor after the selection is made: the
// selection is made again once the press is done.
void WholeTextField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  selectOnPress_ = event->reason() == Qt::MouseFocusReason;
  QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void WholeTextField::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  if (selectOnPress_) selectAll();
  selectOnPress_ = false;
}

PointPanel::PointPanel(QWidget* parent) : QWidget(parent) {
  table_ = new QTableWidget(0, 3, this);
  table_->setObjectName("points");
  table_->setHorizontalHeaderLabels({"Point", "Angle", "Percent"});
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setMinimumHeight(table_->verticalHeader()->defaultSectionSize() * 8);
  angle_ = new WholeTextField(this);
  angle_->setObjectName("angle");
  angle_->setMaxLength(12);
  percent_ = new WholeTextField(this);
  percent_->setObjectName("percent");
  percent_->setMaxLength(12);
  set_ = new QPushButton("Set point", this);
  set_->setObjectName("setPoint");
  insert_ = new QPushButton("Insert point", this);
  insert_->setObjectName("insertPoint");
  delete_ = new QPushButton("Delete point", this);
  delete_->setObjectName("deletePoint");

  auto* angleLabel = new QLabel("&Angle", this);
  angleLabel->setBuddy(angle_);
  auto* percentLabel = new QLabel("&Percent", this);
  percentLabel->setBuddy(percent_);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(table_, 0, 0, 1, 6);
  grid->addWidget(angleLabel, 1, 0);
  grid->addWidget(angle_, 1, 1, 1, 2);
  grid->addWidget(percentLabel, 1, 3);
  grid->addWidget(percent_, 1, 4, 1, 2);
  grid->addWidget(set_, 2, 0, 1, 2);
  grid->addWidget(insert_, 2, 2, 1, 2);
  grid->addWidget(delete_, 2, 4, 1, 2);

  connect(table_, &QTableWidget::currentCellChanged, this, [this](int row) { emit Selected(row); });
  connect(set_, &QPushButton::clicked, this, &PointPanel::SetRequested);
  connect(insert_, &QPushButton::clicked, this, &PointPanel::InsertRequested);
  connect(delete_, &QPushButton::clicked, this, &PointPanel::DeleteRequested);
  // Enter in a field sets the selected point.
  connect(angle_, &QLineEdit::returnPressed, this, &PointPanel::SetRequested);
  connect(percent_, &QLineEdit::returnPressed, this, &PointPanel::SetRequested);
  auto* deleteKey =
      new QShortcut(QKeySequence::Delete, table_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(deleteKey, &QShortcut::activated, this, &PointPanel::DeleteRequested);
}

void PointPanel::Show(const std::vector<ShapePoint>& points, int selected, bool canInsert) {
  const QSignalBlocker quiet(table_);
  table_->setRowCount(static_cast<int>(points.size()));
  for (int row = 0; row < static_cast<int>(points.size()); ++row) {
    const ShapePoint& point = points[static_cast<std::size_t>(row)];
    table_->setItem(row, 0, Cell(row + 1));
    table_->setItem(row, 1, Cell(point.angleOffset));
    table_->setItem(row, 2, Cell(point.radiusPercent));
  }
  if (selected >= 0) {
    table_->setCurrentCell(selected, 0);
    table_->selectRow(selected);
    table_->scrollToItem(table_->item(selected, 0));
    const ShapePoint& point = points[static_cast<std::size_t>(selected)];
    if (!angle_->hasFocus()) angle_->setText(QString::number(point.angleOffset));
    if (!percent_->hasFocus()) percent_->setText(QString::number(point.radiusPercent));
  } else {
    table_->clearSelection();
    table_->setCurrentCell(-1, -1);
  }
  set_->setEnabled(selected >= 0);
  delete_->setEnabled(selected >= 0);
  insert_->setEnabled(canInsert);
}

std::optional<ShapePoint> PointPanel::Typed() const {
  const auto angle = ParseInt(angle_->text());
  const auto percent = ParseInt(percent_->text());
  if (!angle || !percent) return std::nullopt;
  return ShapePoint{*angle, *percent};
}

}  // namespace quarvel
