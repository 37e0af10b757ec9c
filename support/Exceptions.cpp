#include "Exceptions.h"

#include "TextConv.h"

const char* Exception::what() const noexcept {
  try {
    if (FNarrow.empty() && !FMessage.empty()) FNarrow = WideToUtf8(FMessage);
    return FNarrow.c_str();
  } catch (...) {
    return "Exception";
  }
}
