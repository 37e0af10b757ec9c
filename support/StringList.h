#pragma once
// The program's text list: ordered entries of a text with an attached integer and/or a
// record object. The list never owns attached records; their owner frees them. Positions
// count from 0; every access outside the list raises EListError
// "Listenindex überschreitet das Maximum (%d)". Finding and sorting ignore letter case and
// follow the user's locale.
#include <string>
#include <vector>

// Base of the records that hang off text lists; lets owners tell record kinds apart.
struct TRecord {
  virtual ~TRecord() = default;
};

class TStringList {
public:
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  bool Empty() const noexcept { return FItems.empty(); }

  const std::wstring& Strings(int index) const;
  void SetString(int index, std::wstring text);
  int Integers(int index) const;
  void SetInteger(int index, int value);
  TRecord* Objects(int index) const;
  void SetObject(int index, TRecord* record);

  // Returns the position of the new entry.
  int Add(std::wstring text, int value = 0, TRecord* record = nullptr);
  // index may equal Count (append).
  void Insert(int index, std::wstring text, int value = 0, TRecord* record = nullptr);
  void Delete(int index);
  void Clear() noexcept { FItems.clear(); }

  // Position of the first entry equal to text (letter case ignored), or -1.
  int IndexOf(const std::wstring& text) const;
  // Stable sort by text (letter case ignored, user's locale).
  void Sort();
  // All texts, each followed by CR LF.
  std::wstring Text() const;

private:
  struct TItem {
    std::wstring Text;
    int Value = 0;
    TRecord* Record = nullptr;
  };
  const TItem& Item(int index) const;
  TItem& Item(int index);

  std::vector<TItem> FItems;
};
