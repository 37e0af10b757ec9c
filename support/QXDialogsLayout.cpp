// The decisions of a message dialog, free of any window: tests call LayoutMessageDialog
// directly, the dialog window only places what it returns.
#include <windows.h>

#include <algorithm>

#include "MessageIds.h"
#include "QXDialogs.h"
#include "ResString.h"

namespace {

struct TButtonKind {
  unsigned CaptionId;
  int ModalResult;
};
// In the order of the button set's bits, which is also their order in the dialog.
constexpr TButtonKind ButtonKinds[] = {
    {SMsgDlgYes, mrYes},     {SMsgDlgNo, mrNo},         {SMsgDlgOK, mrOk},          {SMsgDlgCancel, mrCancel},
    {SMsgDlgAbort, mrAbort}, {SMsgDlgRetry, mrRetry},   {SMsgDlgIgnore, mrIgnore},  {SMsgDlgAll, mrAll},
    {SMsgDlgNoToAll, mrNoToAll}, {SMsgDlgYesToAll, mrYesToAll}, {SMsgDlgHelp, mrNone}, {SMsgDlgClose, mrClose},
};

constexpr int Margin = 10;
constexpr int IconSize = 32;
constexpr int IconGap = 12;
constexpr int TextMaxWidth = 420;
constexpr int TextToButtons = 14;
constexpr int ButtonMinWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonGap = 6;
constexpr int CheckBoxGap = 16;
constexpr int CheckBoxMinHeight = 17;
constexpr int MinClientWidth = 160;

TMsgDlgButtons UsualButtons(TMsgDlgType dlgType) {
  switch (dlgType) {
    case mtWarning: return Btn(mbOK) | Btn(mbCancel);
    case mtError:
    case mtInformation: return Btn(mbOK);
    case mtConfirmation: return Btn(mbYes) | Btn(mbNo) | Btn(mbCancel);
    case mtCustom: break;
  }
  return 0;
}

const TModalResultButtonCaption* CaptionEntry(const std::vector<TModalResultButtonCaption>& captions, int result) {
  for (const TModalResultButtonCaption& entry : captions)
    if (entry.ModalResult == result && !entry.Caption.empty()) return &entry;
  return nullptr;
}

// Marks the first button with one of the results, in the order of preference.
void MarkFirst(std::vector<TDialogButtonSpec>& buttons, std::initializer_list<int> preference, bool TDialogButtonSpec::*flag) {
  for (int result : preference)
    for (TDialogButtonSpec& button : buttons)
      if (button.ModalResult == result) {
        button.*flag = true;
        return;
      }
}

// One pass from left to right: a replacement is never searched again, so "&" to "&&"
// ends.
std::wstring ReplaceEach(const std::wstring& text, const std::wstring& pattern, const std::wstring& replacement) {
  std::wstring result;
  result.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(pattern, from)) != std::wstring::npos; from = at + pattern.size()) {
    result.append(text, from, at - from);
    result += replacement;
  }
  result.append(text, from, std::wstring::npos);
  return result;
}

}  // namespace

std::wstring PrepareDialogText(const std::wstring& text, bool barToLineBreak) {
  std::wstring result = barToLineBreak ? ReplaceEach(text, L"|", L"\r") : text;
  result = ReplaceEach(result, L"\\\r", L"|");
  return ReplaceEach(result, L"&", L"&&");
}

