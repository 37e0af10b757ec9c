#include "TestJson.h"

#include <stdexcept>

#include "TextConv.h"

namespace {
class TParser {
public:
  explicit TParser(std::string_view text) : FText(text) {}

  TJson Document() {
    TJson value = Value();
    Blanks();
    if (FPos != FText.size()) Fail("text after the value");
    return value;
  }

private:
  [[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string("JSON: ") + what + " at " + std::to_string(FPos));
  }
  void Blanks() {
    while (FPos < FText.size() && (FText[FPos] == ' ' || FText[FPos] == '\t' || FText[FPos] == '\n' ||
                                   FText[FPos] == '\r'))
      ++FPos;
  }
  bool Take(char c) {
    Blanks();
    if (FPos < FText.size() && FText[FPos] == c) {
      ++FPos;
      return true;
    }
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) Fail("unexpected character");
  }
  bool Word(std::string_view word) {
    if (FText.substr(FPos, word.size()) != word) return false;
    FPos += word.size();
    return true;
  }

  TJson Value() {
    Blanks();
    TJson value;
    if (FPos >= FText.size()) Fail("end of text");
    const char c = FText[FPos];
    if (c == '{') {
      ++FPos;
      value.Kind = TJson::Object;
      if (Take('}')) return value;
      do {
        Blanks();
        const std::string name = WideToUtf8(StringLiteral());
        Expect(':');
        value.Members[name] = Value();
      } while (Take(','));
      Expect('}');
    } else if (c == '[') {
      ++FPos;
      value.Kind = TJson::Array;
      if (Take(']')) return value;
      do value.Items.push_back(Value());
      while (Take(','));
      Expect(']');
    } else if (c == '"') {
      value.Kind = TJson::String;
      value.StringValue = StringLiteral();
    } else if (Word("true") || Word("false")) {
      value.Kind = TJson::Bool;
      value.BoolValue = c == 't';
    } else if (Word("null")) {
      value.Kind = TJson::Null;
    } else {
      const size_t start = FPos;
      while (FPos < FText.size() && std::string_view("-+.eE0123456789").find(FText[FPos]) != std::string_view::npos)
        ++FPos;
      if (start == FPos) Fail("no value");
      value.Kind = TJson::Number;
      value.NumberValue = std::stod(std::string(FText.substr(start, FPos - start)));
    }
    return value;
  }

  std::wstring StringLiteral() {
    if (FPos >= FText.size() || FText[FPos] != '"') Fail("no string");
    ++FPos;
    std::string raw;  // UTF-8 runs between escapes
    std::wstring out;
    auto flush = [&] {
      out += Utf8ToWide(raw);
      raw.clear();
    };
    for (;;) {
      if (FPos >= FText.size()) Fail("unterminated string");
      const unsigned char c = static_cast<unsigned char>(FText[FPos++]);
      if (c == '"') break;
      if (c < 0x20) Fail("control character in a string");
      if (c != '\\') {
        raw += static_cast<char>(c);
        continue;
      }
      flush();
      if (FPos >= FText.size()) Fail("unterminated escape");
      const char e = FText[FPos++];
      switch (e) {
        case '"': out += L'"'; break;
        case '\\': out += L'\\'; break;
        case '/': out += L'/'; break;
        case 'b': out += L'\b'; break;
        case 'f': out += L'\f'; break;
        case 'n': out += L'\n'; break;
        case 'r': out += L'\r'; break;
        case 't': out += L'\t'; break;
        case 'u': {
          if (FPos + 4 > FText.size()) Fail("short \\u escape");
          out += static_cast<wchar_t>(std::stoul(std::string(FText.substr(FPos, 4)), nullptr, 16));
          FPos += 4;
          break;
        }
        default: Fail("unknown escape");
      }
    }
    flush();
    return out;
  }

  std::string_view FText;
  size_t FPos = 0;
};
}  // namespace

const TJson& TJson::operator[](const std::string& name) const {
  const auto found = Members.find(name);
  if (Kind != Object || found == Members.end()) throw std::runtime_error("JSON: no member " + name);
  return found->second;
}

const TJson& TJson::operator[](size_t index) const {
  if (Kind != Array || index >= Items.size()) throw std::runtime_error("JSON: no item " + std::to_string(index));
  return Items[index];
}

TJson ParseJson(std::string_view text) { return TParser(text).Document(); }
