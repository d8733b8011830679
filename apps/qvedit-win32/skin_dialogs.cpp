#include "apps/qvedit-win32/skin_dialogs.h"

// commdlg.h needs windows.h first.
#include <commdlg.h>

#include "skineditor/editor_names.h"

namespace quarvel {

std::optional<ColorRef> PickColour(HWND owner, ColorRef current) {
  static COLORREF custom[16] = {};  // the dialog's custom colours live as long as the editor
  CHOOSECOLORA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  // A colour beyond 24 bits (the clock reads any number) opens on the colour it draws.
  choose.rgbResult = static_cast<COLORREF>(current) & 0xFFFFFF;
  choose.lpCustColors = custom;
  choose.Flags = CC_FULLOPEN | CC_RGBINIT | CC_ANYCOLOR;
  if (!ChooseColorA(&choose)) return std::nullopt;
  return static_cast<ColorRef>(choose.rgbResult);
}

std::optional<std::string> PickBitmap(HWND owner) {
  char file[MAX_PATH * 2] = {};
  OPENFILENAMEA open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = owner;
  open.lpstrFilter = "Bitmaps (*.bmp)\0*.bmp\0All files\0*.*\0";
  open.lpstrFile = file;
  open.nMaxFile = sizeof file;
  open.lpstrTitle = "Face bitmap";
  // NOTE: without OFN_NOCHANGEDIR the dialog moves the working folder, and the skin with it.
  open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&open)) return std::nullopt;
  return std::string(file);
}

void ShowProblem(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), kEditorTitle, MB_OK | MB_ICONWARNING);
}

CloseChoice AskBeforeClosing(HWND owner) {
  switch (MessageBoxA(owner,
                      "The skin has changes that are not saved.\n\nSave them before closing?",
                      kEditorTitle, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return CloseChoice::kSave;
    case IDNO:
      return CloseChoice::kDiscard;
    default:
      return CloseChoice::kStay;
  }
}

}  // namespace quarvel
