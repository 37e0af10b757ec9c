#include "Language.h"

namespace {
int GCurrentLanguage = 0;
}

int CurrentLanguage() noexcept { return GCurrentLanguage; }
void SetCurrentLanguage(int language) noexcept { GCurrentLanguage = language; }
