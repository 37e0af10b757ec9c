#pragma once
// Format texts with the message table's placeholder syntax:
//   %s text, %d decimal, %u unsigned decimal, %x hexadecimal, %% a percent sign,
//   optionally "%<index>:" before the type (%0:s, %1:d) and "-", width and ".precision"
//   as in "%-10s" or "%.3d". After an indexed placeholder the next plain one takes the
//   following argument. A format that does not fit its arguments raises EConvertError
//   with the program's message instead of reading past them.
#include <initializer_list>
#include <string>
#include <variant>

class TFormatArg {
public:
  TFormatArg(const wchar_t* text) : FValue(std::wstring(text ? text : L"")) {}
  TFormatArg(std::wstring text) : FValue(std::move(text)) {}
  TFormatArg(std::wstring_view text) : FValue(std::wstring(text)) {}
  TFormatArg(int value) : FValue(static_cast<long long>(value)) {}
  TFormatArg(long value) : FValue(static_cast<long long>(value)) {}
  TFormatArg(long long value) : FValue(value) {}
  TFormatArg(unsigned value) : FValue(static_cast<long long>(value)) {}
  TFormatArg(unsigned long value) : FValue(static_cast<long long>(value)) {}

  bool IsText() const noexcept { return std::holds_alternative<std::wstring>(FValue); }
  const std::wstring& Text() const { return std::get<std::wstring>(FValue); }
  long long Number() const { return std::get<long long>(FValue); }

private:
  std::variant<std::wstring, long long> FValue;
};

std::wstring Format(const std::wstring& format, std::initializer_list<TFormatArg> args);
