#pragma once
// Message dialogs: every message and question of the program goes through MessageDialog.
// A "|" in the text becomes a line break (BarToLineBreak), "\|" shows a bar, ampersands
// are shown as written; an empty button set gives the usual buttons of the dialog type;
// DefaultResult (-1 for none) makes the button with that modal result the default.
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "Format.h"

enum TMsgDlgType : unsigned char { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Bit n of a button set stands for button n; the order is also the order in the dialog.
enum TMsgDlgBtn : unsigned { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
                             mbYesToAll, mbHelp, mbClose };
using TMsgDlgButtons = unsigned short;
constexpr TMsgDlgButtons Btn(TMsgDlgBtn button) { return static_cast<TMsgDlgButtons>(1u << button); }
constexpr TMsgDlgButtons mbYesNo = Btn(mbYes) | Btn(mbNo);
constexpr TMsgDlgButtons mbOKOnly = Btn(mbOK);

// Modal results.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
              mrClose = 8, mrAll = 12, mrNoToAll = 13, mrYesToAll = 14;

// Renames one button (an empty Caption leaves it unchanged); Hint is carried, not shown.
struct TModalResultButtonCaption {
  int ModalResult = 0;
  std::wstring Caption;
  std::wstring Hint;
};

// A place in the dialog's client area, in pixels.
struct TBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// One push button of a prepared dialog, in its order left to right (also the tab order).
struct TDialogButtonSpec {
  std::wstring Caption;
  int ModalResult = 0;
  bool IsDefault = false;  // pressed by Enter, focused when the dialog opens
  bool IsCancel = false;   // pressed by Escape
  TBounds Bounds;
};

// Everything a dialog will show, decided without a window.
struct TDialogSpec {
  TMsgDlgType DlgType = mtInformation;
  std::wstring Title;
  std::wstring Text;  // prepared: line breaks applied, ampersands doubled
  std::vector<TDialogButtonSpec> Buttons;
  bool ShowCheckBox = false;
  std::wstring CheckBoxCaption;
  bool Checked = false;
  // Geometry; an icon or check box that is not shown has an empty place.
  int ClientWidth = 0;
  int ClientHeight = 0;
  TBounds IconBounds;
  TBounds TextBounds;
  TBounds CheckBoxBounds;
};

// The size of a text in the dialog's font. maxWidth > 0: wrapped at that width, line
// breaks kept; 0: one line. An "&" marks an access key and "&&" shows one ampersand.
struct TTextExtent {
  int Width = 0;
  int Height = 0;
};
using TMeasureText = std::function<TTextExtent(const std::wstring& text, int maxWidth)>;

// The text as the dialog shows it: "|" to a carriage return (when barToLineBreak), then
// backslash + carriage return to "|", then every "&" doubled.
std::wstring PrepareDialogText(const std::wstring& text, bool barToLineBreak);
// The title of a dialog type; the custom type has the application's title.
std::wstring DialogTitle(TMsgDlgType dlgType);
// Decides everything MessageDialogEx shows, without a window: text, title, buttons in
// order with captions and results, the default and the Escape button, and the geometry.
// An empty button set gives the type's usual buttons. The captions list reorders (buttons
// it names come first, in its order) and renames buttons; DefaultResult other than -1 makes
// exactly the button with that result the default (none when no button has it).
TDialogSpec LayoutMessageDialog(const std::wstring& text, const std::wstring& checkBoxCaption, bool checked,
                                TMsgDlgType dlgType, TMsgDlgButtons buttons, int defaultResult,
                                const std::vector<TModalResultButtonCaption>& buttonCaptions, bool showCheckBox,
                                bool barToLineBreak, const TMeasureText& measure);

int MessageDialog(const std::wstring& text, TMsgDlgType dlgType, TMsgDlgButtons buttons, int defaultResult = -1,
                  bool barToLineBreak = true);
int MessageDialogFmt(const std::wstring& format, std::initializer_list<TFormatArg> args, TMsgDlgType dlgType,
                     TMsgDlgButtons buttons, int defaultResult = -1, bool barToLineBreak = true);
int MessageDialogEx(const std::wstring& text, const std::wstring& checkBoxCaption, bool& checked, TMsgDlgType dlgType,
                    TMsgDlgButtons buttons, int defaultResult,
                    const std::vector<TModalResultButtonCaption>& buttonCaptions, bool showCheckBox,
                    bool barToLineBreak);

// A responder answers dialogs instead of showing them: tests install one that records each
// dialog and returns a scripted modal result. An empty responder shows real dialogs again.
// Returns the previous responder.
using TDialogResponder = std::function<int(const TDialogSpec&)>;
TDialogResponder SetDialogResponder(TDialogResponder responder);

// The window class of the dialog window, for tests and automation that look for it.
constexpr const wchar_t* MessageDialogClassName = L"TMessageForm";
