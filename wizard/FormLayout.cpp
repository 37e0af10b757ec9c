#include "FormLayout.h"

std::vector<TLayoutItem> MainFormLayout() {
  using A = TAlign;
  // Sizes of aligned items that the alignment decides are left 0.
  return {
      {L"pnlHeader", L"", A::Top, 0, 0, 0, 76, 0},
      {L"pnlImage", L"pnlHeader", A::Left, 0, 0, 104, 0, 0},
      {L"Image", L"pnlImage", A::Client, 0, 0, 0, 0, 0},
      {L"pnlHeaderRight", L"pnlHeader", A::Client, 0, 0, 0, 0, 8},
      {L"pnlCaptionHead", L"pnlHeaderRight", A::Top, 0, 0, 0, 34, 0},
      {L"pnlCaptionBody", L"pnlHeaderRight", A::Client, 0, 0, 0, 0, 0},
      {L"pnlButtons", L"", A::Bottom, 0, 0, 0, 39, 0},
      {L"btnLeft", L"pnlButtons", A::None, 244, 6, 80, 25, 0},
      {L"btnRight", L"pnlButtons", A::None, 336, 6, 80, 25, 0},
      {L"pnlBottom", L"", A::Bottom, 0, 0, 0, 11, 0},
      {L"lblBottom", L"pnlBottom", A::None, 8, -2, 0, 13, 0},
      {L"pnlBottomBottom", L"pnlBottom", A::Bottom, 0, 0, 0, 7, 0},
      {L"bvlBottom", L"pnlBottomBottom", A::None, 112, 0, 289, 2, 0},
      {L"lblBottomBottom", L"pnlBottomBottom", A::None, 8, -6, 0, 13, 0},
      {L"pbUrl", L"pnlBottomBottom", A::None, 5, -10, 113, 21, 0},
      {L"TabbedPanel", L"", A::Client, 0, 0, 0, 0, 0},
      {L"memDebug", L"", A::Client, 0, 0, 0, 0, 0},
      {L"pnlWelcome", L"TabbedPanel", A::Client, 0, 0, 0, 0, 8},
      {L"lblWelcome", L"pnlWelcome", A::Client, 0, 0, 0, 0, 0},
      {L"pnlCheckDir", L"TabbedPanel", A::Client, 0, 0, 0, 0, 4},
      {L"lblCheckDir", L"pnlCheckDir", A::None, 9, 8, 392, 37, 0},
      {L"edDir", L"pnlCheckDir", A::None, 8, 48, 368, 21, 0},
      {L"Label3", L"pnlCheckDir", A::None, 9, 92, 340, 33, 0},
      {L"pnlFinished", L"TabbedPanel", A::Client, 0, 0, 0, 0, 8},
      {L"lblFinished", L"pnlFinished", A::Client, 0, 0, 0, 0, 0},
      {L"pnlProgress", L"TabbedPanel", A::Client, 0, 0, 0, 0, 0},
      {L"Label1", L"pnlProgress", A::None, 8, 8, 0, 13, 0},
      {L"lblCopyFile", L"pnlProgress", A::None, 8, 48, 0, 13, 0},
      {L"lblCopyDir", L"pnlProgress", A::None, 8, 68, 362, 13, 0},
      {L"ProgressBar", L"pnlProgress", A::None, 8, 92, 406, 16, 0},
  };
}

TLayoutRects ArrangeLayout(const std::vector<TLayoutItem>& items, int clientWidth, int clientHeight,
                           const TLayoutScale& scale, const std::function<bool(const std::wstring&)>& visible) {
  TLayoutRects rects;
  // The room each parent still has for aligned children, in its client coordinates.
  std::map<std::wstring, RECT> room;
  room[L""] = RECT{0, 0, clientWidth, clientHeight};

  auto shown = [&](const TLayoutItem& item) { return !visible || visible(item.Name); };
  auto arrange = [&](const TLayoutItem& item) {
    RECT& free = room.at(item.Parent);
    RECT rect{};
    switch (item.Align) {
      case TAlign::Top:
        rect = {free.left, free.top, free.right, free.top + scale(item.Height)};
        free.top = rect.bottom;
        break;
      case TAlign::Bottom:
        rect = {free.left, free.bottom - scale(item.Height), free.right, free.bottom};
        free.bottom = rect.top;
        break;
      case TAlign::Left:
        rect = {free.left, free.top, free.left + scale(item.Width), free.bottom};
        free.left = rect.right;
        break;
      case TAlign::Client:
        rect = free;
        break;
      case TAlign::None:
        rect = {scale(item.Left), scale(item.Top), scale(item.Left) + scale(item.Width),
                scale(item.Top) + scale(item.Height)};
        break;
    }
    rects[item.Name] = rect;
    const int border = scale(item.BorderWidth);
    room[item.Name] = RECT{border, border, rect.right - rect.left - border, rect.bottom - rect.top - border};
  };

  // A parent is arranged before its children, so walk the table level by level: each pass
  // arranges the items whose parent already has its room.
  std::vector<const TLayoutItem*> pending;
  for (const TLayoutItem& item : items)
    if (shown(item)) pending.push_back(&item);
  while (!pending.empty()) {
    std::vector<const TLayoutItem*> ready, later;
    for (const TLayoutItem* item : pending) (room.count(item->Parent) ? ready : later).push_back(item);
    if (ready.empty()) break;  // children of hidden parents are not arranged
    for (TAlign align : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Client, TAlign::None})
      for (const TLayoutItem* item : ready)
        if (item->Align == align) arrange(*item);
    pending = std::move(later);
  }
  return rects;
}
