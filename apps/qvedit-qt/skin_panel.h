#pragma once
// The hand being shaped and the skin's settings: the three hands, the hand's colour, the face
// bitmap and the pen width. Shows what it is given and says what the author asked for.
#include <QWidget>
#include <string>

#include "platform/platform_types.h"
#include "skineditor/skin_document.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quarvel {

class SkinPanel final : public QWidget {
  Q_OBJECT

 public:
  explicit SkinPanel(QWidget* parent = nullptr);

  void Show(HandId hand, ColorRef colour, const std::string& bitmapName, int penWidth);
  // A width typed but not yet applied is applied (PenWidthTyped).
  void CommitTyped();

 signals:
  void HandChosen(HandId hand);
  void ColourRequested();
  void BrowseRequested();
  void PenWidthTyped(int width);

 private:
  QButtonGroup* hands_;
  QPushButton* colour_;
  QLabel* swatch_;
  QLineEdit* bitmap_;
  QSpinBox* pen_;
};

}  // namespace quarvel
