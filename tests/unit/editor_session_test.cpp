// The flows both editors share, checked once without a window: a scripted host answers the
// session's questions and remembers what it was told; every outcome is read back from the files.
#include "core/skineditor/editor_session.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/skineditor/face_time.h"
#include "core/skineditor/recovery_offer.h"
#include "core/skineditor/session_messages.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

namespace fs = std::filesystem;
const std::string kData = QUARVEL_DATA_DIR;
constexpr ColorRef kGreen = 0x3CC80A;

using testing::FileBytes;

// Answers as the test says; remembers, in order, what the session asked and told.
struct ScriptedHost final : EditorHost {
  std::optional<ColorRef> colour = kGreen;
  std::deque<std::optional<std::string>> folders;  // one a folder dialog
  std::deque<CloseChoice> leave;                   // one a question about unsaved changes
  bool restore = true;
  std::string clockProblem;
  std::function<void()> whileAsking;  // what happens while the question is open
  std::vector<std::string> said;      // "problem: ...", "ask: ...", "pick: ...", "clock", ...
  std::vector<std::string> problems;
  bool unsavedAtClockStart = true;
  EditorSession* session = nullptr;

  std::optional<ColorRef> PickColour(ColorRef) override { return colour; }
  std::optional<std::string> PickBitmap(const std::string&) override { return std::nullopt; }
  std::optional<std::string> PickFolder(const std::string& title,
                                        const std::string& from) override {
    said.push_back("pick: " + title + " from " + from);
    auto folder = folders.front();
    folders.pop_front();
    return folder;
  }
  void ShowProblem(const std::string& text) override {
    said.push_back("problem");
    problems.push_back(text);
  }
  CloseChoice AskBeforeLeaving(const std::string& doing) override {
    said.push_back("ask: " + doing);
    if (whileAsking) whileAsking();
    const CloseChoice choice = leave.front();
    leave.pop_front();
    return choice;
  }
  bool AskRestore(const std::string&) override {
    said.push_back("restore?");
    return restore;
  }
  std::optional<std::string> EnterFolder(const std::string& folder) override {
    std::error_code ec;
    fs::current_path(folder, ec);
    if (ec) return ": " + ec.message();
    return std::nullopt;
  }
  std::string StartClock() override {
    said.push_back("clock");
    unsavedAtClockStart = session->editor().HasUnsavedChanges();
    return clockProblem;
  }
  void ApplyTyped() override { said.push_back("typed"); }
  std::string SetStartAtLogin(bool on) override {
    logins.push_back(on);
    return loginProblem;
  }
  std::vector<bool> logins;  // each save's start-at-login, in order
  std::string loginProblem;
  void ShowSkin() override { ++shown; }
  void ShowPoints() override { ++shown; }
  void ShowFace() override { ++shown; }
  void ShowStatus() override { ++shown; }
  int shown = 0;
};

class EditorSessionTest : public ::testing::Test {
 protected:
  EditorSessionTest() {
    skin.CopyIn(kData, {"tyou.sin", "tan.sin", "byou.sin", "qv.bmp"});
    fs::current_path(skin.path());
    host.session = &session;
    EXPECT_EQ(session.OpenWorkingFolder(), "");
  }
  ~EditorSessionTest() override { fs::current_path(before); }

  std::string Shipped(const char* name) { return FileBytes(kData + "/" + name); }
  void Edit() { session.ChooseColour(); }  // the hour hand green: one unsaved change
  ColorRef HourColourIn(const std::string& folder) {
    return FileBytes(folder + "/tan.sin").starts_with(std::to_string(kGreen)) ? kGreen : 0;
  }

  fs::path before = fs::current_path();
  testing::TempFolder skin, state, other;
  StoppedClock clock{kClassicPose};
  ScriptedHost host;
  EditorSession session{host, clock, RecoveryStore(state.path())};
};

// A refused save writes nothing and says why; a clock that does not start is told of.
TEST_F(EditorSessionTest, SaveAndStartTheClockOnlyAfterAGoodSave) {
  session.Select(1);
  session.ApplyPointFields(ShapePoint{110, 40000}, false);
  EXPECT_FALSE(session.SaveAndStartClock());
  ASSERT_EQ(host.problems.size(), 1u);
  EXPECT_TRUE(host.problems[0].starts_with("The skin was not saved.\n\n")) << host.problems[0];
  EXPECT_NE(host.problems[0].find("Run-time error 6"), std::string::npos) << host.problems[0];
  EXPECT_EQ(host.said, (std::vector<std::string>{"typed", "problem"}));
  EXPECT_EQ(FileBytes(skin.path() + "/tan.sin"), Shipped("tan.sin"));
  EXPECT_TRUE(session.editor().HasUnsavedChanges());

  session.Undo();
  Edit();
  host.clockProblem = "it is not there.";
  EXPECT_FALSE(session.SaveAndStartClock());
  EXPECT_EQ(host.problems.back(), "The skin is saved, but it is not there.");
  EXPECT_FALSE(host.unsavedAtClockStart);
  EXPECT_EQ(HourColourIn(skin.path()), kGreen);

  host.clockProblem.clear();
  EXPECT_TRUE(session.SaveAndStartClock());
  EXPECT_EQ(host.problems.size(), 2u);
  EXPECT_NE(session.StatusText().find("Saved."), std::string::npos);
}

