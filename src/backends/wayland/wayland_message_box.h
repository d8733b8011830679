#pragma once
// A message box on a Wayland desktop, laid out as the X11 one (dialogpaint/message_layout.h):
// the core's text, caption and button in the dialogs' look, in an xdg-shell toplevel, modal
// (input to the clock waits). Enter, Space, Escape, the button and the close box dismiss it.
#include <string>

#include "backends/wayland/wayland_dialog_window.h"
#include "backends/wayland/wayland_event_loop.h"
#include "dialogpaint/glyph_text.h"
#include "dialogpaint/message_layout.h"
#include "platform/platform_system.h"

namespace quarvel {

class WaylandMessageBox final : public WaylandDialogInput {
 public:
  WaylandMessageBox(WaylandDisplay& display, WaylandEventLoop& loop, int32_t scale,
                    const Message& message);

  // Shows the box and returns once it is dismissed; false when the compositor can't show it.
  bool Run();

  void PointerAt(int x, int y) override;
  void LeftButton(bool pressed) override;
  void Key(int16_t keyCode, bool pressed, int16_t modifiers) override;
  void CloseRequested() override { closed_ = true; }
  void Exposed() override { Paint(); }

 private:
  void Paint();
  bool OverButton() const;

  WaylandDisplay& display_;
  WaylandEventLoop& loop_;
  GlyphText text_;
  std::string buttonText_;
  MessageLayout layout_;
  PixelImage picture_;
  WaylandDialogWindow window_;
  int pointerX_ = -1;
  int pointerY_ = -1;
  bool pressed_ = false;
  bool closed_ = false;
};

}  // namespace quarvel
