#include "apps/qvedit-qt/skin_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "core/skineditor/editor_names.h"
#include "core/skineditor/session_messages.h"

namespace quarvel {

std::optional<ColorRef> QtSkinDialogs::PickColour(QWidget* owner, ColorRef current) {
  // A colour beyond 24 bits (the clock reads any number) opens on the colour it draws.
  const QColor picked = QColorDialog::getColor(
      QColor::fromRgb(PixelFromColorRef(current) | 0xFF000000u), owner, "Hand colour");
  if (!picked.isValid()) return std::nullopt;
  return static_cast<ColorRef>(picked.red() | (picked.green() << 8) | (picked.blue() << 16));
}

std::optional<std::string> QtSkinDialogs::PickBitmap(QWidget* owner, const std::string& folder) {
  const QString file = QFileDialog::getOpenFileName(
      owner, "Face bitmap", QString::fromStdString(folder), "Bitmaps (*.bmp *.BMP);;All files (*)");
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

std::optional<std::string> QtSkinDialogs::PickFolder(QWidget* owner, const std::string& title,
                                                     const std::string& from) {
  const QString folder = QFileDialog::getExistingDirectory(owner, QString::fromStdString(title),
                                                           QString::fromStdString(from));
  if (folder.isEmpty()) return std::nullopt;
  return folder.toStdString();
}

void QtSkinDialogs::ShowProblem(QWidget* owner, const std::string& text) {
  QMessageBox::warning(owner, kEditorTitle, QString::fromStdString(text));
}

CloseChoice QtSkinDialogs::AskBeforeLeaving(QWidget* owner, const std::string& doing) {
  const QString text = QString::fromStdString(messages::LeaveQuestion(doing));
  switch (QMessageBox::question(owner, kEditorTitle, text,
                                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                QMessageBox::Save)) {
    case QMessageBox::Save:
      return CloseChoice::kSave;
    case QMessageBox::Discard:
      return CloseChoice::kDiscard;
    default:
      return CloseChoice::kStay;
  }
}

// Escape and the close box restore: nothing is lost that way, and the skin's files stay as
// they are until a save.
bool QtSkinDialogs::AskRestore(QWidget* owner, const std::string& folder) {
  QMessageBox box(QMessageBox::Question, kEditorTitle,
                  QString::fromStdString(messages::RestoreQuestion(folder) +
                                         "They stay unsaved until you save; Discard deletes them."),
                  QMessageBox::NoButton, owner);
  QPushButton* restore = box.addButton("&Restore", QMessageBox::AcceptRole);
  box.addButton("&Discard", QMessageBox::DestructiveRole);
  box.setDefaultButton(restore);
  box.setEscapeButton(restore);
  box.exec();
  return box.clickedButton() == restore || box.clickedButton() == nullptr;
}

}  // namespace quarvel
