// The Linux editor's window driven by mouse and keys, every outcome read back from the files.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "apps/qvedit-qt/face_view.h"
#include "core/skineditor/dial_frame.h"
#include "core/skineditor/face_time.h"
#include "core/skineditor/skin_files.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

namespace quarvel {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
const std::string kData = QUARVEL_DATA_DIR;
constexpr ColorRef kGreen = 10 + 200 * 256 + 60 * 65536;

// The default skin in a folder of its own, the editor open on it at 10:08:36.
struct Session {
  testing::TempFolder folder;
  fs::path before = fs::current_path();
  StoppedClock clock{kClassicPose};
  testing::ScriptedDialogs* dialogs;
  std::unique_ptr<EditorWindow> window;

  // `broken` replaces one hand file's bytes before the editor opens the skin.
  explicit Session(const char* broken = nullptr, const std::string& bytes = {}) {
    folder.CopyIn(kData, {"tyou.sin", "tan.sin", "byou.sin", "qv.bmp"});
    folder.Write("settings.ini", "300,200\r\n0\r\nqv.bmp\r\n2\r\n");
    if (broken != nullptr) folder.Write(broken, bytes);
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
  void Click(const char* name) { QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton); }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
  }
  // The middle of a face pixel on the screen, at the zoom shown.
  QPoint OnScreen(QPoint facePixel) {
    const ScreenPoint at = window->faceView().faceZoom().ToScreen({facePixel.x(), facePixel.y()});
    return QPoint(at.x, at.y);
  }
  void SetZoom(Zoom zoom) {
    auto* box = Find<QComboBox>("zoom");
    box->setCurrentIndex(box->findData(static_cast<int>(zoom)));
  }
  QPoint PointOnFace(HandId hand, int point) { return *window->PointPixel(hand, point); }
  QWidget* Face() { return &window->faceView(); }
  void ClickFace(QPoint facePixel) {
    QTest::mouseClick(Face(), Qt::LeftButton, Qt::NoModifier, OnScreen(facePixel));
  }
  // A drag on the face from one face pixel to another, in `steps` moves.
  void Drag(QPoint from, QPoint to, int steps) {
    QTest::mousePress(Face(), Qt::LeftButton, Qt::NoModifier, OnScreen(from));
    for (int step = 1; step <= steps; ++step)
      QTest::mouseMove(Face(), OnScreen(from + (to - from) * step / steps));
    QTest::mouseRelease(Face(), Qt::LeftButton, Qt::NoModifier, OnScreen(to));
  }
  void Save() { Key(Qt::Key_S, Qt::ControlModifier); }
  void PickColour(ColorRef colour) {
    dialogs->colour = colour;
    Click("colour");
  }
  // The skin as the clock will read it from the files now on disk.
  SkinDocument Saved(const std::string& in = {}) {
    FileSlot slot(in.empty() ? folder.path() : in);
    return OpenSkin(slot).document;
  }
  std::vector<ShapePoint> SavedMinute() { return Saved().hand(HandId::kMinute).points; }
  const HandDraft& Editing(HandId hand) { return window->editor().document().hand(hand); }
  // These files of the skin in `in` (default: the session's folder) are the default skin's.
  void Unchanged(std::initializer_list<const char*> names, const std::string& in = {}) {
    for (const char* name : names)
      QCOMPARE(FileBytes((in.empty() ? folder.path() : in) + "/" + name),
               FileBytes(kData + "/" + name));
  }
  void NoProblem() {
    const auto& problems = dialogs->problems;
    QVERIFY2(problems.empty(), problems.empty() ? "" : problems.front().c_str());
  }
  std::string Line(const char* file, int number) {
    const std::string text = folder.Read(file);
    std::size_t start = 0;
    for (int i = 1; i < number; ++i) start = text.find('\n', start) + 1;
    return text.substr(start, text.find('\r', start) - start);
  }
};

// The box around the pixels of this colour near a screen point.
QRect BoxOf(const QImage& image, QPoint near, QRgb colour) {
  QRect box;
  for (int y = near.y() - 20; y <= near.y() + 20; ++y)
    for (int x = near.x() - 20; x <= near.x() + 20; ++x)
      if (image.valid(x, y) && image.pixel(x, y) == colour) box |= QRect(x, y, 1, 1);
  return box;
}

// Where a point of the minute hand lies on the face at 10:08:36.
QPoint MinutePixelOf(ShapePoint point) {
  const auto pixel = PointPixel(DialFor(200, PositionsAt(kClassicPose).minute), point);
  return QPoint(pixel->x, pixel->y);
}

}  // namespace

