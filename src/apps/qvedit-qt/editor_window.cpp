// The window's widgets, their places and their wiring: each click or key is one call into the
// session; its first size and its close.
#include "apps/qvedit-qt/editor_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "apps/qvedit-qt/face_view.h"
#include "apps/qvedit-qt/options_panel.h"
#include "apps/qvedit-qt/point_panel.h"
#include "apps/qvedit-qt/skin_panel.h"
#include "apps/qvedit-qt/time_panel.h"
#include "core/skineditor/editor_names.h"
#include "core/skineditor/face_time.h"
#include "core/skineditor/session_messages.h"

namespace quarvel {

namespace {
constexpr int kTickMs = 100;  // a change of second shows within a tenth of a second

QPushButton* Button(const char* text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

// The controls' panel, scrolling when the window is shorter than it (2x on a laptop's screen):
// always its full width, and its full height when there is room. Its rows keep their order,
// Tab scrolls to the control it reaches, and the face keeps its room.
class PanelScroller final : public QScrollArea {
 public:
  PanelScroller(QLayout* panel, QWidget* parent) : QScrollArea(parent) {
    auto* inside = new QWidget;
    inside->setLayout(panel);
    setWidget(inside);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
  }
  QSize sizeHint() const override {
    return widget()->sizeHint() + QSize(verticalScrollBar()->sizeHint().width(), 0);
  }
  QSize minimumSizeHint() const override {
    return {sizeHint().width(), 4 * verticalScrollBar()->sizeHint().width()};
  }
};
}  // namespace

EditorWindow::EditorWindow(std::unique_ptr<SkinDialogs> dialogs, Clock& clock, QWidget* parent)
    : QWidget(parent),
      dialogs_(std::move(dialogs)),
      session_(*this, clock, RecoveryStore::ForThisUser()) {
  // The clock finds its editor by this title: it stays exactly this.
  setWindowTitle(kEditorTitle);
  BuildWidgets();
  ticker_ = new QTimer(this);
  connect(ticker_, &QTimer::timeout, this, [this] {
    if (session_.SecondChanged()) ShowFace();
  });
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::BuildWidgets() {
  faceView_ = new FaceView(this);
  auto* scroller = new FaceScroller(faceView_, this);
  zoom_ = new QComboBox(this);
  zoom_->setObjectName("zoom");
  for (const Zoom zoom : kAllZooms) zoom_->addItem(ZoomName(zoom), static_cast<int>(zoom));
  auto* zoomLabel = new QLabel("&Zoom", this);
  zoomLabel->setBuddy(zoom_);
  skin_ = new SkinPanel(this);
  symmetric_ = new QCheckBox("Symmetr&ic", this);
  symmetric_->setObjectName("symmetric");
  symmetric_->setToolTip(
      "A point and its mirror (the negative angle, the same percent) change "
      "together");
  points_ = new PointPanel(this);
  time_ = new TimePanel(this);
  options_ = new OptionsPanel(this);
  undo_ = Button("&Undo", "undo", this);
  redo_ = Button("&Redo", "redo", this);
  newSkin_ = Button("Ne&w skin...", "newSkin", this);
  openFolder_ = Button("&Open skin folder...", "openFolder", this);
  saveCopy_ = Button("Save a cop&y...", "saveCopy", this);
  save_ = Button("&Save", "save", this);
  saveAndStart_ = Button("Save an&d start clock", "saveAndStart", this);
  folder_ = new QLabel(this);
  folder_->setObjectName("folder");
  folder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  folder_->setWordWrap(true);
  status_ = new QLabel(this);
  status_->setObjectName("status");
  status_->setWordWrap(true);
  status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 4);
  LayOut(scroller, zoomLabel);
  ConnectPanels();
  ConnectButtons();
}

QHBoxLayout* EditorWindow::LayOut(QWidget* scroller, QLabel* zoomLabel) {
  auto* zoomRow = new QHBoxLayout;
  zoomRow->addWidget(zoomLabel);
  zoomRow->addWidget(zoom_);
  zoomRow->addStretch(1);
  auto* faceColumn = new QVBoxLayout;
  faceColumn->addLayout(zoomRow);
  faceColumn->addWidget(scroller, 1);
  const auto row = [](std::initializer_list<QPushButton*> buttons) {
    auto* layout = new QHBoxLayout;
    for (QPushButton* button : buttons) layout->addWidget(button);
    return layout;
  };
  auto* saveRow = row({save_});
  saveRow->addWidget(saveAndStart_, 1);
  auto* skinPage = new QWidget(this);
  auto* skinControls = new QVBoxLayout(skinPage);
  skinControls->addWidget(skin_);
  skinControls->addWidget(symmetric_);
  skinControls->addWidget(points_, 1);
  skinControls->addWidget(time_);
  pages_ = new QTabWidget(this);
  pages_->setObjectName("pages");
  pages_->addTab(skinPage, "Skin");
  pages_->addTab(options_, "Options");
  pages_->setTabToolTip(1, "The clock's options, kept with the skin in options.ini");
  auto* panel = new QVBoxLayout;
  panel->addWidget(folder_);
  panel->addWidget(pages_, 1);
  panel->addLayout(row({undo_, redo_}));
  panel->addLayout(row({newSkin_, openFolder_, saveCopy_}));
  panel->addLayout(saveRow);
  panel->addWidget(status_);
  panel->setContentsMargins(0, 0, 0, 0);
  auto* window = new QHBoxLayout(this);
  window->addLayout(faceColumn, 1);
  window->addWidget(new PanelScroller(panel, this), 0);
  return window;
}

// The face, the zoom and the panels. The window keeps its size at every zoom, as the Windows
// editor's does: a face larger than the view scrolls, and the controls stay where they are.
void EditorWindow::ConnectPanels() {
  EditorSession* s = &session_;
  connect(zoom_, &QComboBox::currentIndexChanged, this,
          [this] { faceView_->SetZoom(static_cast<Zoom>(zoom_->currentData().toInt())); });
  // The model edits a point's mirror with it; the switch stays across undo and other skins.
  connect(symmetric_, &QCheckBox::toggled, this, [s](bool on) { s->SetSymmetric(on); });
  const auto at = [](QPoint point) { return ScreenPoint{point.x(), point.y()}; };
  const auto zoom = [this]() -> const FaceZoom& { return faceView_->faceZoom(); };
  connect(faceView_, &FaceView::Pressed, this, [=](QPoint p) { s->PressFace(zoom(), at(p)); });
  connect(faceView_, &FaceView::Dragged, this, [=](QPoint p) { s->DragFace(zoom(), at(p)); });
  connect(faceView_, &FaceView::Released, this, [s] { s->ReleaseFace(); });
  connect(faceView_, &FaceView::RightClicked, this,
          [=](QPoint p) { s->RightClickFace(zoom(), at(p)); });
  connect(faceView_, &FaceView::DeletePressed, this, [s] { s->DeleteSelected(); });
  connect(faceView_, &FaceView::Nudged, this, [s](int a, int p) { s->Nudge(a, p); });
  connect(skin_, &SkinPanel::HandChosen, this, [s](HandId hand) { s->ChooseHand(hand); });
  connect(skin_, &SkinPanel::ColourRequested, this, [s] { s->ChooseColour(); });
  connect(skin_, &SkinPanel::BrowseRequested, this, [s] { s->ChooseBitmap(); });
  connect(skin_, &SkinPanel::PenWidthTyped, this, [s](int width) { s->ApplyPenWidth(width); });
  connect(skin_, &SkinPanel::SizeTyped, this,
          [s](const QString& text) { s->ApplySize(text.toStdString()); });
  connect(points_, &PointPanel::Selected, this, [s](int point) { s->Select(point); });
  connect(points_, &PointPanel::SetRequested, this,
          [this] { session_.ApplyPointFields(points_->Typed(), false); });
  connect(points_, &PointPanel::InsertRequested, this,
          [this] { session_.ApplyPointFields(points_->Typed(), true); });
  connect(points_, &PointPanel::DeleteRequested, this, [s] { s->DeleteSelected(); });
  connect(time_, &TimePanel::StopRequested, this,
          [this] { session_.ApplyTime(time_->Typed().toStdString()); });
  connect(time_, &TimePanel::PoseRequested, this, [s] { s->StopAt(kClassicPose); });
  connect(time_, &TimePanel::LiveRequested, this, [s] { s->StopAt(std::nullopt); });
  connect(options_, &OptionsPanel::OptionChosen, this,
          [s](const QString& key, const QString& value) {
            s->ApplyOption(key.toStdString(), value.toStdString());
          });
  connect(options_, &OptionsPanel::ResetRequested, this, [s] { s->ResetOptions(); });
}

void EditorWindow::ConnectButtons() {
  EditorSession* s = &session_;
  const auto button = [this](QPushButton* pushed, auto command) {
    connect(pushed, &QPushButton::clicked, this, command);
  };
  button(undo_, [s] { s->Undo(); });
  button(redo_, [s] { s->Redo(); });
  button(newSkin_, [s] { s->NewSkin(); });
  button(openFolder_, [s] { s->OpenSkinFolder(); });
  button(saveCopy_, [s] { s->SaveCopy(); });
  button(save_, [s] { s->Save(); });
  button(saveAndStart_, [this] { SaveAndStartClock(); });
  const auto shortcut = [this](QKeySequence keys, auto command) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, command);
  };
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), [s] { s->Undo(); });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), [s] { s->Redo(); });
  shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [s] { s->Redo(); });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_S), [s] { s->Save(); });
}

