#include "DllHooks.h"

#include "Exceptions.h"
#include "Handles.h"
#include "HookCall.h"
#include "Language.h"
#include "MessageIds.h"
#include "ResString.h"

namespace {
const char* const ExportBefore = "ExecuteBefore";
const char* const ExportAfter = "ExecuteAfter";

std::wstring AsciiToWide(const char* text) {
  std::wstring wide;
  for (; *text; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
  return wide;
}
}  // namespace

bool CallDLLHook(const TDLL& dll, const char* exportName, TAppServices& app) {
  TModule module;
  {
    TBusyCursorScope busy(app);
    module.Reset(LoadLibraryW(dll.FileName.c_str()));
  }
  if (!module) throw Exception(FmtLoadStr(SModuleLoadError, {dll.FileName}));
  const FARPROC entry = GetProcAddress(module.Get(), exportName);
  if (!entry) throw Exception(FmtLoadStr(SFunctionNotFound, {AsciiToWide(exportName), dll.FileName}));
  // c_str() of an empty parameter is a valid empty string, never null.
  return CallHookExport(entry, app.OwnerWindow(), CurrentLanguage(), dll.Param.c_str());
}

bool CallDLLsBefore(const TEngineState& state, TAppServices& app) {
  bool result = true;
  for (const auto& dll : state.FDLLsBefore) result = CallDLLHook(*dll, ExportBefore, app);
  return result;
}

void CallDLLsAfter(const TEngineState& state, TAppServices& app) {
  for (const auto& dll : state.FDLLsAfter) CallDLLHook(*dll, ExportAfter, app);
}
