// The clock in another time zone: the system's zone rules applied to an instant the test gives,
// across daylight-saving changes and midnight; names the system doesn't know refused, at the
// options file, at the clock and at start-up.
#include <gtest/gtest.h>

#include "clock_fixture.h"
#include "core/skin/zone_option.h"
#include "platform/time_zone.h"

namespace quarvel {
namespace {

constexpr int64_t kNewYorkSpringForward = 1772953200;  // 2026-03-08 07:00:00 UTC
constexpr int64_t kBerlinFallBack = 1792890000;        // 2026-10-25 01:00:00 UTC
constexpr int64_t kTokyoMidnight = 1772982000;         // 2026-03-08 15:00:00 UTC

struct Reading {
  int hours, minutes, seconds, day;
  bool operator==(const Reading&) const = default;
};
Reading Of(const TimeOfDay& t) {
  return {t.hours, t.minutes, t.seconds, t.dayOfMonth};
}

TEST(TimeZoneTest, AnInstantReadsAsTheZonesTimeAcrossItsChanges) {
  struct Case {
    const char* zone;
    int64_t utcSeconds;
    Reading expected;
  };
  for (const Case& c : {
           Case{"America/New_York", kNewYorkSpringForward - 1, {1, 59, 59, 8}},
           Case{"America/New_York", kNewYorkSpringForward, {3, 0, 0, 8}},
           Case{"Europe/Berlin", kBerlinFallBack - 1, {2, 59, 59, 25}},
           Case{"Europe/Berlin", kBerlinFallBack, {2, 0, 0, 25}},
           Case{"Asia/Tokyo", kTokyoMidnight - 1, {23, 59, 59, 8}},
           Case{"Asia/Tokyo", kTokyoMidnight, {0, 0, 0, 9}},
           Case{"Etc/GMT+9", kTokyoMidnight, {6, 0, 0, 8}},  // the sign reads west of Greenwich
       }) {
    const std::optional<TimeZone> zone = TimeZone::Find(c.zone);
    ASSERT_TRUE(zone) << c.zone;
    EXPECT_EQ(Of(zone->At({c.utcSeconds, 250})), c.expected) << c.zone << " " << c.utcSeconds;
    EXPECT_EQ(zone->At({c.utcSeconds, 250}).milliseconds, 250);
  }
}

TEST(TimeZoneTest, OnlyPlainNamesOfZonesTheSystemKnowsAreTaken) {
  for (const char* name : {"", "Mars/Olympus", "Asia", "zone.tab", "tzdata.zi", "Asia/Tokyo ",
                           "/usr/share/zoneinfo/Asia/Tokyo", "Asia/../Asia/Tokyo",
                           "../zoneinfo/Asia/Tokyo", "Asia//Tokyo", "Asia/Tokyo\n"})
    EXPECT_FALSE(TimeZone::Find(name)) << '"' << name << '"';
  EXPECT_TRUE(TimeZone::Find("Asia/Tokyo"));
}

TEST(TimeZoneTest, TheSystemClockInAZoneFollowsItsDaylightSaving) {
  UtcInstant instant{kNewYorkSpringForward - 1, 0};
  SystemClock clock([&] { return instant; });
  ASSERT_TRUE(clock.UseTimeZone("America/New_York"));
  EXPECT_EQ(Of(clock.Now()), (Reading{1, 59, 59, 8}));
  EXPECT_FALSE(clock.UseTimeZone("Mars/Olympus"));  // refused: the zone it had stays
  instant.seconds += 1;
  EXPECT_EQ(Of(clock.Now()), (Reading{3, 0, 0, 8}));
}

TEST(TimeZoneTest, AnUnknownZoneIsRefusedAsTheFilesBadValuesAreAndTheSystemsTimeKept) {
  SystemClock clock([] { return UtcInstant{kTokyoMidnight, 0}; });
  OptionsFile file;
  file.options.timeZone = "Mars/Olympus";
  UseOptionsTimeZone(file, clock);
  EXPECT_EQ(file.options.timeZone, "");
  ASSERT_EQ(file.refused.size(), 1u);
  EXPECT_EQ(file.refused[0].key, "time_zone");
  EXPECT_EQ(file.refused[0].value, "Mars/Olympus");

  file = {};
  file.options.timeZone = "Asia/Tokyo";
  UseOptionsTimeZone(file, clock);
  EXPECT_TRUE(file.refused.empty());
  EXPECT_EQ(Of(clock.Now()), (Reading{0, 0, 0, 9}));
}

TEST(TimeZoneTest, TheOptionsFileRefusesANameThatCantBeAZoneAsItIsRead) {
  for (const char* name : {"../../etc/passwd", "/etc/localtime", "Asia/Tokyo;rm", "Asia Tokyo"}) {
    ClockOptions options;
    EXPECT_TRUE(SetOptionFromText(options, "time_zone", name)) << name;
    EXPECT_EQ(options.timeZone, "");
  }
}

// The face the clock shows in a zone is the face of that zone's time.
class ZoneFaceTest : public testing::ClockFixture {
 protected:
  std::vector<Pixel> FaceAt(TimeOfDay time) {
    clock.Set(time);
    window.Tick(Form1::kSecondTick);
    return window.presented().pixels;
  }
};

TEST_F(ZoneFaceTest, TheClockShowsTheTimeOfTheZoneItsOptionsName) {
  StartAt300x100();  // the faces the fixture's clock draws at New York's times
  const std::vector<Pixel> expectedBefore = FaceAt({1, 59, 59});
  const std::vector<Pixel> expectedAfter = FaceAt({3, 0, 0});

  work.Write("options.ini", "time_zone=America/New_York\n");
  UtcInstant instant{kNewYorkSpringForward - 1, 0};
  SystemClock zoned([&] { return instant; });
  HeadlessWindow zonedWindow;
  HeadlessSystem zonedSystem{programDir.path()};
  Form1 zonedForm(zonedWindow, zonedSystem, zoned, slot);
  ASSERT_TRUE(zonedForm.Load());
  EXPECT_EQ(zonedForm.options().timeZone, "America/New_York");
  zonedForm.Command1Click();
  EXPECT_EQ(zonedWindow.presented().pixels, expectedBefore);
  instant.seconds += 1;
  zonedForm.OnClockChanged();
  EXPECT_EQ(zonedWindow.presented().pixels, expectedAfter);
  EXPECT_NE(expectedBefore, expectedAfter);
}

TEST_F(ZoneFaceTest, AClockThatKnowsNoZonesKeepsItsTimeAndDropsTheName) {
  work.Write("options.ini", "time_zone=Asia/Tokyo\n");
  const Form1& f = StartAt300x100();
  EXPECT_EQ(f.options().timeZone, "");
  EXPECT_EQ(Of(clock.Now()), (Reading{10, 8, 30, 1}));
}

}  // namespace
}  // namespace quarvel
