#include "apps/qvedit-qt/handed_activation.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtGlobal>
#include <cstdlib>

namespace quarvel {

namespace {
// Asks once, when the compositor first shows the window: an activation before that is lost.
class ActivateWhenExposed final : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWindow*>(watched);
    if (window != nullptr && event->type() == QEvent::Expose && window->isExposed()) {
      window->removeEventFilter(this);
      // After the expose has drawn and sent the first picture: a compositor activates only a
      // window it shows.
      QTimer::singleShot(0, window, [window] { window->requestActivate(); });
      deleteLater();
    }
    return false;
  }
};
}  // namespace

void ComeToFrontWhenHandedOver(QWidget& window) {
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
  const char* token = std::getenv("XDG_ACTIVATION_TOKEN");
  if (token == nullptr || *token == '\0' || QGuiApplication::platformName() != "wayland") return;
  window.winId();  // the native window, to watch
  if (QWindow* handle = window.windowHandle())
    handle->installEventFilter(new ActivateWhenExposed(handle));
#else
  (void)window;
#endif
}

}  // namespace quarvel
