#include "StateReport.h"

#include "JsonText.h"

namespace {
std::wstring ColorText(const TColorValue& color) {
  if (!color) return L"null";
  static const wchar_t digits[] = L"0123456789ABCDEF";
  std::wstring text = L"\"0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += digits[(*color >> shift) & 0xF];
  return text + L'"';
}

std::wstring Bool(bool value) { return value ? L"true" : L"false"; }

// Joins the items of a JSON array or object.
class TJsonList {
public:
  void Add(const std::wstring& item) {
    if (!FText.empty()) FText += L',';
    FText += item;
  }
  void Add(const std::wstring& name, const std::wstring& value) { Add(JsonString(name) + L':' + value); }
  std::wstring Array() const { return L'[' + FText + L']'; }
  std::wstring Object() const { return L'{' + FText + L'}'; }

private:
  std::wstring FText;
};

std::wstring DirectoriesJson(const TEngineState& state) {
  TJsonList directories;
  for (int i = 0; i < state.FDefaultDirs.Count(); ++i) {
    const TDefaultDirEx& record = state.DefaultDirRecord(i);
    TJsonList item;
    item.Add(L"index", std::to_wstring(i));
    if (const auto* create = dynamic_cast<const TCreateDirEx*>(&record)) {
      item.Add(L"kind", JsonString(L"create"));
      item.Add(L"path", JsonString(state.FDefaultDirs.Strings(i)));
      item.Add(L"caption", JsonString(create->Caption));
      item.Add(L"subDir", JsonString(create->SubDir));
      item.Add(L"parent", std::to_wstring(create->DefaultDirIndex));
    } else {
      item.Add(L"kind", JsonString(L"dest"));
      item.Add(L"path", JsonString(state.FDefaultDirs.Strings(i)));
      item.Add(L"regKey", JsonString(record.RegKey));
      item.Add(L"regKeyFound", Bool(record.RegKeyFound));
      item.Add(L"defaultDir", JsonString(record.DefaultDir));
      item.Add(L"filesMustExist", JsonString(record.FilesMustExist));
      item.Add(L"caption", JsonString(record.Caption));
    }
    directories.Add(item.Object());
  }
  return directories.Array();
}

std::wstring LinesJson(const TStringList& lines) {
  TJsonList list;
  for (int i = 0; i < lines.Count(); ++i) list.Add(JsonString(lines.Strings(i)));
  return list.Array();
}

std::wstring DLLsJson(const std::vector<std::unique_ptr<TDLL>>& dlls) {
  TJsonList list;
  for (const auto& dll : dlls) {
    TJsonList item;
    item.Add(L"fileName", JsonString(dll->FileName));
    item.Add(L"param", JsonString(dll->Param));
    list.Add(item.Object());
  }
  return list.Array();
}

struct TTextField {
  const wchar_t* Name;
  const std::wstring TEngineState::*Field;
};
const TTextField TextFields[] = {
    {L"product", &TEngineState::FProduct},
    {L"formCaption", &TEngineState::FFormCaption},
    {L"subCaption", &TEngineState::FSubCaption},
    {L"versionErrorMsg", &TEngineState::FVersionErrorMsg},
    {L"lockedFilesMsg", &TEngineState::FLockedFilesMsg},
    {L"bottomCaption", &TEngineState::FBottomCaption},
    {L"welcomeText", &TEngineState::FWelcomeText},
    {L"textSuccess", &TEngineState::FTextSuccess},
    {L"textFailure", &TEngineState::FTextFailure},
    {L"textFailureSolution", &TEngineState::FTextFailureSolution},
    {L"icon", &TEngineState::FIcon},
};

struct TColorField {
  const wchar_t* Name;
  const TColorValue TEngineState::*Field;
};
const TColorField ColorFields[] = {
    {L"header", &TEngineState::FColorHeader}, {L"headerFont", &TEngineState::FColorHeaderFont},
    {L"body", &TEngineState::FColorBody},     {L"bodyFont", &TEngineState::FColorBodyFont},
    {L"footer", &TEngineState::FColorFooter}, {L"footerFont", &TEngineState::FColorFooterFont},
};

// A text on one line of the readable report: line breaks shown as "|".
std::wstring OneLine(const std::wstring& text) {
  std::wstring line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    line += text[i] == L'\n' ? L'|' : text[i];
  }
  return line;
}
}  // namespace

