#include "apps/qvedit-win32/skin_dialogs.h"

// commdlg.h needs windows.h first.
#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "core/skineditor/editor_names.h"
#include "core/skineditor/session_messages.h"

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

namespace {
// The system's folder picker (the open dialog picking folders, where a path can be typed).
std::optional<std::string> PickFolderItem(HWND owner, const char* title, bool& shown) {
  shown = false;
  IFileOpenDialog* dialog = nullptr;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IFileOpenDialog, reinterpret_cast<void**>(&dialog))))
    return std::nullopt;
  shown = true;
  std::optional<std::string> picked;
  DWORD options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  wchar_t wideTitle[256] = {};
  MultiByteToWideChar(CP_ACP, 0, title, -1, wideTitle, 256);
  dialog->SetTitle(wideTitle);
  IShellItem* item = nullptr;
  PWSTR path = nullptr;
  if (SUCCEEDED(dialog->Show(owner)) && SUCCEEDED(dialog->GetResult(&item)) &&
      SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
    char narrow[MAX_PATH * 2] = {};
    if (WideCharToMultiByte(CP_ACP, 0, path, -1, narrow, sizeof narrow, nullptr, nullptr) > 0)
      picked = std::string(narrow);
  }
  if (path != nullptr) CoTaskMemFree(path);
  if (item != nullptr) item->Release();
  dialog->Release();
  return picked;
}
}  // namespace

std::optional<std::string> PickFolder(HWND owner, const char* title) {
  bool shown = false;
  std::optional<std::string> picked = PickFolderItem(owner, title, shown);
  if (shown) return picked;
  // Without the item dialog: the folder browser, whose edit box takes a typed path.
  BROWSEINFOA browse{};
  browse.hwndOwner = owner;
  browse.lpszTitle = title;
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);
  if (chosen == nullptr) return std::nullopt;
  char path[MAX_PATH] = {};
  const bool found = SHGetPathFromIDListA(chosen, path);
  CoTaskMemFree(chosen);
  if (!found) return std::nullopt;
  return std::string(path);
}

CloseChoice AskBeforeLeaving(HWND owner, const std::string& doing) {
  const std::string question = messages::LeaveQuestion(doing);
  switch (MessageBoxA(owner, question.c_str(), kEditorTitle, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return CloseChoice::kSave;
    case IDNO:
      return CloseChoice::kDiscard;
    default:
      return CloseChoice::kStay;
  }
}

bool AskRestore(HWND owner, const std::string& folder) {
  const std::string question = messages::RestoreQuestion(folder) +
                               "Yes restores them, unsaved until you save; No discards them.";
  return MessageBoxA(owner, question.c_str(), kEditorTitle, MB_YESNO | MB_ICONQUESTION) != IDNO;
}

}  // namespace quarvel
