#pragma once
// The first-run dialog on X11, built from its designed layout (core/infodialog/dialog_layout.h) as
// the Windows one is: the banner, the labels in a Japanese font, and OK and Readme with the
// keyboard of a Windows dialog (Tab moves the focus, Enter and Space press the focused button,
// Escape does nothing, the close box acts as OK).
#include <memory>
#include <string>

#include "backends/x11/x11_controls.h"
#include "backends/x11/x11_display.h"
#include "backends/x11/x11_event_loop.h"
#include "backends/x11/x11_text.h"
#include "dialogpaint/dialog_buttons.h"
#include "platform/platform_system.h"

namespace quarvel {

class X11InfoDialog final : public X11EventTarget {
 public:
  X11InfoDialog(X11Display& display, X11EventLoop& loop, TwipsPerPixel twips);
  ~X11InfoDialog() override;
  X11InfoDialog(const X11InfoDialog&) = delete;
  X11InfoDialog& operator=(const X11InfoDialog&) = delete;

  // Shows the dialog modally and returns once it is closed; the clock's timers keep running.
  void Run();
  void HandleEvent(XEvent& event) override;

 private:
  void Paint();
  void PaintButton(std::size_t control);
  void PaintButtons();
  void HandleKey(XKeyEvent& key, bool pressed);
  void Click(std::size_t control);
  void StartReadme();
  void ReportReadmeFailure(const std::string& readme, const std::string& reason);

  X11Display& display_;
  X11EventLoop& loop_;
  TwipsPerPixel twips_;
  DialogButtons buttons_;
  Window window_ = 0;
  X11Font font_;
  std::unique_ptr<X11ControlPainter> painter_;
  PixelImage banner_;
  bool closed_ = false;
  std::shared_ptr<bool> open_ = std::make_shared<bool>(true);  // for xdg-open ending later
};

}  // namespace quarvel
