#pragma once
// The two buttons of each wizard page: caption, action tag, visibility and which one
// Enter presses. The tags' meaning is the wizard controller's.
#include <optional>

// Action codes carried in the buttons' tags.
constexpr int TagCancel = 1;
constexpr int TagInstall = 2;
constexpr int TagNext = 3;
constexpr int TagFinish = 4;

struct TPageButton {
  unsigned CaptionId = 0;  // message identifier
  int Tag = 0;
  bool Enable = false;  // the page enables the button (else its enabled state stays)
};

struct TPageButtons {
  // None: the left button is hidden and keeps its caption and tag.
  std::optional<TPageButton> Left;
  TPageButton Right;
  bool LeftIsDefault = false;
};

// The buttons of page 1 to 4; any other page raises Exception "UnkownPage".
TPageButtons PageButtons(int page);
