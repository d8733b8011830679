// The Linux editor ended from outside keeps its unsaved edits, and the next start on the skin
// folder offers them back: the signals go the way a real one goes (raised in this process, read
// from the editor's pipe in Qt's event loop), the window driven by mouse and keys.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "apps/qvedit-qt/face_view.h"
#include "apps/qvedit-qt/work_keeper.h"
#include "core/skineditor/face_time.h"
#include "core/skineditor/skin_files.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

namespace quarvel {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
const std::string kData = QUARVEL_DATA_DIR;
constexpr const char* kSettings = "300,200\r\n0\r\nqv.bmp\r\n2\r\n";

// A skin folder and a state folder of their own; editors opened on the skin one after another.
struct Runs {
  testing::TempFolder skin;
  testing::TempFolder state;
  fs::path before = fs::current_path();
  StoppedClock clock{kClassicPose};
  testing::ScriptedDialogs* dialogs = nullptr;
  std::unique_ptr<EditorWindow> window;
  std::unique_ptr<WorkKeeper> keeper;
  int quits = 0;

  Runs() {
    skin.CopyIn(kData, {"tyou.sin", "tan.sin", "byou.sin", "qv.bmp"});
    skin.Write("settings.ini", kSettings);
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(state.path()));
    fs::current_path(skin.path());
  }
  ~Runs() {
    End();
    fs::current_path(before);
  }
  // The editor started on the skin, as qvedit's main starts it.
  void Start() {
    window = testing::NewEditor(dialogs, clock);
    keeper = std::make_unique<WorkKeeper>(*window, [this] { ++quits; });
    testing::OpenAndShow(*window);
    QTest::qWait(50);  // the questions asked once the window shows
  }
  void End() {
    keeper.reset();
    window.reset();
  }
  // A real edit: the minute hand's fourth point deleted with a right-click on the face.
  void DeleteAMinutePoint() {
    QTest::mouseClick(window->findChild<QAbstractButton*>("minuteHand"), Qt::LeftButton);
    const QPoint pixel = *window->PointPixel(HandId::kMinute, 3);
    const ScreenPoint at = window->faceView().faceZoom().ToScreen({pixel.x(), pixel.y()});
    QTest::mouseClick(&window->faceView(), Qt::RightButton, Qt::NoModifier, QPoint(at.x, at.y));
    QVERIFY(window->editor().HasUnsavedChanges());
  }
  std::string CopyPath() const {
    return state.path() + "/quarvel/recovery/" + RecoveryFileName(skin.path());
  }
  bool SkinUntouched() const {
    for (const char* name : {"tyou.sin", "tan.sin", "byou.sin", "qv.bmp"})
      if (skin.Read(name) != FileBytes(kData + "/" + name)) return false;
    return skin.Read("settings.ini") == kSettings;
  }
  SkinDocument OnDisk() const {
    FileSlot slot(skin.path());
    return OpenSkin(slot).document;
  }
};

}  // namespace

class RecoveryUiTest : public QObject {
  Q_OBJECT

 private slots:
  // SIGTERM and SIGHUP alike: the edit goes to the state folder, not over the skin; the next
  // start asks, restores it as unsaved, and a Save writes it and removes the copy.
  void ASignalKeepsTheEditsAndTheNextStartRestoresThem() {
    for (const int signal : {SIGTERM, SIGHUP}) {
      Runs runs;
      runs.Start();
      runs.DeleteAMinutePoint();
      const SkinDocument edited = runs.window->editor().document();
      ::raise(signal);
      QTRY_COMPARE(runs.quits, 1);
      QVERIFY2(fs::exists(runs.CopyPath()), runs.CopyPath().c_str());
      QVERIFY(runs.SkinUntouched());
      runs.End();

      runs.Start();
      QCOMPARE(runs.dialogs->restoreAsked, 1);
      QVERIFY(runs.window->editor().document() == edited);
      QVERIFY(runs.window->editor().HasUnsavedChanges());
      QVERIFY(runs.SkinUntouched());
      QTest::keyClick(runs.window.get(), Qt::Key_S, Qt::ControlModifier);
      QVERIFY(runs.OnDisk() == edited);
      QVERIFY(!fs::exists(runs.CopyPath()));
    }
  }

  // The signal comes while "Save them before closing?" is open: the answer the question returns
  // once the editor's loops end is no answer; the edits are kept, the skin untouched.
  void ASignalWhileTheCloseQuestionIsOpen() {
    Runs runs;
    runs.Start();
    runs.DeleteAMinutePoint();
    const SkinDocument edited = runs.window->editor().document();
    runs.dialogs->close = [&runs] {
      ::raise(SIGTERM);
      if (!QTest::qWaitFor([&runs] { return runs.quits == 1; })) qWarning("no end");
      return CloseChoice::kDiscard;
    };
    runs.window->close();
    QCOMPARE(runs.quits, 1);
    QVERIFY(runs.SkinUntouched());
    runs.End();
    runs.Start();
    QVERIFY(runs.window->editor().document() == edited);
  }

  // A second signal ends the process at once, by that signal, whatever the first is doing.
  void ASecondSignalEndsAtOnce() {
    int ends[2];
    QCOMPARE(::pipe(ends), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      InstallEndSignalHandlers(ends[1]);
      ::raise(SIGHUP);
      ::raise(SIGTERM);
      ::_exit(0);  // not reached
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    ::close(ends[1]);
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(WTERMSIG(status), SIGTERM);
    char first = 0;
    QCOMPARE(::read(ends[0], &first, 1), ssize_t{1});
    QCOMPARE(int{first}, SIGHUP);
    QCOMPARE(::read(ends[0], &first, 1), ssize_t{0});
    ::close(ends[0]);
  }
};

}  // namespace quarvel

QTEST_MAIN(quarvel::RecoveryUiTest)
#include "recovery_ui_test.moc"
