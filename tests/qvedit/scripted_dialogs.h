#pragma once
// What the Linux editor's tests share: dialogs answered as the test says, and the editor's window
// made and opened on the working folder as qvedit's main does it.
#include <QTest>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/qvedit-qt/editor_window.h"

namespace quarvel::testing {

// Answers as the test says; remembers what the editor reported and how often it asked.
struct ScriptedDialogs final : SkinDialogs {
  std::optional<ColorRef> colour;
  std::optional<std::string> bitmap;
  std::optional<std::string> folder;
  std::function<CloseChoice()> close = [] { return CloseChoice::kStay; };
  bool restore = true;
  int asked = 0;
  int restoreAsked = 0;
  std::vector<std::string> problems;

  std::optional<ColorRef> PickColour(QWidget*, ColorRef) override { return colour; }
  std::optional<std::string> PickBitmap(QWidget*, const std::string&) override { return bitmap; }
  std::optional<std::string> PickFolder(QWidget*, const std::string&, const std::string&) override {
    return folder;
  }
  void ShowProblem(QWidget*, const std::string& text) override { problems.push_back(text); }
  CloseChoice AskBeforeLeaving(QWidget*, const std::string&) override {
    ++asked;
    return close();
  }
  bool AskRestore(QWidget*, const std::string&) override {
    ++restoreAsked;
    return restore;
  }
};

// The editor's window with scripted dialogs; `dialogs` is set to them.
inline std::unique_ptr<EditorWindow> NewEditor(ScriptedDialogs*& dialogs, Clock& clock) {
  auto scripted = std::make_unique<ScriptedDialogs>();
  dialogs = scripted.get();
  return std::make_unique<EditorWindow>(std::move(scripted), clock);
}

// The window's widget of that object name; a test that can't find it stops at once.
template <typename T>
T* NamedChild(QWidget& window, const char* name) {
  T* widget = window.findChild<T*>(name);
  if (widget == nullptr) qFatal("no widget %s", name);
  return widget;
}

// Opens the skin of the working folder and shows the window.
inline void OpenAndShow(EditorWindow& window) {
  window.Open();
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) qFatal("the editor's window was never shown");
}

}  // namespace quarvel::testing
