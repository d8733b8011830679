#include "apps/qvedit-qt/time_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/skineditor/face_time.h"

namespace quarvel {

TimePanel::TimePanel(QWidget* parent) : QWidget(parent) {
  field_ = new QLineEdit(this);
  field_->setObjectName("time");
  field_->setMaxLength(12);
  auto* label = new QLabel("&Time", this);
  label->setBuddy(field_);
  auto* stop = new QPushButton("S&top", this);
  stop->setObjectName("stop");
  auto* pose = new QPushButton(QString::fromStdString(TimeText(kClassicPose)), this);
  pose->setObjectName("pose");
  auto* live = new QPushButton("&Live", this);
  live->setObjectName("live");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(label);
  row->addWidget(field_, 1);
  row->addWidget(stop);
  row->addWidget(pose);
  row->addWidget(live);
  connect(stop, &QPushButton::clicked, this, &TimePanel::StopRequested);
  connect(field_, &QLineEdit::returnPressed, this, &TimePanel::StopRequested);
  connect(pose, &QPushButton::clicked, this, &TimePanel::PoseRequested);
  connect(live, &QPushButton::clicked, this, &TimePanel::LiveRequested);
}

void TimePanel::Show(TimeOfDay time) {
  if (!field_->hasFocus()) field_->setText(QString::fromStdString(TimeText(time)));
}

QString TimePanel::Typed() const {
  return field_->text();
}

}  // namespace quarvel
