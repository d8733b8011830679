#pragma once
// The first-run dialog on a Wayland desktop, from its designed layout
// (core/infodialog/dialog_layout.h) as on X11: the banner, the labels in the dialogs' font, and
// OK and Readme with the keyboard of a Windows dialog (Tab and the arrows move the focus, Enter
// and Space press the focused button, Escape does nothing, the close box acts as OK), drawn into
// shared memory (dialogpaint) in an xdg-shell toplevel.
#include <cstddef>
#include <cstdint>

#include "backends/wayland/wayland_dialog_window.h"
#include "backends/wayland/wayland_event_loop.h"
#include "dialogpaint/dialog_buttons.h"
#include "dialogpaint/glyph_text.h"
#include "platform/platform_system.h"

namespace quarvel {

class WaylandInfoDialog final : public WaylandDialogInput {
 public:
  WaylandInfoDialog(WaylandDisplay& display, WaylandEventLoop& loop, int32_t scale);

  // Shows the dialog modally and returns once it is closed; the clock's timers keep running.
  // False when the compositor can't show it.
  bool Run();

  void PointerAt(int x, int y) override;
  void LeftButton(bool pressed) override;
  void Key(int16_t keyCode, bool pressed, int16_t modifiers) override;
  void CloseRequested() override { closed_ = true; }
  void Exposed() override { Paint(); }

 private:
  void Paint();
  void Click(std::size_t control);
  void StartReadme();

  WaylandDisplay& display_;
  WaylandEventLoop& loop_;
  int32_t scale_;
  TwipsPerPixel twips_;
  DialogButtons buttons_;
  GlyphText text_;
  PixelImage banner_;
  PixelImage picture_;
  WaylandDialogWindow window_;
  int pointerX_ = -1;
  int pointerY_ = -1;
  bool closed_ = false;
};

}  // namespace quarvel
