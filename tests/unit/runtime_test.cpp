// The runtime rules everything else stands on: checked arithmetic, rounding, number text, the
// list reader, the errors of system failures, the program search.
#include <gtest/gtest.h>

#include <cerrno>
#include <limits>
#include <set>

#include "runtime/checked_math.h"
#include "runtime/list_reader.h"
#include "runtime/number_text.h"
#include "runtime/program_search.h"
#include "runtime/runtime_error.h"
#include "runtime/system_errors.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::ErrorOf;

TEST(CheckedMath, NarrowingAndArithmeticRaiseOverflowAtTheEdges) {
  EXPECT_EQ(std::make_tuple(Narrow16(32767), Narrow16(-32768)), std::make_tuple(32767, -32768));
  EXPECT_EQ(ErrorOf([] { Narrow16(32768); }), 6);
  EXPECT_EQ(ErrorOf([] { Narrow16(-32769); }), 6);
  EXPECT_EQ(ErrorOf([] { Narrow32(int64_t{1} << 31); }), 6);
  EXPECT_EQ(ErrorOf([] { Add16(32767, 1); }), 6);
  EXPECT_EQ(ErrorOf([] { Add32(std::numeric_limits<int32_t>::max(), 1); }), 6);
  EXPECT_EQ(ErrorOf([] { Sub32(std::numeric_limits<int32_t>::min(), 1); }), 6);
  EXPECT_EQ(ErrorOf([] { Mul32(65536, 32768); }), 6);
  EXPECT_EQ(Mul32(-65536, 32768), std::numeric_limits<int32_t>::min());
}

TEST(CheckedMath, RoundingIsNearestWithTiesToEven) {
  const std::pair<double, int> cases[] = {{0.5, 0},         {1.5, 2},          {2.5, 2},
                                          {-2.5, -2},       {-3.5, -4},        {2.5000000001, 3},
                                          {32767.4, 32767}, {-32768.5, -32768}};
  for (auto [value, rounded] : cases) EXPECT_EQ(Round16(value), rounded) << value;
  EXPECT_EQ(Round32(40.5), 40);
  EXPECT_EQ(ErrorOf([] { Round16(32767.5); }), 6);  // rounds to 32768
  EXPECT_EQ(ErrorOf([] { Round32(2147483647.5); }), 6);
  for (double wild :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
    EXPECT_EQ(ErrorOf([&] { Round32(wild); }), 6) << wild;
}

TEST(NumberText, FifteenDigitsWithAPointAndPrintedNumbers) {
  EXPECT_EQ(DecimalText(6.5), "6.5");
  EXPECT_EQ(DecimalText(59.0 + 3.0 / 14.0), "59.2142857142857");
  EXPECT_EQ(RoundTripDecimal(0.1 + 0.2), 0.3);  // the binary noise after 15 digits goes
  EXPECT_EQ(std::make_tuple(PrintedNumber(0), PrintedNumber(-32768)),
            std::make_tuple(" 0 ", "-32768 "));
}

TEST(ListReader, SeparatorsBlanksTextsAndTheEnd) {
  ListReader in("255\r\n0,100\r\n 7 , -8 \r\n1,2\n my face.bmp \rfaces\\a,b.bmp\r\n", "t.sin");
  for (int v : {255, 0, 100, 7, -8, 1, 2}) EXPECT_EQ(in.ReadInt32(), v);
  for (const char* text : {"my face.bmp", "faces\\a", "b.bmp"}) EXPECT_EQ(in.ReadText(), text);
  EXPECT_TRUE(in.AtEnd());  // the final line break went with the last value
  EXPECT_EQ(ErrorOf([&] { in.ReadInt32(); }), 62);
}

TEST(ListReader, ABadValueRaisesItsErrorAndTakesTheRestOfItsLine) {
  ListReader in("2147483648,5\r\n-2147483648\r\nx1,7,8\r\n40000\r\n,9", "s.ini");
  EXPECT_EQ(testing::ReportOf([&] { in.ReadInt32(); }),
            "Run-time error 6: Overflow (s.ini, line 1)");
  EXPECT_EQ(in.ReadInt32(), std::numeric_limits<int32_t>::min());  // the 5 went with line 1
  EXPECT_EQ(ErrorOf([&] { in.ReadInt32(); }), 13);                 // 7 and 8 go with x1
  EXPECT_EQ(ErrorOf([&] { in.ReadInt16(); }), 6);  // alone on its line: nothing more goes
  EXPECT_EQ(in.ReadInt32(), 0);                    // an empty field reads as 0
  EXPECT_EQ(in.ReadInt32(), 9);
  ListReader huge("99999999999999999999999", "x");
  EXPECT_EQ(ErrorOf([&] { huge.ReadInt32(); }), 6);
}

TEST(ListReader, AFractionRoundsToEvenAndAUnicodeFileReadsAsItsText) {
  ListReader in("2.5,3.5,-2.5,0.5000001,7.49,.5,-.51,1.,+4", "x");
  for (int want : {2, 4, -2, 1, 7, 0, -1, 1, 4}) EXPECT_EQ(in.ReadInt16(), want);
  ListReader bad("1.2.3\n+\n.\n1e3\n0x10", "x");
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ErrorOf([&] { bad.ReadInt32(); }), 13);
  ListReader wide(std::string("\xFF\xFE"
                              "1\0,\0"
                              "2\0\r\0\n\0"
                              "\xE9\0\x42\x30",
                              16),
                  "x");
  for (int v : {1, 2}) EXPECT_EQ(wide.ReadInt32(), v);
  EXPECT_EQ(wide.ReadText(), "\xE9?");  // e-acute stays, a kana has no 8-bit form
  ListReader bom(
      "\xEF\xBB\xBF"
      "7",
      "x");
  EXPECT_EQ(bom.ReadInt32(), 7);
}

