// Placeholder until the dialog window is built: decisions are minimal and real dialogs
// are shown with MessageBoxW. Replaced by the full implementation.
#include "QXDialogs.h"

#include <windows.h>

#include "StrUtils.h"

namespace {
TDialogResponder& Responder() {
  static TDialogResponder responder;
  return responder;
}
}  // namespace

TDialogResponder SetDialogResponder(TDialogResponder responder) {
  TDialogResponder previous = std::move(Responder());
  Responder() = std::move(responder);
  return previous;
}

int MessageDialogEx(const std::wstring& text, const std::wstring& checkBoxCaption, bool& checked, TMsgDlgType dlgType,
                    TMsgDlgButtons buttons, int defaultResult, const std::vector<TModalResultButtonCaption>&,
                    bool showCheckBox, bool barToLineBreak) {
  TDialogSpec spec;
  spec.DlgType = dlgType;
  spec.Text = barToLineBreak ? ReplaceAll(text, L"|", L"\r") : text;
  spec.ShowCheckBox = showCheckBox;
  spec.CheckBoxCaption = checkBoxCaption;
  spec.Checked = checked;
  static const int results[] = {6, 7, 1, 2, 3, 4, 5, 12, 13, 14, 0, 8};
  for (unsigned bit = 0; bit < 12; ++bit)
    if (buttons & (1u << bit)) spec.Buttons.push_back({L"", results[bit], results[bit] == defaultResult, false});
  if (Responder()) return Responder()(spec);
  return MessageBoxW(nullptr, spec.Text.c_str(), L"Setup", MB_OK);
}

int MessageDialog(const std::wstring& text, TMsgDlgType dlgType, TMsgDlgButtons buttons, int defaultResult,
                  bool barToLineBreak) {
  bool checked = false;
  return MessageDialogEx(text, L"", checked, dlgType, buttons, defaultResult, {{0, L"", L""}}, false, barToLineBreak);
}

int MessageDialogFmt(const std::wstring& format, std::initializer_list<TFormatArg> args, TMsgDlgType dlgType,
                     TMsgDlgButtons buttons, int defaultResult, bool barToLineBreak) {
  return MessageDialog(Format(format, args), dlgType, buttons, defaultResult, barToLineBreak);
}
