#pragma once
// The clock's options beside the skin: seconds hand, date, time zone, opacity, layer, all
// workspaces, start at login, hourly chime, locked, and Reset to defaults. Shows the options it
// is given and says which one the author changed, in the options file's words.
#include <QWidget>

#include "core/skin/clock_options.h"

class QCheckBox;
class QComboBox;
class QSlider;
class QSpinBox;

namespace quarvel {

class OptionsPanel final : public QWidget {
  Q_OBJECT

 public:
  explicit OptionsPanel(QWidget* parent = nullptr);

  void Show(const ClockOptions& options);

 signals:
  // An option set to this value ("on", "below", "60", "Asia/Tokyo"), to be applied.
  void OptionChosen(const QString& key, const QString& value);
  void ResetRequested();

 private:
  QCheckBox* Switch(const char* text, const char* key, const char* tip);
  void LayOut(QWidget* reset);
  void ChooseZone(const QString& typed);

  QCheckBox* secondsHand_;
  QCheckBox* date_;
  QComboBox* zone_;
  QSpinBox* opacity_;
  QSlider* opacitySlider_;
  QComboBox* layer_;
  QCheckBox* allWorkspaces_;
  QCheckBox* startAtLogin_;
  QCheckBox* hourlyChime_;
  QCheckBox* locked_;
  QString shownZone_;
};

}  // namespace quarvel
