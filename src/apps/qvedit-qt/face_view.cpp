#include "apps/qvedit-qt/face_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <utility>

namespace quarvel {

namespace {
constexpr int kSmallestView = 200;  // the clock's own face, so a plain face is not a dot
constexpr int kDoubledUpTo = 300;
const QColor kHandleEdge(0, 0, 0);
const QColor kHandleInside(255, 255, 255);
const QColor kHandleChosen(255, 96, 0);
}  // namespace

FaceView::FaceView(QWidget* parent) : QWidget(parent) {
  setObjectName("face");
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName("Face");
  zoom_.SetFace(FaceWidth());
  ApplyZoom();
}

void FaceView::Show(const PixelImage& picture, const ClockState& dial,
                    std::vector<ShapePoint> points, int selected, int opacityPercent) {
  const int before = FaceWidth();
  opacity_ = opacityPercent / 100.0;
  if (picture.empty()) {
    image_ = QImage();
  } else {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
      auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < picture.width; ++x) row[x] = 0xFF000000u | picture.At(x, y);
    }
    image_ = std::move(image);
  }
  dial_ = dial;
  points_ = std::move(points);
  selected_ = selected;
  if (FaceWidth() != before) {
    zoom_.SetFace(FaceWidth());
    ApplyZoom();
  }
  update();
}

void FaceView::SetZoom(Zoom zoom) {
  zoom_.SetZoom(zoom);
  ApplyZoom();
  update();
}

std::vector<Handle> FaceView::handles() const {
  return Handles(zoom_, dial_, points_, selected_);
}

int FaceView::FaceWidth() const {
  return image_.isNull() ? kSmallestView : image_.width();
}

QSize FaceView::ZoomedSize() const {
  const int side = FaceWidth() * zoom_.scaleNumerator() / zoom_.scaleDenominator();
  return {side, side};
}

// A fixed zoom asks for at least the whole face (a larger view centres it); fit takes what the
// window gives, down to the clock's own size.
void FaceView::ApplyZoom() {
  if (zoom_.zoom() == Zoom::kFit) {
    const int least = std::min(FaceWidth(), kSmallestView);
    setMinimumSize(least, least);
  } else {
    setMinimumSize(ZoomedSize());
  }
  updateGeometry();
}

// Fit starts a face of the clock's usual size at twice its size, where the hands' points part.
QSize FaceView::sizeHint() const {
  if (zoom_.zoom() != Zoom::kFit) return ZoomedSize();
  const int face = FaceWidth();
  return face <= kDoubledUpTo ? QSize(face * 2, face * 2) : QSize(face, face);
}

void FaceView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  zoom_.SetView(width(), height());
}

// Beyond the face the window's own colour; the face's pixels as blocks of whole screen pixels;
// the handles at their own size on top, the selected one last (an outline's last point often
// lies on its first); a dotted frame while the arrow keys nudge.
void FaceView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (!image_.isNull()) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const FacePlace face = zoom_.FaceRect();
    painter.setOpacity(opacity_);  // as the translucent clock will look over the desktop
    painter.drawImage(QRect(face.x, face.y, face.width, face.height), image_);
    painter.setOpacity(1.0);
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(kHandleEdge);
  const std::vector<Handle> all = handles();
  for (const bool selected : {false, true}) {
    for (const Handle& handle : all) {
      if (handle.selected != selected) continue;
      const int r = kHandleRadius + (selected ? 1 : 0);
      painter.setBrush(selected ? kHandleChosen : kHandleInside);
      painter.drawRect(handle.centre.x - r, handle.centre.y - r, 2 * r, 2 * r);
    }
  }
  if (hasFocus()) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void FaceView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    dragging_ = true;
    emit Pressed(at);
  } else if (event->button() == Qt::RightButton) {
    emit RightClicked(at);
  }
}

void FaceView::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && (event->buttons() & Qt::LeftButton) != 0)
    emit Dragged(event->position().toPoint());
}

void FaceView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return;
  dragging_ = false;
  emit Released();
}

// Delete removes the selected point; the arrows nudge it a degree round or a percent out.
void FaceView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Delete:
      emit DeletePressed();
      return;
    case Qt::Key_Left:
      emit Nudged(-1, 0);
      return;
    case Qt::Key_Right:
      emit Nudged(1, 0);
      return;
    case Qt::Key_Up:
      emit Nudged(0, 1);
      return;
    case Qt::Key_Down:
      emit Nudged(0, -1);
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

FaceScroller::FaceScroller(FaceView* view, QWidget* parent) : QScrollArea(parent) {
  setWidget(view);
  setWidgetResizable(true);  // the view fills the area, and scrolls when the face is larger
  setFrameShape(QFrame::NoFrame);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize FaceScroller::sizeHint() const {
  QSize want = widget()->sizeHint();
  if (screen() != nullptr) want = want.boundedTo(screen()->availableGeometry().size() * 3 / 4);
  return want + QSize(verticalScrollBar()->sizeHint().width(), 0);
}

}  // namespace quarvel
