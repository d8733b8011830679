#include "apps/qvedit-win32/skin_panel.h"
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include "apps/qvedit-win32/control_ids.h"
#include "apps/qvedit-win32/panel_controls.h"
#include "apps/qvedit-win32/panel_layout.h"
#include "core/skineditor/clock_size.h"

namespace quarvel {

namespace {
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;

// The up-down sits on its edit field's right edge.
void PutUpDownOnField(HWND parent, const PanelLayout&) {
  SendMessageA(GetDlgItem(parent, kPenUpDown), UDM_SETBUDDY,
               reinterpret_cast<WPARAM>(GetDlgItem(parent, kPenEdit)), 0);
}
}  // namespace

const PanelPart& SkinPanel::HandsPart() {
  static const PanelPart part{
      {{kHourRadio, "BUTTON", "Hour hand", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
       {kMinuteRadio, "BUTTON", "Minute hand", BS_AUTORADIOBUTTON},
       {kSecondRadio, "BUTTON", "Second hand", BS_AUTORADIOBUTTON},
       {kColourButton, "BUTTON", "Colour...", kButton | WS_GROUP},
       {kColourSwatch, "STATIC", "", SS_SUNKEN},
       {kSymmetricCheck, "BUTTON", "Symmetric", BS_AUTOCHECKBOX | WS_TABSTOP}},
      {{{{kHourRadio, Fit::kCheck}, {kMinuteRadio, Fit::kCheck}, {kSecondRadio, Fit::kCheck}},
        12,
        false},
       {{{kColourButton, Fit::kPush},
         {kColourSwatch, Fit::kChars, "MMMM"},
         {kSymmetricCheck, Fit::kCheck}},
        14,
        false}}};
  return part;
}

const PanelPart& SkinPanel::SettingsPart() {
  static const PanelPart part{
      {{kBitmapLabel, "STATIC", "Face bitmap", SS_LEFT},
       {kBitmapEdit, "EDIT", "", kEdit | ES_READONLY},
       {kBrowseButton, "BUTTON", "Browse...", kButton},
       {kPenLabel, "STATIC", "Pen width", SS_LEFT},
       {kPenEdit, "EDIT", "", kEdit | ES_NUMBER},
       {kPenUpDown, UPDOWN_CLASSA, "",
        UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_ALIGNRIGHT},
       {kZoomLabel, "STATIC", "Zoom", SS_LEFT},
       {kZoomCombo, WC_COMBOBOXA, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
       {kSizeLabel, "STATIC", "Clock size", SS_LEFT},
       {kSizeCombo, WC_COMBOBOXA, "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP}},
      {{{{kBitmapLabel, Fit::kLabel}, {kBitmapEdit, Fit::kFill}, {kBrowseButton, Fit::kPush}},
        14,
        false},
       {{{kPenLabel, Fit::kLabel},
         {kPenEdit, Fit::kSpinField, "000000"},
         {kZoomLabel, Fit::kLabel},
         {kZoomCombo, Fit::kComboBox, "Fit"}},
        14,
        false},
       {{{kSizeLabel, Fit::kLabel}, {kSizeCombo, Fit::kComboBox, "Automatic"}}, 14, false}},
      nullptr,
      &PutUpDownOnField};
  return part;
}

SkinPanel::SkinPanel(HWND parent, EditorSession& session, std::function<void(Zoom)> zoomChosen)
    : parent_(parent), session_(session), zoomChosen_(std::move(zoomChosen)) {}

SkinPanel::~SkinPanel() {
  if (swatch_ != nullptr) DeleteObject(swatch_);
}

void SkinPanel::SetUp(Zoom zoom) {
  for (Zoom each : kAllZooms)
    SendMessageA(Item(kZoomCombo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ZoomName(each)));
  SendMessageA(Item(kZoomCombo), CB_SETCURSEL, static_cast<WPARAM>(zoom), 0);
  for (int16_t percent : kSizeChoices)
    SendMessageA(Item(kSizeCombo), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(SizeText(percent).c_str()));
  SendMessageA(Item(kPenUpDown), UDM_SETRANGE32, 1, 32767);
}

void SkinPanel::Show() {
  const SkinDocument& skin = session_.document();
  const HandId hand = session_.hand();
  CheckRadioButton(parent_, kHourRadio, kSecondRadio, kHourRadio + static_cast<int>(hand));
  CheckDlgButton(parent_, kSymmetricCheck,
                 session_.editor().symmetric() ? BST_CHECKED : BST_UNCHECKED);
  if (swatch_ != nullptr) DeleteObject(swatch_);
  swatch_ = CreateSolidBrush(static_cast<COLORREF>(skin.hand(hand).color) & 0xFFFFFF);
  InvalidateRect(Item(kColourSwatch), nullptr, TRUE);
  SetItemText(parent_, kBitmapEdit, skin.bitmapName);
  SetItemText(parent_, kPenEdit, std::to_string(skin.penWidth));
  if (GetFocus() != GetWindow(Item(kSizeCombo), GW_CHILD))  // not while the author types there
    SetItemText(parent_, kSizeCombo, SizeText(skin.sizePercent));
}

bool SkinPanel::OnClick(int id) {
  switch (id) {
    case kSymmetricCheck:
      session_.SetSymmetric(IsDlgButtonChecked(parent_, kSymmetricCheck) == BST_CHECKED);
      return true;
    case kHourRadio:
    case kMinuteRadio:
    case kSecondRadio:
      session_.ChooseHand(static_cast<HandId>(id - kHourRadio));
      return true;
    case kColourButton:
      session_.ChooseColour();
      return true;
    case kBrowseButton:
      session_.ChooseBitmap();
      return true;
    default:
      return false;
  }
}

bool SkinPanel::OnNotify(int id, int code) {
  if (id == kZoomCombo && code == CBN_SELCHANGE) {
    const auto index = SendMessageA(Item(kZoomCombo), CB_GETCURSEL, 0, 0);
    if (index >= 0 && index < 4) zoomChosen_(kAllZooms[index]);
  } else if (id == kPenEdit && code == EN_KILLFOCUS) {
    ApplyPenWidth();
  } else if (id == kSizeCombo && code == CBN_SELCHANGE) {
    const auto index = SendMessageA(Item(kSizeCombo), CB_GETCURSEL, 0, 0);
    if (index >= 0 && index < static_cast<LRESULT>(kSizeChoices.size()))
      ApplySize(SizeText(kSizeChoices[static_cast<std::size_t>(index)]));
  } else if (id == kSizeCombo && code == CBN_KILLFOCUS) {
    ApplySize(ItemText(parent_, kSizeCombo));
  } else {
    return false;
  }
  return true;
}

bool SkinPanel::OnEnter(HWND focus) {
  if (focus == Item(kPenEdit)) {
    ApplyPenWidth();
    return true;
  }
  if (GetParent(focus) != Item(kSizeCombo)) return false;
  ApplySize(ItemText(parent_, kSizeCombo));
  return true;
}

HBRUSH SkinPanel::SwatchBrush(HWND control) const {
  return control == Item(kColourSwatch) ? swatch_ : nullptr;
}

void SkinPanel::ApplyTyped() {
  ApplyPenWidth();
  ApplySize(ItemText(parent_, kSizeCombo));
}

void SkinPanel::ApplyPenWidth() {
  session_.ApplyPenWidth(ItemNumber(parent_, kPenEdit));
}

// The size box shows the size as the session holds it, also while the author types there.
void SkinPanel::ApplySize(const std::string& text) {
  session_.ApplySize(text);
  SetItemText(parent_, kSizeCombo, SizeText(session_.document().sizePercent));
}

}  // namespace quarvel
