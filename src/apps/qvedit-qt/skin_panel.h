#pragma once
// The hand being shaped and the skin's settings: the three hands, the hand's colour, the face
// bitmap, the pen width and the clock's size. Shows what it is given and says what the author
// asked for.
#include <QWidget>
#include <string>

#include "core/skineditor/skin_document.h"
#include "platform/platform_types.h"

class QButtonGroup;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quarvel {

class SkinPanel final : public QWidget {
  Q_OBJECT

 public:
  explicit SkinPanel(QWidget* parent = nullptr);

  void Show(HandId hand, ColorRef colour, const std::string& bitmapName, int penWidth,
            int sizePercent);
  // A width or size typed but not yet applied is applied (PenWidthTyped, SizeTyped).
  void CommitTyped();

 signals:
  void HandChosen(HandId hand);
  void ColourRequested();
  void BrowseRequested();
  void PenWidthTyped(int width);
  void SizeTyped(const QString& text);  // a size picked or typed, as its text

 private:
  void LayOut(QHBoxLayout* handRow, QPushButton* browse);

  QButtonGroup* hands_;
  QPushButton* colour_;
  QLabel* swatch_;
  QLineEdit* bitmap_;
  QSpinBox* pen_;
  QComboBox* size_;
};

}  // namespace quarvel