// Save writes them, Discard drops them and the kept copy; nothing unsaved, nothing asked.
TEST_F(EditorSessionTest, LeavingWithUnsavedChangesAsksFirst) {
  EXPECT_TRUE(session.MayLeaveSkin(messages::kClosing));
  EXPECT_TRUE(session.KeepUnsavedWork());
  EXPECT_TRUE(host.said.empty());
  EXPECT_FALSE(fs::exists(RecoveryStore(state.path()).PathFor(skin.path())));
  Edit();
  host.leave = {CloseChoice::kStay, CloseChoice::kDiscard};
  EXPECT_FALSE(session.MayLeaveSkin(messages::kClosing));
  EXPECT_TRUE(session.KeepUnsavedWork());
  EXPECT_TRUE(fs::exists(RecoveryStore(state.path()).PathFor(skin.path())));
  EXPECT_TRUE(session.MayLeaveSkin(messages::kClosing));
  EXPECT_EQ(FileBytes(skin.path() + "/tan.sin"), Shipped("tan.sin"));
  EXPECT_FALSE(fs::exists(RecoveryStore(state.path()).PathFor(skin.path())));
  EXPECT_EQ(host.said, (std::vector<std::string>{"ask: closing", "ask: closing"}));

  host.leave = {CloseChoice::kSave};
  EXPECT_TRUE(session.MayLeaveSkin(messages::kClosing));
  EXPECT_EQ(HourColourIn(skin.path()), kGreen);
}

// The options are edited like the skin (undone, kept unsaved, saved), beside it in options.ini:
// no file while they are the defaults, and the lines the editor doesn't own kept as found.
TEST_F(EditorSessionTest, OptionsAreEditedAndSavedBesideTheSkin) {
  const std::string file = skin.path() + "/options.ini";
  Edit();
  EXPECT_TRUE(session.Save());
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(host.logins, std::vector<bool>{false});

  EXPECT_EQ(session.ApplyOption("opacity", "10"), "not a whole percent from 20 to 100");
  EXPECT_NE(session.StatusText().find("The option opacity can't be \"10\""), std::string::npos);
  EXPECT_FALSE(session.editor().HasUnsavedChanges());
  EXPECT_EQ(session.ApplyOption("seconds_hand", "off"), std::nullopt);
  EXPECT_EQ(session.ApplyOption("start_at_login", "on"), std::nullopt);
  session.Undo();
  EXPECT_EQ(std::make_pair(session.options().secondsHand, session.options().startAtLogin),
            std::make_pair(false, false));
  session.Redo();
  EXPECT_TRUE(session.KeepUnsavedWork());
  const std::string kept = FileBytes(RecoveryStore(state.path()).PathFor(skin.path()));
  EXPECT_NE(kept.find("option seconds_hand off\n"), std::string::npos) << kept;

  host.loginProblem = "the folder is read-only";
  EXPECT_TRUE(session.Save());
  EXPECT_EQ(host.logins, (std::vector<bool>{false, true}));
  EXPECT_NE(session.StatusText().find("Start at login could not be set: the folder is read-only."),
            std::string::npos);
  EXPECT_NE(FileBytes(file).find("seconds_hand=off"), std::string::npos);

  // The live face shows the options as the clock will: the date's window, no seconds hand.
  const PixelImage withDate = (session.ApplyOption("date", "on"), session.DrawFace().pixels);
  session.Undo();
  EXPECT_NE(session.DrawFace().pixels.pixels, withDate.pixels);
  session.Redo();

  // A line of the author's and one of another version stay; a reset writes every default.
  skin.Write("options.ini", "# mine\r\nseconds_hand=off\r\nfuture=1\r\n");
  EXPECT_EQ(session.OpenWorkingFolder(), "");
  session.ResetOptions();
  EXPECT_TRUE(session.Save());
  EXPECT_TRUE(FileBytes(file).starts_with("# mine\r\nseconds_hand=on\r\nfuture=1\r\n"))
      << FileBytes(file);
}

TEST_F(EditorSessionTest, NewSkinGoesOnInAnEmptyFolderOnly) {
  Edit();
  host.leave = {CloseChoice::kStay, CloseChoice::kDiscard, CloseChoice::kDiscard};
  session.NewSkin();
  EXPECT_EQ(host.said, (std::vector<std::string>{"ask: opening another skin"}));

  host.folders = {skin.path()};
  session.NewSkin();
  ASSERT_EQ(host.problems.size(), 1u);
  EXPECT_TRUE(host.problems[0].starts_with("No new skin was made.\n\n")) << host.problems[0];
  EXPECT_EQ(session.folder(), skin.path());

  host.folders = {other.path()};
  session.NewSkin();
  EXPECT_EQ(host.said.back(), "pick: Pick an empty folder for the new skin from " +
                                  fs::path(skin.path()).parent_path().string());
  EXPECT_EQ(std::make_tuple(session.folder(), fs::current_path().string()),
            std::make_tuple(other.path(), other.path()));
  EXPECT_EQ(FileBytes(other.path() + "/tan.sin"), Shipped("tan.sin"));
  EXPECT_NE(session.StatusText().find(messages::kNewSkinMade), std::string::npos);
}

