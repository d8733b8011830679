#pragma once
// What the editor asks the author in a dialog of its own: a colour, a bitmap, a folder, whether
// to save before leaving a skin with changes, and the problems it reports. The window holds them
// behind this interface, so the UI tests answer in their place.
#include <QWidget>
#include <optional>
#include <string>

#include "core/skineditor/leave_skin.h"
#include "platform/platform_types.h"

namespace quarvel {

class SkinDialogs {
 public:
  virtual ~SkinDialogs() = default;
  // Nothing when the author cancels.
  virtual std::optional<ColorRef> PickColour(QWidget* owner, ColorRef current) = 0;
  virtual std::optional<std::string> PickBitmap(QWidget* owner, const std::string& folder) = 0;
  virtual std::optional<std::string> PickFolder(QWidget* owner, const std::string& title,
                                                const std::string& from) = 0;
  virtual void ShowProblem(QWidget* owner, const std::string& text) = 0;
  // `doing`: what leaves the skin, "closing" or "opening another skin".
  virtual CloseChoice AskBeforeLeaving(QWidget* owner, const std::string& doing) = 0;
  // Edits kept when the editor was ended last time: true to restore them, false to discard.
  virtual bool AskRestore(QWidget* owner, const std::string& folder) = 0;
};

// Qt's own dialogs: QColorDialog, QFileDialog, QMessageBox.
class QtSkinDialogs final : public SkinDialogs {
 public:
  std::optional<ColorRef> PickColour(QWidget* owner, ColorRef current) override;
  std::optional<std::string> PickBitmap(QWidget* owner, const std::string& folder) override;
  std::optional<std::string> PickFolder(QWidget* owner, const std::string& title,
                                        const std::string& from) override;
  void ShowProblem(QWidget* owner, const std::string& text) override;
  CloseChoice AskBeforeLeaving(QWidget* owner, const std::string& doing) override;
  bool AskRestore(QWidget* owner, const std::string& folder) override;
};

}  // namespace quarvel
