// options.ini both ways: defaults without it, values read and refused, the lines the clock
// doesn't own kept byte for byte, and settings.ini never touched.
#include "core/skin/options_file.h"

#include <gtest/gtest.h>

#include "core/skin/settings_file.h"
#include "runtime/safe_file.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::TempFolder;

OptionsFile ReadBytes(TempFolder& folder, const std::string& bytes) {
  folder.Write("options.ini", bytes);
  FileSlot slot(folder.path());
  return ReadOptionsFile(slot);
}

TEST(OptionsFile, NoFileOrAnUnreadableOneGivesTodaysClock) {
  TempFolder folder;
  FileSlot slot(folder.path());
  const OptionsFile none = ReadOptionsFile(slot);
  EXPECT_EQ(none.options, ClockOptions{});
  EXPECT_EQ(none.unreadable, "");
  // Too large or not text: nothing is read, and the editor can say why.
  const std::string huge = "seconds_hand=off\r\n" + std::string(kMaxDataFileBytes, '#');
  const std::string binary = std::string("seconds_hand=off\r\nlocked=on\0\x01\x02", 31);
  for (const std::string& bytes : {huge, binary}) {
    const OptionsFile read = ReadBytes(folder, bytes);
    EXPECT_EQ(read.options, ClockOptions{});
    EXPECT_TRUE(read.lines.empty());
    EXPECT_NE(read.unreadable, "");
  }
}

TEST(OptionsFile, EachValueIsReadAndOneTheClockCantUseKeepsItsDefaultAndIsListed) {
  TempFolder folder;
  const OptionsFile read = ReadBytes(folder,
                                     "\xEF\xBB\xBF"
                                     "Seconds_Hand = OFF\n"
                                     "date=yes\n"
                                     "date_place = -30, 40\n"
                                     "date_colour=255\n"
                                     "time_zone=America/Argentina/Buenos_Aires\n"
                                     "opacity=35%\n"
                                     "layer=below\n"
                                     "all_workspaces=1\n"
                                     "start_at_login=true\n"
                                     "hourly_chime=on\n"
                                     "locked=on");
  EXPECT_EQ(read.refused, std::vector<RefusedOption>{});
  ClockOptions expected{false,
                        true,
                        "America/Argentina/Buenos_Aires",
                        35,
                        ClockLayer::kBelow,
                        true,
                        true,
                        true,
                        true,
                        {-30, 40},
                        255};
  EXPECT_EQ(read.options, expected);

  // The ends of each range, and names written another way, are taken.
  const std::pair<const char*, std::string> taken[] = {
      {"opacity=20", "20"},
      {"opacity=100%", "100"},
      {"layer=Normal", "normal"},
      {"layer=top-most", "top-most"},
      {"time_zone=Etc/GMT+9", "Etc/GMT+9"},
      {"date=No", "off"},
      {"date_place=100,-100", "100,-100"},
      {"date_colour=16777215", "16777215"},
  };
  for (const auto& [line, shown] : taken) {
    SCOPED_TRACE(line);
    const OptionsFile ok = ReadBytes(folder, line);
    const std::string key = std::string(line).substr(0, std::string(line).find('='));
    EXPECT_EQ(ok.refused, std::vector<RefusedOption>{});
    EXPECT_EQ(OptionValueText(ok.options, key), shown);
  }

  const std::string kNotAPlace = "not x,y in percent of the radius from -100 to 100, such as 55,0";
  const std::string kNotAColour = "not a colour number from 0 to 16777215 as in the hand files";
  struct Case {
    const char* line;
    RefusedOption refused;
  };
  const Case cases[] = {
      {"seconds_hand=maybe", {"seconds_hand", "maybe", "not on or off"}},
      {"opacity=19", {"opacity", "19", "not a whole percent from 20 to 100"}},
      {"opacity=101%", {"opacity", "101%", "not a whole percent from 20 to 100"}},
      {"opacity=80.5", {"opacity", "80.5", "not a whole percent from 20 to 100"}},
      {"opacity=", {"opacity", "", "not a whole percent from 20 to 100"}},
      {"layer=on top", {"layer", "on top", "not top-most, normal or below"}},
      {"date_place=55", {"date_place", "55", kNotAPlace}},
      {"date_place=101,0", {"date_place", "101,0", kNotAPlace}},
      {"date_place=0,-101", {"date_place", "0,-101", kNotAPlace}},
      {"date_place=left,up", {"date_place", "left,up", kNotAPlace}},
      {"date_colour=-1", {"date_colour", "-1", kNotAColour}},
      {"date_colour=16777216", {"date_colour", "16777216", kNotAColour}},
      {"date_colour=blue", {"date_colour", "blue", kNotAColour}},
      {"time_zone=../../etc/passwd",
       {"time_zone", "../../etc/passwd", "not a time zone name such as Asia/Tokyo"}},
      {"time_zone=Europe/ Paris",
       {"time_zone", "Europe/ Paris", "not a time zone name such as Asia/Tokyo"}},
      {"just some words", {"just some words", "", "not a key=value line"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const OptionsFile bad = ReadBytes(folder, std::string(c.line) + "\r\n");
    EXPECT_EQ(bad.options, ClockOptions{});
    EXPECT_EQ(bad.refused, std::vector<RefusedOption>{c.refused});
  }
}

TEST(OptionsFile, ASaveUpdatesKnownKeysInPlaceAndKeepsEveryOtherLineByteForByte) {
  TempFolder folder;
  const std::string settings = "120,45\r\n 0 \r\nqv.bmp\r\n 2 \r\n";
  folder.Write("settings.ini", settings);
  FileSlot slot(folder.path());
  // A file with no options yet: the header, then every option, CR LF as settings.ini has.
  ClockOptions options;
  options.locked = true;
  WriteOptionsFile(slot, ReadOptionsFile(slot), options);
  const std::string fresh = folder.Read("options.ini");
  EXPECT_EQ(fresh.substr(0, 2), "# ");
  EXPECT_NE(fresh.find("\r\nseconds_hand=on\r\n"), std::string::npos);
  EXPECT_NE(fresh.find("\r\nlocked=on\r\n"), std::string::npos);
  EXPECT_EQ(ReadOptionsFile(slot).options, options);

  // A hand-written file with a byte-order mark, LF ends and one CR LF, comments, another
  // version's key and a refused value.
  folder.Write("options.ini",
               "\xEF\xBB\xBF; mine\n"
               "future_option = keep me\r\n"
               "  Opacity =\t250\n"
               "\n"
               "# the zone\n"
               "locked=on");
  const OptionsFile found = ReadOptionsFile(slot);
  options = found.options;
  options.opacityPercent = 60;
  options.secondsHand = false;
  WriteOptionsFile(slot, found, options);
  EXPECT_EQ(folder.Read("options.ini"),
            "\xEF\xBB\xBF; mine\n"
            "future_option = keep me\r\n"
            "  Opacity =60\n"
            "\n"
            "# the zone\n"
            "locked=on\n"
            "seconds_hand=off\n"
            "date=off\n"
            "date_place=55,0\n"
            "date_colour=8404992\n"
            "time_zone=\n"
            "layer=top-most\n"
            "all_workspaces=off\n"
            "start_at_login=off\n"
            "hourly_chime=off\n");
  EXPECT_EQ(folder.Read("settings.ini"), settings);
}

}  // namespace
}  // namespace quarvel