class QveditUiTest : public QObject {
  Q_OBJECT

 private slots:
  // A drag of the minute hand's tip, saved with Ctrl+S; one Ctrl+Z takes the whole drag back.
  void DragAPointSaveAndUndo() {
    Session s;
    s.Click("minuteHand");
    const QPoint target = MinutePixelOf({30, 100});
    s.Drag(s.PointOnFace(HandId::kMinute, 6), target, 4);
    s.Save();
    QCOMPARE(MinutePixelOf(s.SavedMinute()[6]), target);
    QCOMPARE(s.SavedMinute().size(), std::size_t{13});
    s.Key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(s.Editing(HandId::kMinute).points[6], (ShapePoint{0, 85}));
    s.Key(Qt::Key_Y, Qt::ControlModifier);
    s.Save();
    QCOMPARE(MinutePixelOf(s.SavedMinute()[6]), target);
  }

  // At 2x a click on the outline inserts a point there; Delete on the face removes it, and
  // Delete in the point list the point picked there.
  void InsertOnTheOutlineAndDelete() {
    Session s;
    s.Click("minuteHand");
    s.SetZoom(Zoom::kTwo);
    QCOMPARE(s.window->faceView().faceZoom().scaleNumerator(), 2);
    s.ClickFace((s.PointOnFace(HandId::kMinute, 6) + s.PointOnFace(HandId::kMinute, 7)) / 2);
    QCOMPARE(s.window->selected(), 7);
    s.Save();
    const auto inserted = s.SavedMinute();
    QCOMPARE(inserted.size(), std::size_t{14});
    QCOMPARE(inserted[6], (ShapePoint{0, 85}));
    QCOMPARE(inserted[8], (ShapePoint{3, 70}));
    QVERIFY(inserted[7].radiusPercent < 85 && inserted[7].radiusPercent > 70);
    s.Face()->setFocus();
    QTest::keyClick(s.Face(), Qt::Key_Delete);
    s.Save();
    s.Unchanged({"tyou.sin"});
    auto* table = s.Find<QTableWidget>("points");
    table->setFocus();
    table->setCurrentCell(0, 0);
    QCOMPARE(s.window->selected(), 0);
    QTest::keyClick(table, Qt::Key_Delete);
    s.Save();
    QCOMPARE(s.SavedMinute().front(), (ShapePoint{-120, 5}));
  }

