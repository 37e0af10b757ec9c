#include "EllipseEdit.h"

#include "ControlUtils.h"

TEllipseEdit::~TEllipseEdit() {
  if (FAction) FAction->UnregisterClient(this);
}

void TEllipseEdit::CreateEdit(HWND parent, int x, int y, int width, int height, bool ctl3D) {
  CreateControl(L"EDIT", ctl3D ? WS_EX_CLIENTEDGE : 0,
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | ES_MULTILINE | ES_AUTOHSCROLL, x, y, width,
                height, parent);
  FitHeightToFont();
  RECT client;
  GetClientRect(Handle(), &client);
  FEllipsisButton.CreateButton(Handle(), client.right - client.bottom, 0, client.bottom, client.bottom, L"...");
  FEllipsisButton.LoadGlyph(L"ELLIPSISBUTTON");
  FEllipsisButton.OnClick = [this](TWindowBase& sender) { EllipsisClick(sender); };
  FEllipsisButton.OnDblClick = [this](TWindowBase& sender) {
    if (OnEllipsisDblClick) OnEllipsisDblClick(sender);
  };
  FEllipsisButton.OnMouseDown = [this](TWindowBase& sender, TMouseButton button, WPARAM keys, int bx, int by) {
    if (OnEllipsisMouseDown) OnEllipsisMouseDown(sender, button, keys, bx, by);
  };
  FEllipsisButton.OnMouseMove = [this](TWindowBase& sender, WPARAM keys, int bx, int by) {
    if (OnEllipsisMouseMove) OnEllipsisMouseMove(sender, keys, bx, by);
  };
  FEllipsisButton.OnMouseUp = [this](TWindowBase& sender, TMouseButton button, WPARAM keys, int bx, int by) {
    if (OnEllipsisMouseUp) OnEllipsisMouseUp(sender, button, keys, bx, by);
  };
  FToolTip.Attach(Handle());
  FToolTip.SetActive(true);
  PlaceButton();
}

std::wstring TEllipseEdit::Text() const {
  return WindowText(Handle());
}

void TEllipseEdit::SetText(const std::wstring& text) { SetWindowTextW(Handle(), text.c_str()); }

bool TEllipseEdit::Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }

void TEllipseEdit::SetEnabled(bool value) { EnableWindow(Handle(), value); }

bool TEllipseEdit::Visible() const { return (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }

void TEllipseEdit::SetVisible(bool value) { ShowWindow(Handle(), value ? SW_SHOWNA : SW_HIDE); }

void TEllipseEdit::SetAction(TAction* action, bool checkDefaults) {
  if (FAction) FAction->UnregisterClient(this);
  FAction = action;
  if (!FAction) return;
  FAction->RegisterClient(this);
  ActionChange(*FAction, checkDefaults);
}

void TEllipseEdit::ActionChange(const TAction& action, bool checkDefaults) {
  if (!checkDefaults || Text().empty() || Text() == FName) SetText(action.Caption());
  if (!checkDefaults || Enabled()) SetEnabled(action.Enabled());
  if (!checkDefaults || Hint().empty()) SetHint(action.Hint());
  if (!checkDefaults || Visible()) SetVisible(action.Visible());
}

void TEllipseEdit::ActionGone(const TAction& action) noexcept {
  if (FAction == &action) FAction = nullptr;
}

void TEllipseEdit::FitHeightToFont() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(SYSTEM_FONT));
  TEXTMETRICW systemMetrics{};
  GetTextMetricsW(dc, &systemMetrics);
  // An edit without a font of its own uses the system font.
  auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  if (font) SelectObject(dc, font);
  TEXTMETRICW fontMetrics{};
  GetTextMetricsW(dc, &fontMetrics);
  SelectObject(dc, oldFont);
  ReleaseDC(nullptr, dc);
  const bool ctl3D = (GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
  const int extra = GetSystemMetrics(SM_CYBORDER) * (ctl3D ? 8 : 6);
  RECT window;
  GetWindowRect(Handle(), &window);
  SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left, fontMetrics.tmHeight + extra,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TEllipseEdit::PlaceButton() {
  if (!FEllipsisButton.Handle()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  // Square, at the right edge, spanning the client height.
  const int side = client.bottom;
  SetWindowPos(FEllipsisButton.Handle(), nullptr, client.right - side, 0, side, side,
               SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateTextRect();
}

void TEllipseEdit::UpdateTextRect() {
  RECT rect;
  GetClientRect(Handle(), &rect);
  if (FEllipsisButton.Handle()) {
    RECT button;
    GetWindowRect(FEllipsisButton.Handle(), &button);
    rect.right -= button.right - button.left;
  }
  if (rect.right < rect.left) rect.right = rect.left;
  SendMessageW(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
}

RECT TEllipseEdit::TextRect() const {
  RECT rect{};
  SendMessageW(Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

void TEllipseEdit::EllipsisClick(TWindowBase& sender) {
  SetFocus(Handle());
  if (FDialog) {
    const std::wstring text = Text();
    const size_t split = text.find_last_of(L"\\:");
    FDialog->InitialDir = split == std::wstring::npos ? std::wstring() : text.substr(0, split + 1);
    FDialog->FileName = split == std::wstring::npos ? text : text.substr(split + 1);
    if (FDialog->Execute(GetAncestor(Handle(), GA_ROOT))) SetText(FDialog->FileName);
  }
  if (OnEllipsisClick) OnEllipsisClick(sender);
  else if (FAction) FAction->Execute();
}

void TEllipseEdit::PasteOneLine() {
  // As a one-line edit does: only the first line of the clipboard's text is pasted.
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(Handle())) return;
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  text = text.substr(0, text.find_first_of(L"\r\n"));
  SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT TEllipseEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      PlaceButton();
      return result;
    }
    case WM_SETFONT: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      FitHeightToFont();
      // The edit lays its text out anew for the font; narrow it again even when the
      // height stayed the same.
      PlaceButton();
      return result;
    }
    case WM_SETCURSOR: {
      POINT cursor;
      GetCursorPos(&cursor);
      ScreenToClient(Handle(), &cursor);
      RECT client, button{};
      GetClientRect(Handle(), &client);
      if (FEllipsisButton.Handle()) GetWindowRect(FEllipsisButton.Handle(), &button);
      if (cursor.x < client.right - (button.right - button.left)) return DefaultHandling(message, wParam, lParam);
      SetCursor(LoadCursorW(nullptr, IDC_ARROW));
      return TRUE;
    }
    case WM_ENABLE: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      FEllipsisButton.SetEnabled(Enabled());
      return result;
    }
    case WM_CHAR:
      // One line only: Return, Ctrl+Return and Tab insert nothing.
      if (wParam == L'\r' || wParam == L'\n' || wParam == L'\t') return 0;
      break;
    case WM_GETDLGCODE:
      // Leaves Return to the default button and Tab to the focus movement of dialogs.
      return DefaultHandling(message, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    case WM_SETTEXT: {
      // A multi-line edit reports no change for a new text, a one-line edit does.
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      if (result && OnChange) OnChange(*this);
      return result;
    }
    case WM_PASTE:
      PasteOneLine();
      return 0;
    case WM_LBUTTONUP: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      if (OnClick) OnClick(*this);
      return result;
    }
    case CN_BASE + WM_COMMAND:
      if (HIWORD(wParam) == EN_CHANGE && OnChange) {
        OnChange(*this);
        return 1;
      }
      return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}
