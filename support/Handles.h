#pragma once
// One move-only owner per kind of Win32 handle. Each closes its handle in the destructor,
// so no function needs a cleanup block.
#include <windows.h>
#include <tlhelp32.h>
#include <utility>

template <class Traits>
class TUniqueHandle {
public:
  using Handle = typename Traits::Handle;

  TUniqueHandle() noexcept : FHandle(Traits::Invalid()) {}
  explicit TUniqueHandle(Handle h) noexcept : FHandle(h) {}
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(other.Release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~TUniqueHandle() { Reset(); }

  Handle Get() const noexcept { return FHandle; }
  bool Valid() const noexcept { return FHandle != Traits::Invalid(); }
  explicit operator bool() const noexcept { return Valid(); }

  Handle Release() noexcept { return std::exchange(FHandle, Traits::Invalid()); }
  void Reset(Handle h = Traits::Invalid()) noexcept {
    Handle old = std::exchange(FHandle, h);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  // For out-parameters of API calls: closes the current handle first.
  Handle* Receive() noexcept {
    Reset();
    return &FHandle;
  }

private:
  Handle FHandle;
};

struct TFileHandleTraits {  // CreateFileW, CreateToolhelp32Snapshot
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { CloseHandle(h); }
};
struct TKernelHandleTraits {  // events, processes, threads
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { CloseHandle(h); }
};
struct TFindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { FindClose(h); }
};
struct TRegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { RegCloseKey(h); }
};
struct TModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { FreeLibrary(h); }
};
struct TGdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { DeleteObject(h); }
};
struct TMemoryDCTraits {  // CreateCompatibleDC
  using Handle = HDC;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { DeleteDC(h); }
};
struct TIconTraits {
  using Handle = HICON;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { DestroyIcon(h); }
};

using TFileHandle = TUniqueHandle<TFileHandleTraits>;
using TKernelHandle = TUniqueHandle<TKernelHandleTraits>;
using TFindHandle = TUniqueHandle<TFindHandleTraits>;
using TRegKey = TUniqueHandle<TRegKeyTraits>;
using TModule = TUniqueHandle<TModuleTraits>;
using TGdiObject = TUniqueHandle<TGdiObjectTraits>;
using TMemoryDC = TUniqueHandle<TMemoryDCTraits>;
using TIcon = TUniqueHandle<TIconTraits>;

// Sets the process error mode for a scope and restores the previous mode on every path.
class TErrorModeScope {
public:
  explicit TErrorModeScope(UINT mode) noexcept : FOldMode(SetErrorMode(mode)) {}
  ~TErrorModeScope() { SetErrorMode(FOldMode); }
  TErrorModeScope(const TErrorModeScope&) = delete;
  TErrorModeScope& operator=(const TErrorModeScope&) = delete;

private:
  UINT FOldMode;
};