  // The colour picked is the hand file's first line, undone and redone; arrows nudge a point.
  void ColourUndoRedoAndNudge() {
    Session s;
    s.Click("minuteHand");
    const ColorRef before = s.Editing(HandId::kMinute).color;
    s.PickColour(kGreen);
    s.Click("undo");
    QCOMPARE(s.Editing(HandId::kMinute).color, before);
    s.Click("redo");
    s.Click("save");
    QCOMPARE(s.Line("tyou.sin", 1), std::to_string(kGreen));
    s.ClickFace(s.PointOnFace(HandId::kMinute, 6));
    QCOMPARE(s.window->selected(), 6);
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Up}) QTest::keyClick(s.Face(), key);
    s.Click("save");
    QCOMPARE(s.Line("tyou.sin", 8), std::string("2,86"));
  }

  // A click into Angle selects its text, Enter in Percent applies both; the pen width typed is
  // saved without Enter.
  void FieldsAndPen() {
    Session s;
    s.ClickFace(s.PointOnFace(HandId::kHour, 1));
    auto* angle = s.Find<QLineEdit>("angle");
    auto* percent = s.Find<QLineEdit>("percent");
    QVERIFY(!angle->text().isEmpty());
    QTest::mouseClick(angle, Qt::LeftButton, Qt::NoModifier, QPoint(4, angle->height() / 2));
    QTest::keyClicks(angle, "110");
    QCOMPARE(angle->text(), QString("110"));
    QTest::mouseClick(percent, Qt::LeftButton, Qt::NoModifier, QPoint(4, percent->height() / 2));
    QTest::keyClicks(percent, "40000");
    QTest::keyClick(percent, Qt::Key_Return);
    QCOMPARE(s.Editing(HandId::kHour).points[1], (ShapePoint{110, 40000}));
    s.Click("undo");
    auto* penText = s.Find<QSpinBox>("pen")->findChild<QLineEdit*>();
    penText->setFocus();
    penText->selectAll();
    QTest::keyClicks(penText, "5");
    s.Click("save");
    QCOMPARE(s.Saved().penWidth, int16_t{5});
    QCOMPARE(s.Line("settings.ini", 3), std::string("qv.bmp"));
  }

  // The clock's size typed or picked, saved as the fifth line.
  void ClockSizeTypedOrPicked() {
    Session s;
    auto* size = s.Find<QComboBox>("size");
    QCOMPARE(size->currentText(), QString("Automatic"));
    const auto type = [&](const char* text) {
      size->lineEdit()->setFocus();
      size->lineEdit()->selectAll();
      QTest::keyClicks(size->lineEdit(), text);
      QTest::keyClick(size->lineEdit(), Qt::Key_Return);
    };
    type("175");
    QCOMPARE(s.window->editor().document().sizePercent, int16_t{175});
    QCOMPARE(size->currentText(), QString("175 %"));
    size->showPopup();
    QAbstractItemView* list = size->view();
    QTRY_VERIFY(list->isVisible());
    const QRect item = list->visualRect(list->model()->index(5, 0));  // "150 %"
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    QCOMPARE(s.window->editor().document().sizePercent, int16_t{150});
    s.Click("save");
    QCOMPARE(s.Line("settings.ini", 5), std::string(" 150 "));
  }

  // The window and its controls keep their size and place at every zoom; a face larger than the
  // view scrolls. A handle keeps its screen size at 4x, while each face pixel becomes a 4 by 4
  // block; the title stays what the clock looks for, edited or not.
  void ZoomKeepsTheWindowAndTheHandlesAndTheTitleStays() {
    Session s;
    const QSize fitted = s.window->size();
    const QRect save = s.Find<QPushButton>("save")->geometry();
    for (const Zoom zoom : {Zoom::kOne, Zoom::kTwo, Zoom::kFour, Zoom::kFit, Zoom::kTwo}) {
      s.SetZoom(zoom);
      QApplication::processEvents();
      QCOMPARE(s.window->size(), fitted);
      QCOMPARE(s.Find<QPushButton>("save")->geometry(), save);
    }
    s.Click("minuteHand");
    s.Find<QTableWidget>("points")->setCurrentCell(6, 0);
    const QRgb chosen = qRgb(255, 96, 0);
    const QPoint tip = s.PointOnFace(HandId::kMinute, 6);
    s.SetZoom(Zoom::kOne);
    const QImage one = s.Face()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect atOne = BoxOf(one, s.OnScreen(tip), chosen);
    // The lower right of the face, where no hand points at 10:08:36.
    std::vector<std::pair<QPoint, QRgb>> faceAtOne;
    for (int y = 150; y < 190; y += 3)
      for (int x = 150; x < 190; x += 3)
        faceAtOne.emplace_back(QPoint(x, y), one.pixel(s.OnScreen(QPoint(x, y))));
    s.SetZoom(Zoom::kFour);
    const QImage four = s.Face()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect atFour = BoxOf(four, s.OnScreen(tip), chosen);
    QVERIFY(!atOne.isEmpty() && atOne.width() < 20);
    QCOMPARE(atFour.size(), atOne.size());
    for (const auto& [pixel, colour] : faceAtOne) {
      const QPoint block = s.OnScreen(pixel) - QPoint(2, 2);
      for (int dy = 0; dy < 4; ++dy)
        for (int dx = 0; dx < 4; ++dx) QCOMPARE(four.pixel(block + QPoint(dx, dy)), colour);
    }
    QVERIFY(s.window->faceView().width() >= 800 && s.window->faceView().height() >= 800);
    QCOMPARE(s.window->size(), fitted);
    const auto* scroller = s.window->findChild<QScrollArea*>();
    QVERIFY(scroller->horizontalScrollBar()->maximum() > 0);  // the rest of the face scrolls in
    s.PickColour(kGreen);
    QCOMPARE(s.window->windowTitle(), QString("qvs"));
    const QString folder = s.Find<QLabel>("folder")->text();
    QCOMPARE(folder, QString::fromStdString("Skin: " + s.folder.path() + " (not saved)"));
  }

  // Browse... names the face picked and the save brings it in (the flow: FaceImport's tests).
  void BrowseNamesTheFaceAndTheSaveBringsItIn() {
    Session s;
    testing::TempFolder elsewhere;
    s.dialogs->bitmap = elsewhere.Write("blue face.bmp", FileBytes(kData + "/qv.bmp"));
    s.Click("browse");
    QVERIFY(s.window->editor().HasUnsavedChanges());
    QVERIFY(!fs::exists(s.folder.path() + "/blue face.bmp"));
    s.Click("save");
    QCOMPARE(s.Line("settings.ini", 3), std::string("blue face.bmp"));
    QCOMPARE(s.Find<QLineEdit>("bitmap")->text(), QString("blue face.bmp"));
    s.NoProblem();
  }

  // The face's name is changed with Browse... only, and looks it: the window's colour behind
  // it, not a field's, typing into it changes nothing, and Tab passes it by.
  void TheFaceNameLooksReadOnly() {
    Session s;
    auto* bitmap = s.Find<QLineEdit>("bitmap");
    const QImage shown = bitmap->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb behind = shown.pixel(shown.width() - 6, shown.height() / 2);
    QCOMPARE(QColor(behind), s.window->palette().color(QPalette::Window));
    auto* angle = s.Find<QLineEdit>("angle");
    const QImage field = angle->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(QColor(field.pixel(field.width() - 6, field.height() / 2)) != QColor(behind));
    QTest::mouseClick(bitmap, Qt::LeftButton);
    QTest::keyClicks(bitmap, "x");
    QCOMPARE(bitmap->text(), QString("qv.bmp"));
    QVERIFY(!(bitmap->focusPolicy() & Qt::TabFocus));
  }

  // A hand file the clock would stop on opens with the clock's report, once the window shows.
  void ABrokenSkinOpensWithTheClocksReport() {
    Session s("byou.sin", "255\r\n0,0\r\n0,x\r\n");
    const auto& problems = s.dialogs->problems;
    QTRY_COMPARE(problems.size(), std::size_t{1});
    QVERIFY2(problems.front().find("byou.sin, line 3") != std::string::npos,
             problems.front().c_str());
  }

  // The Symmetric switch reaches the editor: a point dragged takes its mirror along, in the file
  // written (nudges and deletes of a pair: SkinEditorTest).
  void SymmetricDragMovesTheMirror() {
    Session s;
    s.Click("minuteHand");
    s.SetZoom(Zoom::kTwo);
    s.Find<QCheckBox>("symmetric")->click();
    const QPoint target = MinutePixelOf({20, 60});
    s.Drag(s.PointOnFace(HandId::kMinute, 7), target, 2);  // 3,70; its mirror -3,70 is 5
    s.Click("save");
    const auto points = s.SavedMinute();
    QCOMPARE(points.size(), std::size_t{13});
    QCOMPARE(MinutePixelOf(points[7]), target);
    QCOMPARE(points[5], (ShapePoint{-points[7].angleOffset, points[7].radiusPercent}));
    QVERIFY(points[7] != (ShapePoint{3, 70}));
  }

  // The folder buttons and the close box reach the session (its flows are checked once in
  // editor_session_test): closing with a change asks, and Cancel stays; Save a copy, New skin
  // and Open skin folder each go on in the folder picked, shown in the widgets, the switch on.
  void FolderButtonsAndCloseReachTheSession() {
    Session s;
    s.Find<QCheckBox>("symmetric")->click();
    s.PickColour(kGreen);
    QVERIFY(!s.window->close());
    QVERIFY(s.window->isVisible());
    testing::TempFolder copy, fresh, other;
    s.dialogs->folder = copy.path();
    s.Click("saveCopy");
    QCOMPARE(s.Saved(copy.path()).hand(HandId::kHour).color, kGreen);
    QCOMPARE(s.window->folder(), copy.path());
    s.dialogs->folder = fresh.path();
    s.Click("newSkin");
    s.Unchanged({"tyou.sin", "tan.sin", "byou.sin", "qv.bmp"}, fresh.path());
    QVERIFY(s.Find<QLabel>("status")->text().contains("A new skin, from the default skin."));
    other.CopyIn(kData, {"tyou.sin", "byou.sin", "qv.bmp"});
    other.Write("tan.sin", "255\r\n0,0\r\n0,60\r\n10,30\r\n0,0\r\n");
    s.dialogs->folder = other.path();
    s.Click("openFolder");
    QCOMPARE(s.Find<QTableWidget>("points")->rowCount(), 4);
    QCOMPARE(s.Find<QLabel>("folder")->text(), QString::fromStdString("Skin: " + other.path()));
    QVERIFY(s.window->editor().symmetric());
    QCOMPARE(s.dialogs->asked, 1);
    s.NoProblem();
    s.PickColour(kGreen);
    s.dialogs->close = [] { return CloseChoice::kDiscard; };
    QVERIFY(s.window->close());
    QCOMPARE(s.dialogs->asked, 2);
    QCOMPARE(s.Saved(other.path()).hand(HandId::kHour).color, ColorRef{255});
  }
};

}  // namespace quarvel

QTEST_MAIN(quarvel::QveditUiTest)
#include "qvedit_ui_test.moc"
