// The Options page of the Linux editor driven with the keys and the mouse: each control goes to
// options.ini at the save, a refused value is told and not shown as taken, undo and reset show
// again, start at login makes and removes its entry, and the face shows its opacity.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "apps/qvedit-qt/face_view.h"
#include "core/desktop/autostart_entry.h"
#include "core/skineditor/face_time.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

namespace quarvel {
namespace {

namespace fs = std::filesystem;
const std::string kData = QUARVEL_DATA_DIR;
const std::string kSettings = "300,200\r\n0\r\nqv.bmp\r\n 2 \r\n";  // as the editor writes it

struct Session {
  testing::TempFolder folder, config;
  fs::path before = fs::current_path();
  StoppedClock clock{kClassicPose};
  testing::ScriptedDialogs* dialogs;
  std::unique_ptr<EditorWindow> window;

  Session() {
    folder.CopyIn(kData, {"tyou.sin", "tan.sin", "byou.sin", "qv.bmp"});
    folder.Write("settings.ini", kSettings);
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    // A clock on the search path, for a build that has not made the one beside the editor.
    fs::create_directory(config.path() + "/bin");
    config.Write("bin/quarvel", "#!/bin/sh\n");
    fs::permissions(config.path() + "/bin/quarvel", fs::perms::owner_all);
    ::setenv("PATH", (config.path() + "/bin:" + std::getenv("PATH")).c_str(), 1);
    fs::current_path(folder.path());
    window = testing::NewEditor(dialogs, clock);
    testing::OpenAndShow(*window);
  }
  ~Session() {
    window.reset();
    fs::current_path(before);
  }
  template <typename T>
  T* Find(const char* name) {
    return testing::NamedChild<T>(*window, name);
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
  }
  void Type(const char* text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
    Key(Qt::Key_Return);
  }
  // From the skin's controls to the options, as Ctrl+Tab does in any tabbed window.
  void ToOptions() {
    Key(Qt::Key_H, Qt::AltModifier);  // the hour hand, inside the pages
    Key(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(Find<QTabWidget>("pages")->currentWidget()->isAncestorOf(Find<QWidget>("opacity")),
             true);
  }
  void Click(const char* name) { QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton); }
  bool Checked(const char* name) { return Find<QCheckBox>(name)->isChecked(); }
  // A check box by its letter: the button shows itself pressed for a moment, then switches.
  void Toggle(const char* name, int letter) {
    const bool was = Checked(name);
    Key(letter, Qt::AltModifier);
    QTRY_VERIFY2(Checked(name) != was, name);
  }
  QString Status() { return Find<QLabel>("status")->text(); }
  std::string Entry() { return config.path() + "/autostart/" + AutostartFileName(folder.path()); }
};

}  // namespace

class OptionsUiTest : public QObject {
  Q_OBJECT

 private slots:
  // Every control by its key, a refused zone told, Ctrl+S: options.ini holds them all, the
  // settings file its four lines, and the login entry starts the clock in the skin folder.
  void EachControlIsSavedAndAFaultyZoneIsTold() {
    Session s;
    s.ToOptions();
    s.Toggle("seconds_hand", Qt::Key_H);
    s.Toggle("date", Qt::Key_E);
    s.Toggle("all_workspaces", Qt::Key_A);
    s.Toggle("start_at_login", Qt::Key_G);
    s.Toggle("hourly_chime", Qt::Key_C);
    s.Toggle("locked", Qt::Key_K);
    s.Key(Qt::Key_P, Qt::AltModifier);
    s.Key(Qt::Key_A, Qt::ControlModifier);
    s.Type("60");
    s.Key(Qt::Key_L, Qt::AltModifier);
    s.Key(Qt::Key_End);  // the last layer: below other windows
    s.Key(Qt::Key_T, Qt::AltModifier);
    s.Type("Not a zone");
    QVERIFY2(s.Status().contains("The option time_zone can't be \"Not a zone\""),
             qPrintable(s.Status()));
    QCOMPARE(s.Find<QComboBox>("time_zone")->currentText(), QString());
    s.Key(Qt::Key_A, Qt::ControlModifier);
    s.Type("Asia/Tokyo");
    QCOMPARE(s.Find<QComboBox>("time_zone")->currentText(), QString("Asia/Tokyo"));
    s.Key(Qt::Key_S, Qt::ControlModifier);
    const std::string saved = s.folder.Read("options.ini");
    for (const char* line :
         {"seconds_hand=off", "date=on", "time_zone=Asia/Tokyo", "opacity=60", "layer=below",
          "all_workspaces=on", "start_at_login=on", "hourly_chime=on", "locked=on"})
      QVERIFY2(saved.find(line) != std::string::npos,
               qPrintable(QString(line) + " in " + saved.c_str()));
    QCOMPARE(s.folder.Read("settings.ini"), kSettings);
    const std::string entry = testing::FileBytes(s.Entry());
    QVERIFY2(entry.find("\nPath=" + s.folder.path() + "\n") != std::string::npos, entry.c_str());
    QVERIFY2(entry.find("\nExec=") != std::string::npos, entry.c_str());
  }

  // Undo, redo and Reset to defaults each show the options as they are; with login off, the
  // next save removes the entry the one before made.
  void UndoRedoResetShowAndLoginOffRemovesTheEntry() {
    Session s;
    s.ToOptions();
    s.Toggle("start_at_login", Qt::Key_G);
    s.Key(Qt::Key_P, Qt::AltModifier);
    s.Key(Qt::Key_A, Qt::ControlModifier);
    s.Type("45");
    s.Key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY2(fs::exists(s.Entry()), qPrintable(s.Status()));
    s.Click("undo");  // Ctrl+Z in the opacity field is the field's own undo
    QCOMPARE(s.Find<QSpinBox>("opacity")->value(), 100);
    QVERIFY(s.Checked("start_at_login"));
    s.Click("redo");
    QCOMPARE(s.Find<QSpinBox>("opacity")->value(), 45);
    s.Click("resetOptions");
    QCOMPARE(s.Find<QSpinBox>("opacity")->value(), 100);
    QVERIFY(!s.Checked("start_at_login"));
    QVERIFY(s.Checked("seconds_hand"));
    QCOMPARE(s.Find<QComboBox>("layer")->currentIndex(), 0);
    s.Key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!fs::exists(s.Entry()));
    QVERIFY(s.folder.Read("options.ini").find("opacity=100") != std::string::npos);
  }

  // The face at 40 % is the face drawn over the window's own colour at that opacity.
  void TheFaceShowsItsOpacity() {
    Session s;
    const QImage solid = s.window->faceView().grab().toImage();
    s.ToOptions();
    s.Key(Qt::Key_P, Qt::AltModifier);
    s.Key(Qt::Key_A, Qt::ControlModifier);
    s.Type("40");
    const QImage faint = s.window->faceView().grab().toImage();
    const QColor behind = s.window->faceView().palette().color(QPalette::Window);
    const QPoint centre(solid.width() / 2, solid.height() / 2 + 30);
    const QColor was = solid.pixelColor(centre), now = faint.pixelColor(centre);
    QVERIFY(was != behind);
    QVERIFY2(std::abs(now.red() - (was.red() * 40 + behind.red() * 60) / 100) <= 2 &&
                 std::abs(now.blue() - (was.blue() * 40 + behind.blue() * 60) / 100) <= 2,
             qPrintable(QString("%1 over %2 shows %3").arg(was.name(), behind.name(), now.name())));
  }
};

}  // namespace quarvel

QTEST_MAIN(quarvel::OptionsUiTest)
#include "options_ui_test.moc"
