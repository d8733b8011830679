#include "apps/qvedit-qt/skin_panel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <cstdint>
#include <limits>

#include "core/skineditor/clock_size.h"

namespace quarvel {

SkinPanel::SkinPanel(QWidget* parent) : QWidget(parent) {
  hands_ = new QButtonGroup(this);
  auto* handRow = new QHBoxLayout;
  const char* const labels[] = {"&Hour hand", "&Minute hand", "S&econd hand"};
  const char* const names[] = {"hourHand", "minuteHand", "secondHand"};
  for (HandId hand : kAllHands) {
    const int id = static_cast<int>(hand);
    auto* button = new QRadioButton(labels[id], this);
    button->setObjectName(names[id]);
    hands_->addButton(button, id);
    handRow->addWidget(button);
  }
  colour_ = new QPushButton("&Colour...", this);
  colour_->setObjectName("colour");
  swatch_ = new QLabel(this);
  swatch_->setObjectName("swatch");
  swatch_->setFrameShape(QFrame::Panel);
  swatch_->setFrameShadow(QFrame::Sunken);
  swatch_->setAutoFillBackground(true);
  swatch_->setMinimumWidth(colour_->sizeHint().width());
  bitmap_ = new QLineEdit(this);
  bitmap_->setObjectName("bitmap");
  // Only Browse... changes the face, so the name shows as read-only text, not as a field to type
  // in: the window's own colour behind it, and Tab passes it by.
  bitmap_->setReadOnly(true);
  bitmap_->setFocusPolicy(Qt::ClickFocus);
  QPalette readOnly = bitmap_->palette();
  readOnly.setBrush(QPalette::Base, readOnly.brush(QPalette::Window));
  bitmap_->setPalette(readOnly);
  auto* browse = new QPushButton("&Browse...", this);
  browse->setObjectName("browse");
  // Every width the settings file can hold is shown as it is; the model says which it refuses.
  pen_ = new QSpinBox(this);
  pen_->setObjectName("pen");
  pen_->setRange(std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
  pen_->setKeyboardTracking(false);
  // The usual sizes to pick, and any other typed; the model says which it refuses.
  size_ = new QComboBox(this);
  size_->setObjectName("size");
  size_->setEditable(true);
  size_->setInsertPolicy(QComboBox::NoInsert);
  for (int16_t percent : kSizeChoices) size_->addItem(QString::fromStdString(SizeText(percent)));

  LayOut(handRow, browse);
  connect(hands_, &QButtonGroup::idClicked, this,
          [this](int id) { emit HandChosen(static_cast<HandId>(id)); });
  connect(colour_, &QPushButton::clicked, this, &SkinPanel::ColourRequested);
  connect(browse, &QPushButton::clicked, this, &SkinPanel::BrowseRequested);
  connect(pen_, &QSpinBox::valueChanged, this, &SkinPanel::PenWidthTyped);
  connect(size_, &QComboBox::textActivated, this, &SkinPanel::SizeTyped);
  connect(size_->lineEdit(), &QLineEdit::editingFinished, this,
          [this] { emit SizeTyped(size_->currentText()); });
}

void SkinPanel::LayOut(QHBoxLayout* handRow, QPushButton* browse) {
  auto* bitmapLabel = new QLabel("&Face bitmap", this);
  bitmapLabel->setBuddy(browse);  // Alt+F picks a face, as the field can't be typed in
  auto* penLabel = new QLabel("Pe&n width", this);
  penLabel->setBuddy(pen_);
  auto* sizeLabel = new QLabel("Cloc&k size", this);
  sizeLabel->setBuddy(size_);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addLayout(handRow, 0, 0, 1, 3);
  grid->addWidget(colour_, 1, 0);
  grid->addWidget(swatch_, 1, 1);
  grid->addWidget(bitmapLabel, 2, 0);
  grid->addWidget(bitmap_, 2, 1);
  grid->addWidget(browse, 2, 2);
  grid->addWidget(penLabel, 3, 0);
  grid->addWidget(pen_, 3, 1);
  grid->addWidget(sizeLabel, 4, 0);
  grid->addWidget(size_, 4, 1);
  grid->setColumnStretch(1, 1);
}

void SkinPanel::Show(HandId hand, ColorRef colour, const std::string& bitmapName, int penWidth,
                     int sizePercent) {
  hands_->button(static_cast<int>(hand))->setChecked(true);
  QPalette palette = swatch_->palette();
  palette.setColor(QPalette::Window, QColor::fromRgb(PixelFromColorRef(colour) | 0xFF000000u));
  swatch_->setPalette(palette);
  swatch_->setToolTip(QString("Colour %1 as the hand file holds it").arg(colour));
  bitmap_->setText(QString::fromStdString(bitmapName));
  const QSignalBlocker quiet(pen_);
  pen_->setValue(penWidth);
  const QSignalBlocker quietSize(size_);
  size_->setEditText(QString::fromStdString(SizeText(static_cast<int16_t>(sizePercent))));
}

void SkinPanel::CommitTyped() {
  pen_->interpretText();
  emit SizeTyped(size_->currentText());
}

}  // namespace quarvel
