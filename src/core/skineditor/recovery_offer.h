#pragma once
// The unsaved edits kept for a skin folder, offered when an editor opens that folder: the one
// flow both editors follow, each answering the prompts with its own dialogs.
#include <functional>
#include <string>

#include "core/skineditor/recovery_copy.h"
#include "core/skineditor/skin_editor.h"

namespace quarvel {

struct RecoveryPrompts {
  std::function<void(const std::string& message)> showProblem;
  std::function<bool(const std::string& skinFolder)> askRestore;  // true: restore them
  std::function<bool()> ended;  // the editor was ended while it asked: the copy stays
};

inline constexpr const char* kRestoredNotice =
    "Restored the unsaved changes; the skin's files change when you save.";

// A copy that can't be read is set aside (never deleted) and told of; one equal to the skin as
// opened is dropped without a question; else the author's answer restores it into the editor
// as unsaved edits (true) or drops it.
bool OfferKeptEdits(const RecoveryStore& store, const std::string& skinFolder, SkinEditor& editor,
                    const RecoveryPrompts& prompts);

}  // namespace quarvel
