#pragma once
// A message box on X11, where there is no system one: the core's text, caption and button in
// the dialog's look, top-most when the core says so, modal (input to the clock waits), centred
// on the primary monitor. Enter, Space, Escape, OK and the close box all dismiss it.
#include <X11/Xlib.h>

#include <memory>
#include <string>
#include <vector>

#include "backends/x11/x11_controls.h"
#include "backends/x11/x11_display.h"
#include "backends/x11/x11_event_loop.h"
#include "backends/x11/x11_text.h"
#include "platform/platform_system.h"

namespace quarvel {

class X11MessageBox final : public X11EventTarget {
 public:
  X11MessageBox(X11Display& display, X11EventLoop& loop, TwipsPerPixel twips,
                const Message& message, Window owner = 0);
  ~X11MessageBox() override;
  X11MessageBox(const X11MessageBox&) = delete;
  X11MessageBox& operator=(const X11MessageBox&) = delete;

  // Shows the box and returns once it is dismissed.
  void Run();
  void HandleEvent(XEvent& event) override;

 private:
  void Paint();

  X11Display& display_;
  X11EventLoop& loop_;
  X11Font font_;
  std::string text_;
  std::string buttonText_;
  std::vector<std::string> lines_;
  infodialog::PixelRect textRect_{};
  infodialog::PixelRect button_{};
  Window window_ = 0;
  std::unique_ptr<X11ControlPainter> painter_;
  bool pressed_ = false;
  bool closed_ = false;
};

}  // namespace quarvel
