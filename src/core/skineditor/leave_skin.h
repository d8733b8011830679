#pragma once
// Whether the editor may leave the skin it shows (to close, or to open another): at once when
// nothing is unsaved; else as the author answers, saving first when asked (a failed save stays).
#include <functional>

#include "core/skineditor/skin_editor.h"

namespace quarvel {

enum class CloseChoice { kSave, kDiscard, kStay };

inline bool MayLeaveSkin(const SkinEditor& editor, const std::function<CloseChoice()>& ask,
                         const std::function<bool()>& save) {
  if (!editor.HasUnsavedChanges()) return true;
  switch (ask()) {
    case CloseChoice::kSave:
      return save();
    case CloseChoice::kDiscard:
      return true;
    case CloseChoice::kStay:
      return false;
  }
  return false;
}

}  // namespace quarvel