std::wstring DialogTitle(TMsgDlgType dlgType) {
  switch (dlgType) {
    case mtWarning: return LoadResString(SMsgDlgWarning);
    case mtError: return LoadResString(SMsgDlgError);
    case mtInformation: return LoadResString(SMsgDlgInformation);
    case mtConfirmation: return LoadResString(SMsgDlgConfirm);
    case mtCustom: break;
  }
  // The application's title is the program file's base name.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return L"";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

TDialogSpec LayoutMessageDialog(const std::wstring& text, const std::wstring& checkBoxCaption, bool checked,
                                TMsgDlgType dlgType, TMsgDlgButtons buttons, int defaultResult,
                                const std::vector<TModalResultButtonCaption>& buttonCaptions, bool showCheckBox,
                                bool barToLineBreak, const TMeasureText& measure) {
  TDialogSpec spec;
  spec.DlgType = dlgType;
  spec.Title = DialogTitle(dlgType);
  spec.Text = PrepareDialogText(text, barToLineBreak);
  spec.ShowCheckBox = showCheckBox;
  spec.CheckBoxCaption = checkBoxCaption;
  spec.Checked = checked;

  if (buttons == 0) buttons = UsualButtons(dlgType);
  for (unsigned bit = 0; bit < std::size(ButtonKinds); ++bit)
    if (buttons & (1u << bit))
    {
      TDialogButtonSpec button;
      button.Caption = LoadResString(ButtonKinds[bit].CaptionId);
      button.ModalResult = ButtonKinds[bit].ModalResult;
      spec.Buttons.push_back(button);
    }
  MarkFirst(spec.Buttons, {mrOk, mrYes, mrRetry}, &TDialogButtonSpec::IsDefault);
  MarkFirst(spec.Buttons, {mrCancel, mrNo, mrOk}, &TDialogButtonSpec::IsCancel);

  // The captions list's order comes first; buttons it does not name keep their order behind.
  std::size_t placed = 0;
  for (const TModalResultButtonCaption& entry : buttonCaptions) {
    if (placed >= spec.Buttons.size()) break;
    // The empty record that MessageDialog passes names no button (not Help, whose result is 0).
    if (entry.ModalResult == mrNone && entry.Caption.empty()) continue;
    auto found = std::find_if(spec.Buttons.begin() + static_cast<std::ptrdiff_t>(placed), spec.Buttons.end(),
                              [&](const TDialogButtonSpec& b) { return b.ModalResult == entry.ModalResult; });
    if (found == spec.Buttons.end()) continue;
    std::rotate(spec.Buttons.begin() + static_cast<std::ptrdiff_t>(placed), found, found + 1);
    ++placed;
  }
  for (TDialogButtonSpec& button : spec.Buttons)
    if (const TModalResultButtonCaption* entry = CaptionEntry(buttonCaptions, button.ModalResult))
      button.Caption = entry->Caption;
  if (defaultResult != -1)
    for (TDialogButtonSpec& button : spec.Buttons) button.IsDefault = button.ModalResult == defaultResult;

  // Geometry: icon left of the text, buttons centred below both, check box below them.
  const TTextExtent textSize = measure ? measure(spec.Text, TextMaxWidth) : TTextExtent{};
  const bool hasIcon = dlgType != mtCustom;
  if (hasIcon) spec.IconBounds = {Margin, Margin, IconSize, IconSize};
  const int textLeft = hasIcon ? Margin + IconSize + IconGap : Margin;
  const int textTop = hasIcon && textSize.Height < IconSize ? Margin + (IconSize - textSize.Height) / 2 : Margin;
  spec.TextBounds = {textLeft, textTop, textSize.Width, textSize.Height};
  const int contentBottom = std::max(textTop + textSize.Height, hasIcon ? Margin + IconSize : 0);

  const int buttonTop = contentBottom + TextToButtons;
  int rowWidth = 0;
  for (TDialogButtonSpec& button : spec.Buttons) {
    const int captionWidth = measure ? measure(button.Caption, 0).Width : 0;
    button.Bounds = {0, buttonTop, std::max(ButtonMinWidth, captionWidth + 20), ButtonHeight};
    rowWidth += button.Bounds.Width;
  }
  if (!spec.Buttons.empty()) rowWidth += ButtonGap * static_cast<int>(spec.Buttons.size() - 1);
  int bottom = spec.Buttons.empty() ? contentBottom : buttonTop + ButtonHeight;

  int clientWidth = std::max({MinClientWidth, textLeft + textSize.Width + Margin, rowWidth + 2 * Margin});
  if (showCheckBox) {
    const TTextExtent boxText = measure ? measure(checkBoxCaption, 0) : TTextExtent{};
    spec.CheckBoxBounds = {8, bottom + CheckBoxGap, boxText.Width + 20, std::max(CheckBoxMinHeight, boxText.Height)};
    bottom = spec.CheckBoxBounds.Top + spec.CheckBoxBounds.Height;
    clientWidth = std::max(clientWidth, spec.CheckBoxBounds.Width + 16);
  }
  int x = (clientWidth - rowWidth) / 2;
  for (TDialogButtonSpec& button : spec.Buttons) {
    button.Bounds.Left = x;
    x += button.Bounds.Width + ButtonGap;
  }
  spec.ClientWidth = clientWidth;
  spec.ClientHeight = bottom + Margin;
  return spec;
}