void EditorWindow::Open() {
  openProblems_ = session_.OpenWorkingFolder();
  opening_ = true;
  ticker_->start(kTickMs);
  SizeToScreen();
}

// The whole panel at first, as far as the screen's work area, a title bar and a frame allow
// (Qt alone stops at two thirds of the screen's height, where the panel would scroll on an
// ordinary screen); as wide as Qt makes it, so a fixed zoom still has room to grow into,
// unless that leaves the face less than its least size: then as wide as the screen allows.
void EditorWindow::SizeToScreen() {
  if (screen() == nullptr) return;
  const int edge = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  const QSize room = screen()->availableGeometry().size() -
                     QSize(2 * edge, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * edge);
  const QSize want = sizeHint(), least = minimumSizeHint();
  int width =
      std::clamp(want.width(), least.width(), std::max(least.width(), room.width() * 2 / 3));
  const int faceShort = faceView_->minimumWidth() - (width - least.width());
  if (faceShort > 0) width = std::max(width, std::min(width + faceShort, room.width()));
  resize(width, std::clamp(want.height(), least.height(), std::max(least.height(), room.height())));
}

void EditorWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!opening_) return;
  opening_ = false;
  const std::string problems = std::move(openProblems_);
  openProblems_.clear();
  QTimer::singleShot(0, this, [this, problems] {
    session_.ReportOpenProblems(problems);
    session_.OfferRecovery();
  });
}

void EditorWindow::SaveAndStartClock() {
  if (!session_.SaveAndStartClock()) return;
  closing_ = true;
  close();
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  const bool ending = session_.ending();
  if (!ending && !closing_ && !session_.MayLeaveSkin(messages::kClosing)) {
    event->ignore();
    return;
  }
  if (!ending) session_.Left();
  ticker_->stop();
  event->accept();
}

}  // namespace quarvel