// One mapping from a failure's kind to the clock's numbered error, whichever system named it.
TEST(SystemErrors, ASystemFailureBecomesTheClocksNumberedError) {
  EXPECT_STREQ(DirectorySearchError(PosixFailure(ENAMETOOLONG), "x").what(),
               "Run-time error 52: Bad file name or number (x)");
  for (auto [failure, number] :
       {std::pair{PosixFailure(ELOOP), 52}, {PosixFailure(EACCES), 75}, {FailureKind::kOther, 75}})
    EXPECT_EQ(DirectorySearchError(failure, "x").number(), number);
  EXPECT_STREQ(ProgramStartError(PosixFailure(ENOENT), "qvedit", "error 2").what(),
               "Run-time error 53: File not found (qvedit, error 2)");
  EXPECT_STREQ(
      ProgramStartError(FailureKind::kNotAProgram, "qvedit.exe", "Windows error 193").what(),
      "Run-time error 321: Invalid file format (qvedit.exe, Windows error 193)");
  const std::pair<int, int> starts[] = {{EACCES, 70}, {EPERM, 70}, {ENOEXEC, 321}, {EIO, 75}};
  for (auto [error, number] : starts)
    EXPECT_EQ(ProgramStartError(PosixFailure(error), "qvedit", "").number(), number) << error;
  EXPECT_EQ(PosixFailure(ENOTDIR), FailureKind::kNotFound);
  // A program no folder has: the backend names the kind, the clock the number.
  EXPECT_STREQ(ProgramStartError(FailureKind::kNotFound, "qvedit.exe").what(),
               "Run-time error 53: File not found (qvedit.exe)");
  EXPECT_STREQ(FileMakingError(FailureKind::kNoMemory, "face.png").what(),
               "Run-time error 7: Out of memory (face.png)");
  EXPECT_EQ(FileMakingError(FailureKind::kOther, "face.png").number(), 75);
}

// The systems' own codes as every report words them.
TEST(SystemErrors, ASystemsCodesAreWordedInOnePlace) {
  EXPECT_EQ(std::make_tuple(ErrorCodeText(2), WindowsErrorCodeText(193),
                            WindowsErrorCodeText(4294967295u), ExitStatusText(3), SignalText(9)),
            std::make_tuple("error 2", "Windows error 193", "Windows error 4294967295",
                            "exit status 3", "signal 9"));
  EXPECT_STREQ(SystemCallFailure("Win32", "CreateWindowEx", 1400).what(),
               "Win32: CreateWindowEx failed (error 1400).");
  EXPECT_STREQ(SystemCallFailure("Win32", "SetTimer", 4294967295u).what(),
               "Win32: SetTimer failed (error 4294967295).");
}

// A file system of a few programs; a relative path is the working directory's.
FileSystemWays Ways(const std::set<std::string>& programs, std::vector<std::string>& looked) {
  return FileSystemWays{
      [](const std::string& folder) { return folder.starts_with("/"); },
      [&programs, &looked](const std::string& path) {
        looked.push_back(path);
        return programs.contains(path);
      },
      [](const std::string& folder, const std::string& name) { return folder + "/" + name; }};
}

TEST(ProgramSearchTest, OwnFolderFirstThenAbsoluteSearchFoldersNeverTheWorkingDirectory) {
  const std::set<std::string> programs{
      "/opt/clock/qvedit", "/usr/bin/qvedit", "qvedit",
      "./qvedit",          "bin/qvedit",      "/usr/local/bin/qvedit"};
  const std::vector<std::string> path = SplitSearchPath(":.:bin:/usr/local/bin:/usr/bin:", ':');
  EXPECT_EQ(path, (std::vector<std::string>{"", ".", "bin", "/usr/local/bin", "/usr/bin", ""}));
  std::vector<std::string> looked;
  EXPECT_EQ(SearchProgram("/opt/clock", path, "qvedit", Ways(programs, looked)),
            "/opt/clock/qvedit");
  looked.clear();
  EXPECT_EQ(SearchProgram("/opt/none", path, "qvedit", Ways(programs, looked)),
            "/usr/local/bin/qvedit");
  EXPECT_EQ(looked, (std::vector<std::string>{"/opt/none/qvedit", "/usr/local/bin/qvedit"}));
  // No own folder, and a search path of relative and empty entries only: nothing, and nothing
  // in the working directory was even looked at.
  looked.clear();
  EXPECT_EQ(SearchProgram("", SplitSearchPath("::.:bin", ':'), "qvedit", Ways(programs, looked)),
            "");
  EXPECT_TRUE(looked.empty());
  EXPECT_EQ(SplitSearchPath("", ';'), std::vector<std::string>{""});
  EXPECT_EQ(SplitSearchPath("C:\\a;\"C:\\b c\"", ';'),
            (std::vector<std::string>{"C:\\a", "\"C:\\b c\""}));
}

}  // namespace
}  // namespace quarvel
