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

TEST_F(RecoveryOfferTest, TheAuthorsAnswerRestoresAsUnsavedOrDropsTheCopy) {
  store.Keep(skin, kept);
  SkinEditor editor(opened);
  Answers yes(true);
  EXPECT_TRUE(OfferKeptEdits(store, skin, editor, yes.Prompts()));
  EXPECT_EQ(yes.asked, 1);
  EXPECT_EQ(editor.document(), kept);
  EXPECT_TRUE(editor.HasUnsavedChanges());
  EXPECT_EQ(store.Find(skin).kind, Kind::kFound);  // until a save or a close without one

  SkinEditor other(opened);
  Answers no(false);
  EXPECT_FALSE(OfferKeptEdits(store, skin, other, no.Prompts()));
  EXPECT_EQ(other.document(), opened);
  EXPECT_EQ(store.Find(skin).kind, Kind::kNone);
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

TEST_F(RecoveryOfferTest, AnEndWhileAskingKeepsTheCopyForTheNextStart) {
  store.Keep(skin, kept);
  SkinEditor editor(opened);
  Answers answers(false, true);
  EXPECT_FALSE(OfferKeptEdits(store, skin, editor, answers.Prompts()));
  EXPECT_EQ(editor.document(), opened);
  EXPECT_EQ(store.Find(skin).kind, Kind::kFound);
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
