#pragma once
// The editor's face on the screen: the model's pixels drawn nearest-neighbour, so a face pixel
// is a square of screen pixels, at a zoom of 1, 2 or 4, or as large as the view allows (fit).
// The mouse and the keys go on in face pixels and edits; it knows nothing of skins.
#include <QImage>
#include <QScrollArea>
#include <QWidget>

#include "platform/platform_types.h"

namespace quarvel {

class FaceView final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kFit = 0;

  explicit FaceView(QWidget* parent = nullptr);

  // Shows these pixels until the next call.
  void Show(const PixelImage& picture);
  // kFit, 1, 2 or 4: the view asks for the face's size at that zoom, so the window grows.
  void SetZoom(int zoom);
  int zoom() const { return zoom_; }
  // Screen pixels per face pixel as drawn now.
  double Scale() const;
  // The face pixel under a point of the view, and the top-left of a face pixel on the view.
  QPoint FacePixelAt(QPoint viewPoint) const;
  QPoint ViewPointOf(QPoint facePixel) const;

  QSize sizeHint() const override;

 signals:
  void Pressed(QPoint facePixel);
  void Dragged(QPoint facePixel);
  void Released();
  void RightClicked(QPoint facePixel);
  void DeletePressed();
  void Nudged(int angleStep, int percentStep);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QSize FaceSize() const;
  void ApplyZoom();

  QImage image_;
  int zoom_ = kFit;
  bool dragging_ = false;
};

// The face view in a scrolled area that asks for the whole face at its zoom, up to the screen:
// a face zoomed beyond the screen scrolls instead of pushing the window off it.
class FaceScroller final : public QScrollArea {
 public:
  explicit FaceScroller(FaceView* view, QWidget* parent = nullptr);
  QSize sizeHint() const override;
};

}  // namespace quarvel
