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
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "apps/qvedit-qt/face_view.h"
#include "apps/qvedit-qt/point_panel.h"
#include "apps/qvedit-qt/skin_panel.h"
#include "apps/qvedit-qt/time_panel.h"
#include "core/skineditor/dial_frame.h"
#include "core/skineditor/editor_names.h"
#include "core/skineditor/face_time.h"
#include "core/skineditor/skin_files.h"
#include "core/skineditor/skin_folder.h"

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
    : QWidget(parent), dialogs_(std::move(dialogs)), clock_(clock) {
  // The clock finds its editor by this title: it stays exactly this.
  setWindowTitle(kEditorTitle);
  BuildWidgets();
  ticker_ = new QTimer(this);
  connect(ticker_, &QTimer::timeout, this, &EditorWindow::Tick);
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
  undo_ = Button("&Undo", "undo", this);
  redo_ = Button("&Redo", "redo", this);
  auto* newSkin = Button("Ne&w skin...", "newSkin", this);
  auto* openFolder = Button("&Open skin folder...", "openFolder", this);
  auto* saveCopy = Button("Save a cop&y...", "saveCopy", this);
  auto* save = Button("&Save", "save", this);
  auto* saveAndStart = Button("Save an&d start clock", "saveAndStart", this);
  folder_ = new QLabel(this);
  folder_->setObjectName("folder");
  folder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  folder_->setWordWrap(true);
  status_ = new QLabel(this);
  status_->setObjectName("status");
  status_->setWordWrap(true);
  status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 4);

  auto* zoomRow = new QHBoxLayout;
  zoomRow->addWidget(zoomLabel);
  zoomRow->addWidget(zoom_);
  zoomRow->addStretch(1);
  auto* faceColumn = new QVBoxLayout;
  faceColumn->addLayout(zoomRow);
  faceColumn->addWidget(scroller, 1);
  auto* undoRow = new QHBoxLayout;
  undoRow->addWidget(undo_);
  undoRow->addWidget(redo_);
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(newSkin);
  folderRow->addWidget(openFolder);
  folderRow->addWidget(saveCopy);
  auto* saveRow = new QHBoxLayout;
  saveRow->addWidget(save);
  saveRow->addWidget(saveAndStart, 1);
  auto* panel = new QVBoxLayout;
  panel->addWidget(folder_);
  panel->addWidget(skin_);
  panel->addWidget(symmetric_);
  panel->addWidget(points_, 1);
  panel->addWidget(time_);
  panel->addLayout(undoRow);
  panel->addLayout(folderRow);
  panel->addLayout(saveRow);
  panel->addWidget(status_);
  panel->setContentsMargins(0, 0, 0, 0);
  auto* window = new QHBoxLayout(this);
  window->addLayout(faceColumn, 1);
  window->addWidget(new PanelScroller(panel, this), 0);

  // The window keeps its size at every zoom, as the Windows editor's does: a face larger than
  // the view scrolls, and the controls stay where the author has them.
  connect(zoom_, &QComboBox::currentIndexChanged, this,
          [this] { SetZoom(static_cast<Zoom>(zoom_->currentData().toInt())); });
  // The model edits a point's mirror with it; the switch stays across undo and other skins.
  connect(symmetric_, &QCheckBox::toggled, this, [this](bool on) { editor_.SetSymmetric(on); });
  connect(faceView_, &FaceView::Pressed, this, &EditorWindow::PressFace);
  connect(faceView_, &FaceView::Dragged, this, &EditorWindow::DragFace);
  connect(faceView_, &FaceView::Released, this, &EditorWindow::ReleaseFace);
  connect(faceView_, &FaceView::RightClicked, this, &EditorWindow::RightClickFace);
  connect(faceView_, &FaceView::DeletePressed, this, &EditorWindow::DeleteSelected);
  connect(faceView_, &FaceView::Nudged, this, &EditorWindow::Nudge);
  connect(skin_, &SkinPanel::HandChosen, this, &EditorWindow::ChooseHand);
  connect(skin_, &SkinPanel::ColourRequested, this, &EditorWindow::ChooseColour);
  connect(skin_, &SkinPanel::BrowseRequested, this, &EditorWindow::ChooseBitmap);
  connect(skin_, &SkinPanel::PenWidthTyped, this, &EditorWindow::ApplyPenWidth);
  connect(skin_, &SkinPanel::SizeTyped, this, &EditorWindow::ApplySize);
  connect(points_, &PointPanel::Selected, this, &EditorWindow::Select);
  connect(points_, &PointPanel::SetRequested, this, [this] { ApplyPointFields(false); });
  connect(points_, &PointPanel::InsertRequested, this, [this] { ApplyPointFields(true); });
  connect(points_, &PointPanel::DeleteRequested, this, &EditorWindow::DeleteSelected);
  connect(time_, &TimePanel::StopRequested, this, &EditorWindow::ApplyTime);
  connect(time_, &TimePanel::PoseRequested, this, [this] {
    stoppedAt_ = kClassicPose;
    ShowFace();
  });
  connect(time_, &TimePanel::LiveRequested, this, [this] {
    stoppedAt_.reset();
    ShowFace();
  });
  connect(undo_, &QPushButton::clicked, this, &EditorWindow::Undo);
  connect(redo_, &QPushButton::clicked, this, &EditorWindow::Redo);
  connect(newSkin, &QPushButton::clicked, this, &EditorWindow::NewSkin);
  connect(openFolder, &QPushButton::clicked, this, &EditorWindow::OpenSkinFolder);
  connect(saveCopy, &QPushButton::clicked, this, &EditorWindow::SaveCopy);
  connect(save, &QPushButton::clicked, this, &EditorWindow::Save);
  connect(saveAndStart, &QPushButton::clicked, this, &EditorWindow::SaveAndStartClock);
  const auto shortcut = [this](QKeySequence keys, void (EditorWindow::*command)()) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, command);
  };
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &EditorWindow::Undo);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &EditorWindow::Redo);
  shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &EditorWindow::Redo);
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, this,
          [this] { Save(); });
}

