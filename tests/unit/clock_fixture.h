#pragma once
// A clock ready to start in memory: stick hands and the default face in a temporary working
// directory, an empty program folder, a clock the test sets, 15 twips per pixel.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "backends/headless/headless_clock.h"
#include "backends/headless/headless_system.h"
#include "backends/headless/headless_window.h"
#include "core/clockwindow/form1.h"
#include "test_support.h"

namespace quarvel::testing {

class ClockFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    work.Write("tyou.sin", "255\r\n0,0\r\n0,80\r\n");
    work.Write("tan.sin", "65280\r\n0,0\r\n0,50\r\n");
    work.Write("byou.sin", "16711680\r\n0,0\r\n0,90\r\n");
    std::filesystem::copy_file(std::string(QUARVEL_DATA_DIR) + "/qv.bmp", work.path() + "/qv.bmp");
  }
  // Starts the clock, with these settings in the working directory when given.
  Form1& Start(const std::string& settings = "") {
    if (!settings.empty()) work.Write("settings.ini", settings);
    form = std::make_unique<Form1>(window, system, clock, slot);
    form->UseWorkFolder(workFolder, workFolderProblem);
    form->Load();
    return *form;
  }
  // As an installed clock on Linux: its files in a folder of their own, programs without ".exe".
  void PlayInstalledLinux(std::string filesFolder) {
    workFolder = std::move(filesFolder);
    system.PlayLinux();
  }
  const FaceCanvas& canvas() const { return form->canvas(); }
  // Closes the clock as a user does, and gives the settings.ini it left.
  std::string SavedOnClose() {
    window.RequestClose();
    return work.Read("settings.ini");
  }
  // A started 200-pixel clock at (300, 100), top-most, after its first redraw.
  Form1& StartAt300x100() {
    programDir.Write("settings.ini", "");
    Form1& f = Start("300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
    window.Tick(Form1::kSecondTick);
    return f;
  }
  // Moves the pointer and lets the next change of second run the pointer test.
  void NextSecondWithPointerAt(int x, int y) {
    system.SetCursor(x, y);
    TimeOfDay t = clock.Now();
    t.seconds = (t.seconds + 1) % 60;
    clock.Set(t);
    window.Tick(Form1::kSecondTick);
  }

  TempFolder work;        // the working directory
  TempFolder programDir;  // the folder of the executable
  HeadlessClock clock{{10, 8, 30}};
  HeadlessWindow window{&clock};
  HeadlessSystem system{programDir.path()};
  FileSlot slot{work.path()};
  std::unique_ptr<Form1> form;
  std::string workFolder;  // given to the clock at its start (empty: the program's folder)
  std::string workFolderProblem;
};

}  // namespace quarvel::testing