std::wstring StateToJson(const TEngineState& state, int language) {
  TJsonList root;
  root.Add(L"language", std::to_wstring(language));
  root.Add(L"directories", DirectoriesJson(state));

  TJsonList files;
  for (int i = 0; i < state.FFiles.Count(); ++i) {
    TJsonList item;
    item.Add(L"name", JsonString(state.FFiles.Strings(i)));
    item.Add(L"dir", JsonString(state.FDirs.Strings(i)));
    item.Add(L"dirIndex", std::to_wstring(state.FDirs.Integers(i)));
    files.Add(item.Object());
  }
  root.Add(L"files", files.Array());

  TJsonList locked;
  for (int i = 0; i < state.FLockedFiles.Count(); ++i) {
    TJsonList item;
    item.Add(L"path", JsonString(state.FLockedFiles.Strings(i)));
    item.Add(L"dirIndex", std::to_wstring(state.FLockedFiles.Integers(i)));
    locked.Add(item.Object());
  }
  root.Add(L"lockedFiles", locked.Array());
  root.Add(L"neededFileVersions", LinesJson(state.FNeededFileVersions));
  root.Add(L"createRegKeys", LinesJson(state.FCreateRegKeys));

  TJsonList programs;
  for (const auto& program : state.FProgramsMustNotRun) {
    TJsonList item;
    item.Add(L"exeName", JsonString(program->ExeName));
    item.Add(L"caption", JsonString(program->Caption));
    programs.Add(item.Object());
  }
  root.Add(L"programsMustNotRun", programs.Array());
  root.Add(L"dllsBefore", DLLsJson(state.FDLLsBefore));
  root.Add(L"dllsAfter", DLLsJson(state.FDLLsAfter));

  TJsonList texts;
  for (const TTextField& field : TextFields) texts.Add(field.Name, JsonString(state.*field.Field));
  root.Add(L"texts", texts.Object());
  TJsonList colors;
  for (const TColorField& field : ColorFields) colors.Add(field.Name, ColorText(state.*field.Field));
  root.Add(L"colors", colors.Object());
  return root.Object();
}

std::wstring ErrorToJson(const std::wstring& message) {
  TJsonList root;
  root.Add(L"error", JsonString(message));
  return root.Object();
}

std::wstring StateToText(const TEngineState& state, int language) {
  std::wstring out = L"language: " + std::to_wstring(language) + L"\r\n";
  out += L"directories:\r\n";
  for (int i = 0; i < state.FDefaultDirs.Count(); ++i) {
    const TDefaultDirEx& record = state.DefaultDirRecord(i);
    out += L"  [" + std::to_wstring(i) + L"] ";
    if (const auto* create = dynamic_cast<const TCreateDirEx*>(&record)) {
      out += L"create \"" + create->SubDir + L"\" below [" + std::to_wstring(create->DefaultDirIndex) + L"]";
      out += L"  caption: " + create->Caption + L"\r\n";
      continue;
    }
    out += state.FDefaultDirs.Strings(i) + (record.RegKeyFound ? L"  (from the registry)" : L"") + L"\r\n";
    out += L"      caption: " + record.Caption + L"\r\n";
    out += L"      default: " + record.DefaultDir + L"\r\n";
    if (!record.RegKey.empty()) out += L"      registry: " + record.RegKey + L"\r\n";
    if (!record.FilesMustExist.empty()) out += L"      files that must exist: " + record.FilesMustExist + L"\r\n";
  }
  out += L"files:\r\n";
  for (int i = 0; i < state.FFiles.Count(); ++i)
    out += L"  [" + std::to_wstring(state.FDirs.Integers(i)) + L"] " + state.FDirs.Strings(i) +
           state.FFiles.Strings(i) + L"\r\n";
  out += L"locked files:\r\n";
  for (int i = 0; i < state.FLockedFiles.Count(); ++i)
    out += L"  [" + std::to_wstring(state.FLockedFiles.Integers(i)) + L"] " + state.FLockedFiles.Strings(i) +
           L"\r\n";
  out += L"needed file versions:\r\n";
  for (int i = 0; i < state.FNeededFileVersions.Count(); ++i)
    out += L"  " + state.FNeededFileVersions.Strings(i) + L"\r\n";
  out += L"registry values to create:\r\n";
  for (int i = 0; i < state.FCreateRegKeys.Count(); ++i) out += L"  " + state.FCreateRegKeys.Strings(i) + L"\r\n";
  out += L"programs that must not run:\r\n";
  for (const auto& program : state.FProgramsMustNotRun)
    out += L"  " + program->ExeName + L"  (" + program->Caption + L")\r\n";
  out += L"DLLs before:\r\n";
  for (const auto& dll : state.FDLLsBefore) out += L"  " + dll->FileName + L"  param: " + dll->Param + L"\r\n";
  out += L"DLLs after:\r\n";
  for (const auto& dll : state.FDLLsAfter) out += L"  " + dll->FileName + L"  param: " + dll->Param + L"\r\n";
  out += L"texts:\r\n";
  for (const TTextField& field : TextFields)
    out += std::wstring(L"  ") + field.Name + L": " + OneLine(state.*field.Field) + L"\r\n";
  out += L"colors:\r\n";
  for (const TColorField& field : ColorFields) {
    const TColorValue& color = state.*field.Field;
    out += std::wstring(L"  ") + field.Name + L": " + (color ? ColorText(color).substr(1, 10) : L"none") + L"\r\n";
  }
  return out;
}
