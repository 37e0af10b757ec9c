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

// One push button of a prepared dialog, in its order left to right.
struct TDialogButtonSpec {
  std::wstring Caption;
  int ModalResult = 0;
  bool IsDefault = false;  // pressed by Enter, focused when the dialog opens
  bool IsCancel = false;   // pressed by Escape
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
};

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
