#include "apps/qvedit-qt/options_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTimeZone>
#include <QVBoxLayout>

namespace quarvel {

namespace {
// The layers in the order the list shows them, with the options file's word for each.
struct LayerChoice {
  const char* shown;
  const char* word;
};
constexpr LayerChoice kLayers[] = {
    {"Top-most", "top-most"}, {"Normal", "normal"}, {"Below other windows", "below"}};
}  // namespace

OptionsPanel::OptionsPanel(QWidget* parent) : QWidget(parent) {
  secondsHand_ = Switch("Seconds &hand", "seconds_hand",
                        "Draws the seconds hand; without it the clock wakes once a minute.");
  date_ = Switch("Dat&e", "date", "Shows the day of the month in a small window on the face.");
  zone_ = new QComboBox(this);
  zone_->setObjectName("time_zone");
  zone_->setEditable(true);
  zone_->setInsertPolicy(QComboBox::NoInsert);
  zone_->lineEdit()->setPlaceholderText("System time zone");
  zone_->addItem(QString());  // the system's
  for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) zone_->addItem(QString(id));
  zone_->setToolTip(
      "The clock shows the time of this zone, such as Asia/Tokyo; empty for the system's.");
  opacity_ = new QSpinBox(this);
  opacity_->setObjectName("opacity");
  opacity_->setRange(kMinOpacityPercent, kMaxOpacityPercent);
  opacity_->setSuffix(" %");
  opacity_->setKeyboardTracking(false);
  opacity_->setToolTip("How solid the clock is drawn over what lies behind it.");
  opacitySlider_ = new QSlider(Qt::Horizontal, this);
  opacitySlider_->setObjectName("opacitySlider");
  opacitySlider_->setRange(kMinOpacityPercent, kMaxOpacityPercent);
  opacitySlider_->setToolTip(opacity_->toolTip());
  layer_ = new QComboBox(this);
  layer_->setObjectName("layer");
  for (const LayerChoice& layer : kLayers) layer_->addItem(layer.shown, QString(layer.word));
  layer_->setToolTip(
      "Where the clock stays among the windows: above them, among them, or on the desktop.");
  allWorkspaces_ = Switch("&All workspaces", "all_workspaces",
                          "Shows the clock on every workspace of the desktop.");
  startAtLogin_ = Switch("Start at lo&gin", "start_at_login",
                         "Starts this clock on this skin when you log in, from the next save.");
  hourlyChime_ =
      Switch("Hourly &chime", "hourly_chime", "Plays a short, quiet sound at each full hour.");
  locked_ = Switch("Loc&ked", "locked", "Keeps the clock from being dragged by accident.");
  auto* reset = new QPushButton("Reset to de&faults", this);
  reset->setObjectName("resetOptions");
  reset->setToolTip("Puts every option back as the clock has it without an options file.");
  LayOut(reset);

  const auto send = [this](const char* key, const QString& value) {
    emit OptionChosen(key, value);
  };
  connect(zone_, &QComboBox::textActivated, this, &OptionsPanel::ChooseZone);
  connect(zone_->lineEdit(), &QLineEdit::editingFinished, this,
          [this] { ChooseZone(zone_->currentText()); });
  connect(opacity_, &QSpinBox::valueChanged, this,
          [send](int percent) { send("opacity", QString::number(percent)); });
  // The slider moves the number as it is dragged, and is applied where it is let go.
  connect(opacitySlider_, &QSlider::valueChanged, this, [this](int percent) {
    if (opacitySlider_->isSliderDown()) {
      const QSignalBlocker quiet(opacity_);
      opacity_->setValue(percent);
    } else {
      opacity_->setValue(percent);
    }
  });
  connect(opacitySlider_, &QSlider::sliderReleased, this,
          [this] { emit OptionChosen("opacity", QString::number(opacitySlider_->value())); });
  connect(layer_, &QComboBox::activated, this,
          [this, send](int index) { send("layer", layer_->itemData(index).toString()); });
  connect(reset, &QPushButton::clicked, this, &OptionsPanel::ResetRequested);
}

QCheckBox* OptionsPanel::Switch(const char* text, const char* key, const char* tip) {
  auto* box = new QCheckBox(text, this);
  box->setObjectName(key);
  box->setToolTip(tip);
  connect(box, &QCheckBox::toggled, this,
          [this, key](bool on) { emit OptionChosen(key, on ? "on" : "off"); });
  return box;
}

void OptionsPanel::LayOut(QWidget* reset) {
  auto* zoneLabel = new QLabel("&Time zone", this);
  zoneLabel->setBuddy(zone_);
  auto* opacityLabel = new QLabel("O&pacity", this);
  opacityLabel->setBuddy(opacity_);
  auto* layerLabel = new QLabel("&Layer", this);
  layerLabel->setBuddy(layer_);
  auto* opacityRow = new QHBoxLayout;
  opacityRow->addWidget(opacity_);
  opacityRow->addWidget(opacitySlider_, 1);
  auto* form = new QFormLayout;
  form->addRow(secondsHand_);
  form->addRow(date_);
  form->addRow(zoneLabel, zone_);
  form->addRow(opacityLabel, opacityRow);
  form->addRow(layerLabel, layer_);
  form->addRow(allWorkspaces_);
  form->addRow(startAtLogin_);
  form->addRow(hourlyChime_);
  form->addRow(locked_);
  auto* page = new QVBoxLayout(this);
  page->addLayout(form);
  auto* resetRow = new QHBoxLayout;
  resetRow->addWidget(reset);
  resetRow->addStretch(1);
  page->addLayout(resetRow);
  page->addStretch(1);
}

// Only a name that differs from the one shown is applied: leaving the field is no edit.
void OptionsPanel::ChooseZone(const QString& typed) {
  const QString name = typed.trimmed();
  if (name == shownZone_) return;
  emit OptionChosen("time_zone", name);
}

void OptionsPanel::Show(const ClockOptions& options) {
  const auto check = [](QCheckBox* box, bool on) {
    const QSignalBlocker quiet(box);
    box->setChecked(on);
  };
  check(secondsHand_, options.secondsHand);
  check(date_, options.date);
  check(allWorkspaces_, options.allWorkspaces);
  check(startAtLogin_, options.startAtLogin);
  check(hourlyChime_, options.hourlyChime);
  check(locked_, options.locked);
  shownZone_ = QString::fromStdString(options.timeZone);
  {
    const QSignalBlocker quiet(zone_);
    zone_->setEditText(shownZone_);
  }
  {
    const QSignalBlocker quiet(opacity_), quietSlider(opacitySlider_);
    opacity_->setValue(options.opacityPercent);
    opacitySlider_->setValue(options.opacityPercent);
  }
  const QSignalBlocker quietLayer(layer_);
  layer_->setCurrentIndex(static_cast<int>(options.layer));
}

}  // namespace quarvel
