#pragma once
// The editor window's control ids: the end-to-end tests find the controls by them, so they keep
// their numbers. The tab order is the order of the panel's rows (panel_controls.cpp).
namespace quarvel {

enum Control : int {
  kFace = 100,
  kHourRadio,
  kMinuteRadio,
  kSecondRadio,
  kColourButton,
  kColourSwatch,
  kPointList,
  kAngleLabel,
  kAngleEdit,
  kPercentLabel,
  kPercentEdit,
  kSetButton,
  kInsertButton,
  kDeleteButton,
  kBitmapLabel,
  kBitmapEdit,
  kBrowseButton,
  kPenLabel,
  kPenEdit,
  kPenUpDown,
  kTimeLabel,
  kTimeEdit,
  kStopButton,
  kPoseButton,
  kLiveButton,
  kUndoButton,
  kRedoButton,
  kSaveButton,
  kSaveStartButton,
  kStatus,
  kSymmetricCheck,
  kZoomLabel,
  kZoomCombo,
  kNewButton,
  kOpenButton,
  kCopyButton,
  kFolderLine,
  kSizeLabel,
  kSizeCombo,
  kPanelScroll,  // shown when the panel is taller than the window
};

}  // namespace quarvel
