#include "apps/qvedit-win32/startup_shortcut.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// shlobj.h and shobjidl.h need windows.h first.
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <optional>
#include <vector>

namespace quarvel {

namespace {

// Every shortcut of ours says so in its description, followed by its skin folder.
constexpr const wchar_t* kMark = L"QUARVEL clock on ";
constexpr const wchar_t* kNamePrefix = L"QUARVEL - ";

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                    wide.data(), static_cast<int>(wide.size()));
  wide.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return wide;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow(text.size() * 2 + 1, '\0');
  const int n =
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                          static_cast<int>(narrow.size()), nullptr, nullptr);
  narrow.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return narrow;
}

// "<file>" <what>, in pieces: MinGW's gcc 12 takes "x" + a temporary for an overlapping copy.
std::string AboutFile(const std::wstring& file, const char* what) {
  std::string text = "\"";
  text += Narrow(file);
  text += "\" ";
  text += what;
  return text;
}

std::string Error(std::string what, HRESULT result) {
  char code[16];
  wsprintfA(code, "%08lX", static_cast<unsigned long>(result));
  what += " (error 0x";
  what += code;
  what += ")";
  return what;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  auto bare = [](std::wstring path) {
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
  };
  return CompareStringOrdinal(bare(a).c_str(), -1, bare(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

// COM on this thread for as long as it lives; the editor's OLE may have it already.
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

template <typename T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (p_ != nullptr) p_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T* operator->() const { return p_; }
  T** out() { return &p_; }
  void** outVoid() { return reinterpret_cast<void**>(&p_); }

 private:
  T* p_ = nullptr;
};

std::optional<std::wstring> StartupFolder() {
  PWSTR path = nullptr;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &path))) {
    CoTaskMemFree(path);
    return std::nullopt;
  }
  std::wstring folder = path;
  CoTaskMemFree(path);
  return folder;
}

// The link at `file` is ours and starts the clock on `folder`: its target, its working folder
// and its mark all say so.
bool IsShortcutFor(const std::wstring& file, const std::wstring& folder,
                   const std::wstring& clock) {
  Com<IShellLinkW> link;
  Com<IPersistFile> persisted;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.outVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, persisted.outVoid())) ||
      FAILED(persisted->Load(file.c_str(), STGM_READ)))
    return false;
  wchar_t target[MAX_PATH * 2] = {};
  wchar_t workingFolder[MAX_PATH * 2] = {};
  wchar_t description[INFOTIPSIZE] = {};
  if (FAILED(link->GetPath(target, MAX_PATH * 2, nullptr, SLGP_RAWPATH)) ||
      FAILED(link->GetWorkingDirectory(workingFolder, MAX_PATH * 2)) ||
      FAILED(link->GetDescription(description, INFOTIPSIZE)))
    return false;
  return std::wstring(description).rfind(kMark, 0) == 0 && SamePath(target, clock) &&
         SamePath(workingFolder, folder);
}

std::vector<std::wstring> ShortcutsFor(const std::wstring& startup, const std::wstring& folder,
                                       const std::wstring& clock) {
  std::vector<std::wstring> found;
  WIN32_FIND_DATAW entry{};
  HANDLE search = FindFirstFileW((startup + L"\\*.lnk").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    const std::wstring file = startup + L"\\" + entry.cFileName;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        IsShortcutFor(file, folder, clock))
      found.push_back(file);
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return found;
}

// "QUARVEL - <folder's name>.lnk", or with " (2)", " (3)" ... when another file has that name.
std::wstring FreeName(const std::wstring& startup, const std::wstring& folder) {
  std::wstring name = folder;
  while (!name.empty() && (name.back() == L'\\' || name.back() == L'/')) name.pop_back();
  name = name.substr(name.find_last_of(L"\\/:") + 1);
  if (name.empty()) name = L"skin";
  const std::wstring stem = startup + L"\\" + kNamePrefix + name;
  std::wstring path = stem + L".lnk";
  for (int n = 2; GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; ++n)
    path = stem + L" (" + std::to_wstring(n) + L").lnk";
  return path;
}

std::string MakeShortcut(const std::wstring& file, const std::wstring& folder,
                         const std::wstring& clock) {
  Com<IShellLinkW> link;
  Com<IPersistFile> persisted;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    link.outVoid());
  if (FAILED(result)) return Error("no shell link", result);
  link->SetPath(clock.c_str());
  link->SetWorkingDirectory(folder.c_str());
  link->SetDescription((kMark + folder).c_str());
  link->SetIconLocation(clock.c_str(), 0);
  result = link->QueryInterface(IID_IPersistFile, persisted.outVoid());
  if (SUCCEEDED(result)) result = persisted->Save(file.c_str(), TRUE);
  if (FAILED(result)) return Error(AboutFile(file, "could not be written"), result);
  return {};
}

}  // namespace

std::string SetStartupShortcut(bool on, const std::string& skinFolder,
                               const std::string& clockProgram) {
  const ComScope com;
  const std::optional<std::wstring> startup = StartupFolder();
  if (!startup) return "the Startup folder was not found";
  const std::wstring folder = Wide(skinFolder);
  const std::wstring clock = Wide(clockProgram);
  const std::vector<std::wstring> made = ShortcutsFor(*startup, folder, clock);
  if (on) return made.empty() ? MakeShortcut(FreeName(*startup, folder), folder, clock) : "";
  for (const std::wstring& file : made)
    if (!DeleteFileW(file.c_str()))
      return Error(AboutFile(file, "could not be removed"), HRESULT_FROM_WIN32(GetLastError()));
  return {};
}

}  // namespace quarvel
