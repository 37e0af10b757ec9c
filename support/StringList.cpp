#include "StringList.h"

#include <algorithm>

#include "Exceptions.h"
#include "MessageIds.h"
#include "ResString.h"
#include "StrUtils.h"

namespace {
[[noreturn]] void RaiseListIndexError(int index) { throw EListError(FmtLoadStr(SListIndexError, {index})); }
}  // namespace

const TStringList::TItem& TStringList::Item(int index) const {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  return FItems[static_cast<size_t>(index)];
}

TStringList::TItem& TStringList::Item(int index) {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  return FItems[static_cast<size_t>(index)];
}

const std::wstring& TStringList::Strings(int index) const { return Item(index).Text; }
void TStringList::SetString(int index, std::wstring text) { Item(index).Text = std::move(text); }
int TStringList::Integers(int index) const { return Item(index).Value; }
void TStringList::SetInteger(int index, int value) { Item(index).Value = value; }
TRecord* TStringList::Objects(int index) const { return Item(index).Record; }
void TStringList::SetObject(int index, TRecord* record) { Item(index).Record = record; }

int TStringList::Add(std::wstring text, int value, TRecord* record) {
  FItems.push_back(TItem{std::move(text), value, record});
  return Count() - 1;
}

void TStringList::Insert(int index, std::wstring text, int value, TRecord* record) {
  if (index < 0 || index > Count()) RaiseListIndexError(index);
  FItems.insert(FItems.begin() + index, TItem{std::move(text), value, record});
}

void TStringList::Delete(int index) {
  Item(index);  // checks the position
  FItems.erase(FItems.begin() + index);
}

int TStringList::IndexOf(const std::wstring& text) const {
  for (int i = 0; i < Count(); ++i)
    if (SameTextLocale(FItems[static_cast<size_t>(i)].Text, text)) return i;
  return -1;
}

void TStringList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const TItem& a, const TItem& b) { return CompareTextLocale(a.Text, b.Text) < 0; });
}

std::wstring TStringList::Text() const {
  std::wstring result;
  for (const TItem& item : FItems) {
    result += item.Text;
    result += L"\r\n";
  }
  return result;
}
