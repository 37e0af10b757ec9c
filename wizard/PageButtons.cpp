#include "PageButtons.h"

#include "Exceptions.h"
#include "MessageIds.h"

TPageButtons PageButtons(int page) {
  const TPageButton cancel{SBtnCancel, TagCancel, false};
  switch (page) {
    case 1: return {TPageButton{SBtnInstall, TagInstall, false}, cancel, true};
    case 2: return {TPageButton{SBtnNext, TagNext, true}, cancel, true};
    case 3: return {std::nullopt, cancel, false};
    case 4: return {std::nullopt, TPageButton{SBtnFinish, TagFinish, false}, false};
  }
  throw Exception(L"UnkownPage");
}