void EditorWindow::Open() {
  hand_ = HandId::kHour;
  openProblems_ = OpenCurrentFolder();
  opening_ = true;
  ticker_->start(kTickMs);
  // The whole panel at first, as far as the screen's work area, a title bar and a frame allow
  // (Qt alone stops at two thirds of the screen's height, where the panel would scroll on an
  // ordinary screen); as wide as Qt makes it, so a fixed zoom still has room to grow into,
  // unless that leaves the face less than its least size: then as wide as the screen allows.
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

// The skin of the working folder, in place of the one edited; the switch stays as it was.
std::string EditorWindow::OpenCurrentFolder() {
  std::error_code ec;
  folderPath_ = std::filesystem::current_path(ec).string();
  const OpenedSkin opened = OpenSkin(slot_);
  const bool symmetric = editor_.symmetric();
  editor_ = SkinEditor(opened.document);
  onDisk_ = opened.onDisk();
  editor_.SetSymmetric(symmetric);
  selected_ = -1;
  faceBitmap_.reset();  // the face is read again
  notice_.clear();
  ShowSkin();
  std::string problems;
  for (const std::string& problem : opened.problems) problems += problem + "\n";
  if (!notice_.empty()) problems += notice_ + "\n";
  return problems;
}

void EditorWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!opening_) return;
  opening_ = false;
  const std::string problems = std::move(openProblems_);
  openProblems_.clear();
  QTimer::singleShot(0, this, [this, problems] {
    ReportOpenProblems(problems);
    OfferRecovery();
  });
}

void EditorWindow::ReportOpenProblems(const std::string& problems) {
  if (problems.empty()) return;
  dialogs_->ShowProblem(this, "The skin opened with problems the clock would stop on:\n\n" +
                                  problems +
                                  "\nEach hand starts with what could be read. Nothing on "
                                  "disk changes until you save.");
}

std::optional<QPoint> EditorWindow::PointPixel(HandId hand, int point) const {
  const auto& points = editor_.document().hand(hand).points;
  if (point < 0 || point >= static_cast<int>(points.size())) return std::nullopt;
  const auto pixel =
      quarvel::PointPixel(face_.DialOf(hand), points[static_cast<std::size_t>(point)]);
  if (!pixel) return std::nullopt;
  return QPoint(pixel->x, pixel->y);
}

void EditorWindow::Tick() {
  if (!stoppedAt_ && clock_.Now().seconds != shownSecond_) ShowFace();
}

void EditorWindow::ShowSkin() {
  const SkinDocument& skin = editor_.document();
  if (skin.bitmapName != faceBitmap_) {
    std::string problem;
    face_.SetPicture(OpenFacePicture(slot_, skin.bitmapName, problem));
    faceBitmap_ = skin.bitmapName;
    if (!problem.empty()) notice_ = problem + "\nThe face is plain, as the clock would show it.";
  }
  skin_->Show(hand_, skin.hand(hand_).color, skin.bitmapName, skin.penWidth, skin.sizePercent);
  undo_->setEnabled(editor_.CanUndo());
  redo_->setEnabled(editor_.CanRedo());
  ShowPoints();
  ShowFace();
}

void EditorWindow::ShowPoints() {
  const auto& points = Points();
  if (selected_ >= static_cast<int>(points.size())) selected_ = static_cast<int>(points.size()) - 1;
  points_->Show(points, selected_, points.size() < static_cast<std::size_t>(HandShape::kCapacity));
}

void EditorWindow::ShowFace() {
  const TimeOfDay time = stoppedAt_ ? *stoppedAt_ : clock_.Now();
  drawProblem_ = face_.Draw(editor_.document(), time);
  shownSecond_ = time.seconds;
  faceView_->Show(face_.WithGuide(editor_.document(), hand_, selected_, false), face_.DialOf(hand_),
                  Points(), selected_);
  time_->Show(time);
  ShowStatus();
}

void EditorWindow::ShowStatus() {
  const bool unsaved = editor_.HasUnsavedChanges();
  folder_->setText(QString::fromStdString(SkinFolderLine(folderPath_, unsaved)));
  std::string status;
  if (!drawProblem_.empty()) status += "The clock would stop on this skin: " + drawProblem_ + "\n";
  if (!notice_.empty()) status += notice_ + "\n";
  status += std::to_string(Points().size()) + " of 51 points. ";
  status += unsaved ? "Changes not saved yet." : "No unsaved changes.";
  status_->setText(QString::fromStdString(status));
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (!ending_ && !closing_ && !MayLeaveSkin("closing")) {
    event->ignore();
    return;
  }
  left_ = !ending_;
  ticker_->stop();
  event->accept();
}

}  // namespace quarvel
