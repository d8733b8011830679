// The kept edits offered when an editor opens their skin folder, the flow both editors share:
// what is asked, what is restored, and that a copy is never lost to a question left unanswered.
#include "core/skineditor/recovery_offer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

using Kind = RecoveryLookup::Kind;

struct Answers {
  explicit Answers(bool restoreThem, bool endWhile = false)
      : restore(restoreThem), endWhileAsking(endWhile) {}
  bool restore;
  bool endWhileAsking;
  int asked = 0;
  std::string problem;
  bool ended = false;

  RecoveryPrompts Prompts() {
    return {[this](const std::string& message) { problem = message; },
            [this](const std::string&) {
              ++asked;
              ended = endWhileAsking;
              return restore;
            },
            [this] { return ended; }};
  }
};

class RecoveryOfferTest : public ::testing::Test {
 protected:
  testing::TempFolder state;
  RecoveryStore store{state.path() + "/recovery"};
  const std::string skin = "/skins/night";
  SkinDocument opened;
  SkinDocument kept = [] {
    SkinDocument document;
    document.penWidth = 7;
    return document;
  }();
};

// Restored as unsaved (the copy stays until a save or a close without one), dropped, or, when
// the editor ends while asking, kept for the next start.
TEST_F(RecoveryOfferTest, TheAnswerRestoresOrDropsTheCopyAndAnEndWhileAskingKeepsIt) {
  const struct {
    const char* what;
    bool restore, endWhileAsking;
    Kind left;
  } answers[] = {{"restore", true, false, Kind::kFound},
                 {"don't", false, false, Kind::kNone},
                 {"ended while asking", false, true, Kind::kFound}};
  for (const auto& a : answers) {
    SCOPED_TRACE(a.what);
    store.Keep(skin, kept);
    SkinEditor editor(opened);
    Answers answer(a.restore, a.endWhileAsking);
    EXPECT_EQ(OfferKeptEdits(store, skin, editor, answer.Prompts()), a.restore);
    EXPECT_EQ(answer.asked, 1);
    EXPECT_EQ(editor.document(), a.restore ? kept : opened);
    EXPECT_EQ(editor.HasUnsavedChanges(), a.restore);
    EXPECT_EQ(store.Find(skin).kind, a.left);
  }
}

TEST_F(RecoveryOfferTest, NothingToAskWhenTheCopyIsTheSkinOrAnotherFolders) {
  store.Keep(skin, opened);
  store.Keep("/skins/day", kept);
  SkinEditor editor(opened);
  Answers answers(true);
  EXPECT_FALSE(OfferKeptEdits(store, skin, editor, answers.Prompts()));
  EXPECT_EQ(answers.asked, 0);
  EXPECT_EQ(store.Find(skin).kind, Kind::kNone);
  EXPECT_EQ(store.Find("/skins/day").kind, Kind::kFound);
}

TEST_F(RecoveryOfferTest, AnUnreadableCopyIsSetAsideAndToldOfNotDeleted) {
  store.Keep(skin, kept);
  std::ofstream(store.PathFor(skin), std::ios::trunc) << "QUARVEL skin recovery 1\nfolder 3";
  SkinEditor editor(opened);
  Answers answers(true);
  EXPECT_FALSE(OfferKeptEdits(store, skin, editor, answers.Prompts()));
  EXPECT_EQ(answers.asked, 0);
  EXPECT_NE(answers.problem.find("can't be read"), std::string::npos) << answers.problem;
  EXPECT_NE(answers.problem.find(".unreadable"), std::string::npos) << answers.problem;
  EXPECT_FALSE(std::filesystem::exists(store.PathFor(skin)));
  EXPECT_EQ(editor.document(), opened);
}

}  // namespace
}  // namespace quarvel
