// The message dialog window: a real modal dialog built from child windows (icon, text
// static, push buttons, optional check box), so that screen readers and automation read
// it like any Windows dialog. What it shows is decided by LayoutMessageDialog.
#include "QXDialogs.h"

#include <windows.h>

#include <vector>

#include "Exceptions.h"
#include "Handles.h"
#include "WindowBase.h"

namespace {

constexpr int ButtonIdBase = 100;
constexpr int CheckBoxId = 90;

TDialogResponder& Responder() {
  static TDialogResponder responder;
  return responder;
}

TGdiObject CreateMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    return TGdiObject(CreateFontIndirectW(&metrics.lfMessageFont));
  return TGdiObject();
}

// Measures with the dialog's font on a memory device context; zero sizes when there is
// none (the layout then only loses its text-dependent widths).
class TFontMeasure {
public:
  explicit TFontMeasure(HFONT font) : FDC(CreateCompatibleDC(nullptr)) {
    if (FDC && font) FOldFont = SelectObject(FDC, font);
  }
  ~TFontMeasure() {
    if (!FDC) return;
    if (FOldFont) SelectObject(FDC, FOldFont);
    DeleteDC(FDC);
  }
  TFontMeasure(const TFontMeasure&) = delete;
  TFontMeasure& operator=(const TFontMeasure&) = delete;

  TTextExtent operator()(const std::wstring& text, int maxWidth) const {
    if (!FDC || text.empty()) return {};
    RECT rect{0, 0, maxWidth > 0 ? maxWidth : 0, 0};
    const UINT format = DT_CALCRECT | DT_EXPANDTABS | (maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextW(FDC, text.c_str(), static_cast<int>(text.size()), &rect, format);
    return {rect.right - rect.left, rect.bottom - rect.top};
  }

private:
  HDC FDC;
  HGDIOBJ FOldFont = nullptr;
};

struct TDialogState {
  const TDialogSpec* Spec = nullptr;
  HFONT Font = nullptr;
  bool Checked = false;
};

LPCWSTR IconOf(TMsgDlgType dlgType) {
  switch (dlgType) {
    case mtWarning: return IDI_WARNING;
    case mtError: return IDI_ERROR;
    case mtInformation: return IDI_INFORMATION;
    case mtConfirmation: return IDI_QUESTION;
    case mtCustom: break;
  }
  return nullptr;
}

HWND AddChild(HWND dialog, const wchar_t* className, const std::wstring& text, DWORD style, const TBounds& bounds,
              int id, HFONT font) {
  HWND child = CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, bounds.Left, bounds.Top,
                               bounds.Width, bounds.Height, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!child) throw Exception(SysErrorMessage(GetLastError()));
  if (font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

// Sizes the dialog to the client size and centres it on the work area of its monitor.
void PlaceDialog(HWND dialog, int clientWidth, int clientHeight) {
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HWND owner = GetWindow(dialog, GW_OWNER);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (GetMonitorInfoW(MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTOPRIMARY), &monitor))
    area = monitor.rcWork;
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void BuildDialog(HWND dialog, TDialogState& state) {
  const TDialogSpec& spec = *state.Spec;
  SetWindowTextW(dialog, spec.Title.c_str());
  if (LPCWSTR icon = IconOf(spec.DlgType)) {
    HWND iconWindow = AddChild(dialog, L"STATIC", L"", SS_ICON, spec.IconBounds, -1, nullptr);
    // Shared system icons: never destroyed.
    SendMessageW(iconWindow, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, icon)), 0);
  }
  AddChild(dialog, L"STATIC", spec.Text, SS_LEFT, spec.TextBounds, -1, state.Font);
  HWND focus = nullptr;
  for (std::size_t i = 0; i < spec.Buttons.size(); ++i) {
    const TDialogButtonSpec& button = spec.Buttons[i];
    HWND window = AddChild(dialog, L"BUTTON", button.Caption,
                           WS_TABSTOP | (button.IsDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), button.Bounds,
                           ButtonIdBase + static_cast<int>(i), state.Font);
    if (button.IsDefault) {
      SendMessageW(dialog, DM_SETDEFID, static_cast<WPARAM>(ButtonIdBase + i), 0);
      focus = window;
    }
    if (!focus && i + 1 == spec.Buttons.size()) focus = GetDlgItem(dialog, ButtonIdBase);
  }
  if (spec.ShowCheckBox) {
    HWND box = AddChild(dialog, L"BUTTON", spec.CheckBoxCaption, WS_TABSTOP | BS_AUTOCHECKBOX, spec.CheckBoxBounds,
                        CheckBoxId, state.Font);
    SendMessageW(box, BM_SETCHECK, spec.Checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  PlaceDialog(dialog, spec.ClientWidth, spec.ClientHeight);
  if (focus) SetFocus(focus);
}

void CloseDialog(HWND dialog, TDialogState& state, int result) {
  if (state.Spec->ShowCheckBox) state.Checked = IsDlgButtonChecked(dialog, CheckBoxId) == BST_CHECKED;
  EndDialog(dialog, result);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      BuildDialog(dialog, *reinterpret_cast<TDialogState*>(lParam));
      return FALSE;  // the focus is set
    }
    auto* state = reinterpret_cast<TDialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!state) return FALSE;
    const std::vector<TDialogButtonSpec>& buttons = state->Spec->Buttons;
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
      const int id = LOWORD(wParam);
      if (id == IDCANCEL) {  // Escape: only a dialog with a cancel button answers it
        for (const TDialogButtonSpec& button : buttons)
          if (button.IsCancel) CloseDialog(dialog, *state, button.ModalResult);
        return TRUE;
      }
      const int index = id - ButtonIdBase;
      if (index >= 0 && index < static_cast<int>(buttons.size()) && buttons[index].ModalResult != mrNone)
        CloseDialog(dialog, *state, buttons[index].ModalResult);
      return TRUE;
    }
    if (message == WM_CLOSE) {  // the title bar's close box
      int result = mrCancel;
      for (const TDialogButtonSpec& button : buttons)
        if (button.IsCancel) result = button.ModalResult;
      CloseDialog(dialog, *state, result);
      return TRUE;
    }
  } catch (...) {
    HandleCallbackException();
  }
  return FALSE;
}

