#include "HookCall.h"

namespace {
#if defined(__i386__)
// 32-bit hooks: the three arguments in EAX, EDX and ECX, in this order, nothing on the
// stack and nothing removed from it by the callee; the answer in AL. GCC's regparm(3)
// gives exactly this register assignment for a function without stack arguments.
// The answer is read as a byte, not as bool: a hook may answer any non-zero AL for true.
using THookEntry = unsigned char(__attribute__((regparm(3))) *)(HWND owner, int language, const wchar_t* param);
#elif defined(__x86_64__)
// 64-bit builds (the test build) load 64-bit hook DLLs. x86-64 has a single calling
// convention that already passes the first arguments in registers (RCX, RDX, R8) and
// answers in AL, so the hooks use it unchanged.
using THookEntry = unsigned char (*)(HWND owner, int language, const wchar_t* param);
#else
#error "hook calls are defined for i686 and x86_64 only"
#endif
}  // namespace

bool CallHookExport(FARPROC entry, HWND owner, int language, const wchar_t* param) {
  const auto hook = reinterpret_cast<THookEntry>(reinterpret_cast<void*>(entry));
  return hook(owner, language, param) != 0;
}
