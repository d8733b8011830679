#pragma once
// The time the face stands at: the field, Stop (at the time typed), the classic 10:08:36 and
// Live (the face ticks with the clock).
#include <QWidget>

#include "platform/clock.h"

class QLineEdit;

namespace quarvel {

class TimePanel final : public QWidget {
  Q_OBJECT

 public:
  explicit TimePanel(QWidget* parent = nullptr);

  // The face's time, unless the author is typing one.
  void Show(TimeOfDay time);
  QString Typed() const;

 signals:
  void StopRequested();
  void PoseRequested();
  void LiveRequested();

 private:
  QLineEdit* field_;
};

}  // namespace quarvel
