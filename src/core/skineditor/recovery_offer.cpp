#include "core/skineditor/recovery_offer.h"

namespace quarvel {

bool OfferKeptEdits(const RecoveryStore& store, const std::string& skinFolder, SkinEditor& editor,
                    const RecoveryPrompts& prompts) {
  const RecoveryLookup found = store.Find(skinFolder);
  if (found.kind == RecoveryLookup::Kind::kUnreadable) {
    const std::string aside = store.SetAside(skinFolder);
    prompts.showProblem(
        "Unsaved changes kept for this skin can't be read: " + found.problem + "\n\n" +
        (aside.empty() ? "The file stays as it is." : "The file is kept as " + aside + "."));
    return false;
  }
  if (found.kind != RecoveryLookup::Kind::kFound) return false;
  if (found.document == editor.document()) {
    store.Drop(skinFolder);
    return false;
  }
  const bool restore = prompts.askRestore(skinFolder);
  if (prompts.ended()) return false;
  if (!restore) {
    store.Drop(skinFolder);
    return false;
  }
  editor.Restore(found.document);
  return true;
}

}  // namespace quarvel
