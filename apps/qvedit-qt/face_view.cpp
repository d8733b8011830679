#include "apps/qvedit-qt/face_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace quarvel {

namespace {
constexpr int kSmallestView = 200;  // the clock's own face, so a plain face is not a dot
constexpr int kDoubledUpTo = 300;
}  // namespace

FaceView::FaceView(QWidget* parent) : QWidget(parent) {
  setObjectName("face");
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName("Face");
  ApplyZoom();
}

void FaceView::Show(const PixelImage& picture) {
  const QSize before = FaceSize();
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
  if (FaceSize() != before) ApplyZoom();
  update();
}

void FaceView::SetZoom(int zoom) {
  zoom_ = zoom;
  ApplyZoom();
  update();
}

QSize FaceView::FaceSize() const {
  return image_.isNull() ? QSize(kSmallestView, kSmallestView) : image_.size();
}

// A fixed zoom asks for the whole face at that size; fit takes what the window gives.
void FaceView::ApplyZoom() {
  const QSize face = FaceSize();
  if (zoom_ == kFit) {
    setMinimumSize(std::min(face.width(), kSmallestView), std::min(face.height(), kSmallestView));
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    setFixedSize(face * zoom_);
  }
  updateGeometry();
}

// Fit starts a face of the clock's usual size at twice its size, where the hands' points part.
QSize FaceView::sizeHint() const {
  const QSize face = FaceSize();
  if (zoom_ != kFit) return face * zoom_;
  return face.width() <= kDoubledUpTo && face.height() <= kDoubledUpTo ? face * 2 : face;
}

// Fit: the largest whole zoom the view holds, so a pixel stays a square; a face larger than the
// view is shrunk.
double FaceView::Scale() const {
  if (zoom_ != kFit) return zoom_;
  const QSize face = FaceSize();
  const double room = std::min(static_cast<double>(width()) / face.width(),
                               static_cast<double>(height()) / face.height());
  return room >= 1.0 ? std::floor(room) : room;
}

QPoint FaceView::FacePixelAt(QPoint viewPoint) const {
  const double scale = Scale();
  return {static_cast<int>(std::floor(viewPoint.x() / scale)),
          static_cast<int>(std::floor(viewPoint.y() / scale))};
}

QPoint FaceView::ViewPointOf(QPoint facePixel) const {
  const double scale = Scale();
  return {static_cast<int>(std::ceil(facePixel.x() * scale)),
          static_cast<int>(std::ceil(facePixel.y() * scale))};
}

void FaceView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (image_.isNull()) return;
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const double scale = Scale();
  painter.drawImage(QRectF(0, 0, image_.width() * scale, image_.height() * scale), image_);
}

void FaceView::mousePressEvent(QMouseEvent* event) {
  const QPoint pixel = FacePixelAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton) {
    dragging_ = true;
    emit Pressed(pixel);
  } else if (event->button() == Qt::RightButton) {
    emit RightClicked(pixel);
  }
}

void FaceView::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && (event->buttons() & Qt::LeftButton) != 0)
    emit Dragged(FacePixelAt(event->position().toPoint()));
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
  setWidgetResizable(true);  // fit fills the area; a fixed zoom keeps the view's own size
  setFrameShape(QFrame::NoFrame);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize FaceScroller::sizeHint() const {
  QSize want = widget()->sizeHint();
  if (screen() != nullptr) want = want.boundedTo(screen()->availableGeometry().size() * 3 / 4);
  return want + QSize(verticalScrollBar()->sizeHint().width(), 0);
}

}  // namespace quarvel