// The dialog's own class: the standard dialog procedure under a name of its own, so that
// automation and tests can find it.
bool RegisterDialogClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS | CS_SAVEBITS;
    windowClass.lpfnWndProc = DefDlgProcW;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = MessageDialogClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

// An empty in-memory dialog template of the own class; the children are added when the
// dialog initialises, in pixels.
std::vector<DWORD> DialogTemplate() {
  std::vector<WORD> words;
  auto put = [&words](DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
  };
  put(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);  // style
  put(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);          // extended style
  for (int i = 0; i < 5; ++i) words.push_back(0);          // no items, x, y, cx, cy
  words.push_back(0);                                      // no menu
  for (const wchar_t* c = MessageDialogClassName; *c; ++c) words.push_back(static_cast<WORD>(*c));
  words.push_back(0);
  words.push_back(0);  // empty title, set later
  std::vector<DWORD> aligned((words.size() + 1) / 2, 0);
  std::copy(words.begin(), words.end(), reinterpret_cast<WORD*>(aligned.data()));
  return aligned;
}

int ShowDialog(const TDialogSpec& spec, bool& checked) {
  if (!RegisterDialogClass()) return mrNone;
  TGdiObject font = CreateMessageFont();
  TDialogState state{&spec, static_cast<HFONT>(font.Get()), spec.Checked};
  const std::vector<DWORD> dialogTemplate = DialogTemplate();
  const INT_PTR result = DialogBoxIndirectParamW(
      GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), GetActiveWindow(),
      DialogProc, reinterpret_cast<LPARAM>(&state));
  if (result == -1) return mrNone;  // the dialog could not be shown: no button was pressed
  if (spec.ShowCheckBox) checked = state.Checked;
  return static_cast<int>(result);
}

}  // namespace

TDialogResponder SetDialogResponder(TDialogResponder responder) {
  TDialogResponder previous = std::move(Responder());
  Responder() = std::move(responder);
  return previous;
}

int MessageDialogEx(const std::wstring& text, const std::wstring& checkBoxCaption, bool& checked, TMsgDlgType dlgType,
                    TMsgDlgButtons buttons, int defaultResult,
                    const std::vector<TModalResultButtonCaption>& buttonCaptions, bool showCheckBox,
                    bool barToLineBreak) {
  TGdiObject font = CreateMessageFont();
  TDialogSpec spec;
  {
    TFontMeasure measure(static_cast<HFONT>(font.Get()));
    spec = LayoutMessageDialog(text, checkBoxCaption, checked, dlgType, buttons, defaultResult, buttonCaptions,
                               showCheckBox, barToLineBreak,
                               [&measure](const std::wstring& s, int maxWidth) { return measure(s, maxWidth); });
  }
  if (Responder()) return Responder()(spec);
  return ShowDialog(spec, checked);
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