// A value typed first is taken; the next save lands in the copy, the original keeps its files.
TEST_F(EditorSessionTest, SaveACopyGoesOnInTheCopy) {
  Edit();
  host.folders = {skin.path(), other.path()};
  session.SaveCopy();
  ASSERT_EQ(host.problems.size(), 1u);
  EXPECT_TRUE(host.problems[0].starts_with("No copy was saved.\n\n")) << host.problems[0];
  session.SaveCopy();
  EXPECT_EQ(host.said[0], "typed");
  EXPECT_EQ(session.folder(), other.path());
  EXPECT_EQ(HourColourIn(other.path()), kGreen);
  EXPECT_FALSE(session.editor().HasUnsavedChanges());
  session.ChooseHand(HandId::kMinute);
  Edit();
  EXPECT_TRUE(session.Save());
  EXPECT_EQ(
      std::make_pair(FileBytes(skin.path() + "/tan.sin"), FileBytes(skin.path() + "/tyou.sin")),
      std::make_pair(Shipped("tan.sin"), Shipped("tyou.sin")));
  EXPECT_NE(FileBytes(other.path() + "/tyou.sin"), Shipped("tyou.sin"));
}

TEST_F(EditorSessionTest, OpenSkinFolderReportsWhatItCantRead) {
  other.Write("tan.sin", "255\r\n0,0\r\n0,x\r\n");
  host.folders = {other.path() + "/none", other.path()};
  session.Select(1);
  session.OpenSkinFolder();
  ASSERT_EQ(host.problems.size(), 1u);
  EXPECT_TRUE(host.problems[0].starts_with("\"" + other.path() + "/none\" can't be opened: "))
      << host.problems[0];
  EXPECT_EQ(std::make_tuple(session.folder(), session.selected()), std::make_tuple(skin.path(), 1));
  session.OpenSkinFolder();
  ASSERT_EQ(host.problems.size(), 2u);
  EXPECT_TRUE(host.problems[1].starts_with("The skin opened with problems")) << host.problems[1];
  EXPECT_NE(host.problems[1].find("tan.sin, line 3"), std::string::npos) << host.problems[1];
  EXPECT_EQ(session.folder(), other.path());
}

// Ended from outside: a typed value is applied and the edits kept once; nothing asked any more.
TEST_F(EditorSessionTest, EditsKeptAtTheEndAreOfferedBack) {
  Edit();
  host.leave = {CloseChoice::kSave};
  host.whileAsking = [this] { EXPECT_TRUE(session.EndKeepingWork()); };
  EXPECT_FALSE(session.MayLeaveSkin(messages::kClosing));
  EXPECT_FALSE(session.EndKeepingWork());
  EXPECT_EQ(host.said, (std::vector<std::string>{"ask: closing", "typed"}));
  EXPECT_EQ(FileBytes(skin.path() + "/tan.sin"), Shipped("tan.sin"));

  ScriptedHost next;
  EditorSession again{next, clock, RecoveryStore(state.path())};
  next.session = &again;
  again.OpenWorkingFolder();
  again.OfferRecovery();
  EXPECT_EQ(next.said, (std::vector<std::string>{"restore?"}));
  EXPECT_EQ(std::make_tuple(again.document().hand(HandId::kHour).color,
                            again.editor().HasUnsavedChanges()),
            std::make_tuple(kGreen, true));
  EXPECT_NE(again.StatusText().find(kRestoredNotice), std::string::npos);
  again.Left();
  EXPECT_TRUE(again.KeepUnsavedWork());
}

// What an author types that the clock can't take is told under the face, the skin unchanged.
TEST_F(EditorSessionTest, RefusedFieldsAreToldInTheStatusLine) {
  const auto told = [&](const char* notice) {
    return session.StatusText().find(notice) != std::string::npos;
  };
  session.ApplyPointFields(std::nullopt, true);
  EXPECT_TRUE(told(messages::kWholeNumbers));
  session.ApplyPenWidth(0);
  EXPECT_TRUE(told(messages::kPenRange));
  session.ApplyTime("25:00");
  EXPECT_TRUE(told(messages::kTimeFormat));
  session.ApplySize("33");
  EXPECT_TRUE(told("50 % to 400 %"));
  EXPECT_FALSE(session.editor().HasUnsavedChanges());
  session.ApplyTime("3:04:05");
  const TimeOfDay shown = session.DrawFace().time;
  EXPECT_EQ(shown.hours * 3600 + shown.minutes * 60 + shown.seconds, 3 * 3600 + 4 * 60 + 5);
  EXPECT_FALSE(session.SecondChanged());
}

}  // namespace
}  // namespace quarvel
