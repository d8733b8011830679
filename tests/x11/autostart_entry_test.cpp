// The autostart entry that starts the clock at login on a skin folder: its text as the desktop
// reads it, and turning it on and off in a folder that holds other entries too.
#include "core/desktop/autostart_entry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

namespace fs = std::filesystem;

TEST(AutostartEntry, ExecQuotesWhatTheDesktopWouldReadOtherwise) {
  EXPECT_EQ(ExecArgument("/usr/bin/quarvel"), "/usr/bin/quarvel");
  EXPECT_EQ(ExecArgument("/home/a b/quarvel"), "\"/home/a b/quarvel\"");
  // Inside quotes " ` $ \ take a backslash; the key file then doubles every backslash.
  EXPECT_EQ(ExecArgument("/x/say \"hi\"/q"), "\"/x/say \\\\\"hi\\\\\"/q\"");
  EXPECT_EQ(ExecArgument("/x/a\\b"), "\"/x/a\\\\\\\\b\"");
  EXPECT_EQ(ExecArgument("/x/$HOME`id`"), "\"/x/\\\\$HOME\\\\`id\\\\`\"");
  // A % would be a field code: doubled, quoted or not.
  EXPECT_EQ(ExecArgument("/x/100%/q"), "/x/100%%/q");
  EXPECT_EQ(ExecArgument("/x/100% sure/q"), "\"/x/100%% sure/q\"");
  EXPECT_EQ(ExecArgument("/x/it's"), "\"/x/it's\"");
}

TEST(AutostartEntry, StartsTheClockInItsFolderAndSaysItIsOurs) {
  const std::string text = AutostartEntryText("/opt/q uarvel/quarvel", "/home/me/skins/blue\\n");
  EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u) << text;
  EXPECT_NE(text.find("\nType=Application\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nExec=\"/opt/q uarvel/quarvel\"\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nPath=/home/me/skins/blue\\\\n\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nX-Quarvel-Skin-Folder=/home/me/skins/blue\\\\n\n"), std::string::npos)
      << text;
  EXPECT_EQ(AutostartFileName("/a"), AutostartFileName("/a"));
  EXPECT_NE(AutostartFileName("/a"), AutostartFileName("/b"));
  EXPECT_EQ(AutostartFileName("/a").rfind("io.github.quarvel.Quarvel-", 0), 0u);
  EXPECT_EQ(AutostartFolder("/cfg", "/home/me"), "/cfg/autostart");
  EXPECT_EQ(AutostartFolder("relative", "/home/me"), "/home/me/.config/autostart");
  EXPECT_EQ(AutostartFolder(nullptr, nullptr), "");
}

TEST(AutostartEntry, OnMakesTheFolderAndTheEntryOffRemovesOnlyIt) {
  testing::TempFolder home;
  const std::string folder = home.path() + "/config/autostart";
  const std::string skin = "/home/me/skins/blue";
  const std::string entry = folder + "/" + AutostartFileName(skin);
  EXPECT_EQ(SetAutostartEntry(folder, "/usr/bin/quarvel", skin, true), "");
  EXPECT_EQ(testing::FileBytes(entry), AutostartEntryText("/usr/bin/quarvel", skin));
  // Another skin's entry and someone else's file beside it stay through this skin's off.
  EXPECT_EQ(SetAutostartEntry(folder, "/usr/bin/quarvel", "/other", true), "");
  home.Write("config/autostart/mail.desktop", "[Desktop Entry]\nExec=mail\n");
  EXPECT_EQ(SetAutostartEntry(folder, "/usr/bin/quarvel", skin, false), "");
  EXPECT_FALSE(fs::exists(entry));
  EXPECT_TRUE(fs::exists(folder + "/" + AutostartFileName("/other")));
  EXPECT_EQ(home.Read("config/autostart/mail.desktop"), "[Desktop Entry]\nExec=mail\n");
  EXPECT_EQ(SetAutostartEntry(folder, "/usr/bin/quarvel", skin, false), "");  // nothing to do
}

TEST(AutostartEntry, AFileOfTheSameNameNotOursIsLeftAndSaidSo) {
  testing::TempFolder home;
  const std::string skin = "/home/me/skins/blue";
  const std::string name = AutostartFileName(skin);
  const std::string theirs = "[Desktop Entry]\nExec=something else\n";
  home.Write(name, theirs);
  for (const bool on : {true, false}) {
    const std::string why = SetAutostartEntry(home.path(), "/usr/bin/quarvel", skin, on);
    EXPECT_NE(why.find("was not made by this editor"), std::string::npos) << why;
    EXPECT_EQ(home.Read(name), theirs);
  }
  // Ours, but for another folder whose name hashed alike: not this folder's either.
  home.Write(name, AutostartEntryText("/usr/bin/quarvel", "/elsewhere"));
  EXPECT_NE(SetAutostartEntry(home.path(), "/usr/bin/quarvel", skin, false), "");
  EXPECT_TRUE(fs::exists(home.path() + "/" + name));
}

}  // namespace
}  // namespace quarvel
