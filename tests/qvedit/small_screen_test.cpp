// The Linux editor on a laptop's 1280x720 screen at twice the scale (QT_SCALE_FACTOR=2, the
// offscreen platform's laptop_screen.json: 640x360 of Qt's pixels): the window and its minimum
// size within the screen, and every control shown whole in the window, at once or once the
// panel is scrolled to it, on each of its pages.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "core/skineditor/face_time.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

namespace quarvel {

namespace fs = std::filesystem;

class SmallScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryControlFitsOrScrollsIntoView() {
    testing::TempFolder folder;
    folder.CopyIn(QUARVEL_DATA_DIR, {"tyou.sin", "tan.sin", "byou.sin", "qv.bmp"});
    const fs::path before = fs::current_path();
    fs::current_path(folder.path());
    StoppedClock clock{kClassicPose};
    testing::ScriptedDialogs* dialogs = nullptr;
    const std::unique_ptr<EditorWindow> made = testing::NewEditor(dialogs, clock);
    EditorWindow& window = *made;
    testing::OpenAndShow(window);

    const QRect screen = window.screen()->availableGeometry();
    QCOMPARE(screen.size(), QSize(640, 360));  // the laptop at 2x, or the test proves nothing
    QVERIFY2(screen.contains(window.frameGeometry()),
             qPrintable(QString("window %1,%2 %3x%4")
                            .arg(window.frameGeometry().x())
                            .arg(window.frameGeometry().y())
                            .arg(window.frameGeometry().width())
                            .arg(window.frameGeometry().height())));
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
    QVERIFY2(least.width() <= screen.width() && least.height() <= screen.height(),
             qPrintable(QString("minimum %1x%2").arg(least.width()).arg(least.height())));

    int checked = 0;
    auto* pages = window.findChild<QTabWidget*>("pages");
    QVERIFY(pages != nullptr);
    for (int page = 0; page < pages->count(); ++page) {
      pages->setCurrentIndex(page);  // as a click on its tab
      QApplication::processEvents();
      for (QWidget* control : window.findChildren<QWidget*>()) {
        const bool named =
            !control->objectName().isEmpty() && !control->objectName().startsWith("qt_");
        if (!named || !control->isVisible()) continue;
        if (auto* area = qobject_cast<QScrollArea*>(control->parentWidget()->parentWidget());
            area != nullptr && area->widget() == control && control->objectName() == "face")
          continue;                      // the face scrolls in its own view, by design
        if (control == pages) continue;  // taller than the screen: its controls are checked each
        QApplication::processEvents();   // laid out
        // Scrolled to as an author drags the scroll bar: the scroll area holding it, if any,
        // moved just far enough to show all of it.
        for (QWidget* up = control->parentWidget(); up != nullptr; up = up->parentWidget()) {
          auto* area = qobject_cast<QScrollArea*>(up);
          if (area == nullptr || area->widget() == nullptr ||
              !area->widget()->isAncestorOf(control))
            continue;
          QScrollBar* bar = area->verticalScrollBar();
          const int top = control->mapTo(area->widget(), QPoint(0, 0)).y();
          const int bottom = top + control->height();
          if (top < bar->value()) bar->setValue(top);
          if (bottom > bar->value() + area->viewport()->height())
            bar->setValue(bottom - area->viewport()->height());
        }
        QApplication::processEvents();
        QRect shown(control->mapTo(&window, QPoint(0, 0)), control->size());
        for (QWidget* up = control->parentWidget(); up != &window; up = up->parentWidget())
          shown &= QRect(up->mapTo(&window, QPoint(0, 0)), up->size());
        QVERIFY2(shown.size() == control->size() && window.rect().contains(shown),
                 qPrintable(QString("%1 is cut: %2x%3 of it shows at %4,%5 in a %6x%7 window")
                                .arg(control->objectName())
                                .arg(shown.width())
                                .arg(shown.height())
                                .arg(shown.x())
                                .arg(shown.y())
                                .arg(window.width())
                                .arg(window.height())));
        ++checked;
      }
    }
    QVERIFY(checked >= 20);
    window.close();
    fs::current_path(before);
  }
};

}  // namespace quarvel

QTEST_MAIN(quarvel::SmallScreenTest)
#include "small_screen_test.moc"
