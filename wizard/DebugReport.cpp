#include "DebugReport.h"

namespace {
constexpr wchar_t Tab = L'\t';
constexpr int FinishedPage = 4;

// One row of the directory table. Entries without a record (which the reader never
// makes) still get a row, so the report shows what is there instead of failing.
std::wstring DirectoryRow(const TEngineState& state, int index) {
  const auto* record = dynamic_cast<const TDefaultDirEx*>(state.FDefaultDirs.Objects(index));
  std::wstring row;
  if (record) row += record->RegKey;
  row += Tab;
  row += (record && record->RegKeyFound) ? L'1' : L'0';
  row += Tab;
  if (record) row += record->DefaultDir;
  row += Tab;
  row += state.FDefaultDirs.Strings(index);
  if (const auto* create = dynamic_cast<const TCreateDirEx*>(record)) {
    row += Tab;
    row += create->SubDir;
    row += Tab;
    row += std::to_wstring(create->DefaultDirIndex);
  }
  return row;
}

void AddCreatedDirectories(const TEngineState& state, std::vector<std::wstring>& lines) {
  bool first = true;
  for (int i = 0; i < state.FDefaultDirs.Count(); ++i) {
    if (!dynamic_cast<const TCreateDirEx*>(state.FDefaultDirs.Objects(i))) continue;
    if (first) {
      lines.emplace_back();
      lines.emplace_back(L"Created directories:");
      first = false;
    }
    lines.push_back(state.FDefaultDirs.Strings(i));
  }
}

// Consecutive files with exactly the same destination text form one group; the same
// directory appearing again later, or differing in letter case, starts a new group.
void AddFileGroups(const TEngineState& state, std::vector<std::wstring>& lines) {
  const int count = state.FDirs.Count();
  for (int i = 0; i < count; ++i) {
    const std::wstring& dir = state.FDirs.Strings(i);
    if (i == 0 || dir != state.FDirs.Strings(i - 1)) {
      lines.emplace_back();
      lines.push_back(dir);
    }
    // FFiles and FDirs are filled together; a shorter FFiles gives empty names, not a fault.
    lines.push_back(i < state.FFiles.Count() ? state.FFiles.Strings(i) : std::wstring());
  }
}
}  // namespace

std::vector<std::wstring> BuildDebugReportLines(const TEngineState& state, const TCmdArgs& args) {
  std::vector<std::wstring> lines;
  lines.push_back(L"Step: " + std::to_wstring(state.FPage));
  lines.push_back(L"Command line args: " + QuotedParams(args));
  lines.push_back(L"RegKey\tFound\tDefaultDir\tCurrentDir\tSubDir\tDefaultIdx");
  for (int i = 0; i < state.FDefaultDirs.Count(); ++i) lines.push_back(DirectoryRow(state, i));
  // Before the finished page nothing has been created or copied yet, so the report ends
  // with the directory table.
  if (state.FPage == FinishedPage) {
    AddCreatedDirectories(state, lines);
    AddFileGroups(state, lines);
    if (state.FSetupSuccessful) {
      lines.emplace_back();
      lines.emplace_back(L"OK");
    }
  }
  return lines;
}

std::wstring DebugReportText(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += L"\r\n";
    text += lines[i];
  }
  return text;
}
