#pragma once
// A small JSON reader for tests that check the output of console programs. It accepts
// exactly the JSON grammar and raises std::runtime_error on anything else.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct TJson {
  enum TKind { Null, Bool, Number, String, Array, Object } Kind = Null;
  bool BoolValue = false;
  double NumberValue = 0;
  std::wstring StringValue;  // UTF-16, escapes resolved
  std::vector<TJson> Items;
  std::map<std::string, TJson> Members;

  // The member name, or an error when this is no object or it has no such member.
  const TJson& operator[](const std::string& name) const;
  const TJson& operator[](size_t index) const;
};

// Parses one JSON value (with surrounding white space) from UTF-8 text.
TJson ParseJson(std::string_view text);
