#pragma once
// The editor's face on the screen: the model's pixels drawn nearest-neighbour, so a face pixel
// is a square of screen pixels, at 1x, 2x or 4x, or as large as the view allows (fit). Which
// face pixel lies under which screen pixel, where the handles go and what a press hits are the
// model's (core/skineditor/face_zoom.h); this widget only draws them and says where the mouse went,
// in its own pixels. It knows nothing of skins.
#include <QImage>
#include <QScrollArea>
#include <QWidget>
#include <vector>

#include "core/skineditor/face_zoom.h"
#include "platform/platform_types.h"

namespace quarvel {

class FaceView final : public QWidget {
  Q_OBJECT

 public:
  explicit FaceView(QWidget* parent = nullptr);

  // Shows these pixels, drawn at that opacity over the window's background, and the handles on
  // these points until the next call.
  void Show(const PixelImage& picture, const ClockState& dial, std::vector<ShapePoint> points,
            int selected, int opacityPercent = 100);
  // A fixed zoom makes the view as large as the whole face at that size, which then scrolls in
  // its FaceScroller; fit takes what the window gives.
  void SetZoom(Zoom zoom);
  Zoom zoom() const { return zoom_.zoom(); }
  // The mapping as drawn now, between face pixels and the view's pixels.
  const FaceZoom& faceZoom() const { return zoom_; }
  // The handles as drawn now.
  std::vector<Handle> handles() const;

  QSize sizeHint() const override;

 signals:
  // Where the mouse is, in the view's pixels.
  void Pressed(QPoint at);
  void Dragged(QPoint at);
  void Released();
  void RightClicked(QPoint at);
  void DeletePressed();
  void Nudged(int angleStep, int percentStep);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int FaceWidth() const;
  QSize ZoomedSize() const;
  void ApplyZoom();

  QImage image_;
  FaceZoom zoom_;
  ClockState dial_;
  std::vector<ShapePoint> points_;
  int selected_ = -1;
  double opacity_ = 1.0;
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
