// Malformed scripts never crash the reader: it either succeeds or fails with one of its
// own messages.
#include <gtest/gtest.h>

#include <random>

#include "EngineState.h"
#include "Exceptions.h"
#include "Language.h"
#include "ScriptReader.h"
#include "ScriptTestSupport.h"
#include "TextConv.h"

namespace {
bool IsReaderMessage(const std::wstring& message) {
  static const wchar_t* const fixed[] = {
      L"Die Initalisierungsdatei wurde nicht gefunden.",
      L"Sie verfügen nicht über ausreichende Benutzerrechte zur Ausführung des Setups.",
      L"Invalid CreateDir specification.",
      L"Invalid directory specification.",
      L"Invalid ProgramsMustNotRun specification.",
      L"Invalid DLLsBefore specification.",
      L"Invalid DLLsAfter specification.",
  };
  for (const wchar_t* text : fixed)
    if (message == text) return true;
  const std::wstring head = L"Wert für ";
  const std::wstring tail = L" nicht gefunden.";
  return message.size() >= head.size() + tail.size() && message.compare(0, head.size(), head) == 0 &&
         message.compare(message.size() - tail.size(), tail.size(), tail) == 0;
}

class TScriptGenerator {
public:
  explicit TScriptGenerator(unsigned seed) : FRandom(seed) {}

  std::wstring Script(bool data) {
    static const wchar_t* const iniSections[] = {
        L"DefaultDestDirs", L"LookUpRegistryForDestDirs", L"FilesMustExistInDirs", L"CaptionsForDestDirs",
        L"CaptionsForDestDirs_Eng", L"CreateDirs", L"Files", L"LockedFiles", L"CreateRegKeys",
        L"NeededFileVersions", L"Setup", L"Setup_Eng", L"ProgramsMustNotRun", L"DLLsBefore", L"DLLsAfter",
        L"Welcome", L"Finished", L"Bogus"};
    static const wchar_t* const dataSections[] = {L"Data", L"Data_Eng", L"data"};
    std::wstring text;
    if (Chance(10)) text += Value() + L"\r\n";  // before the first section
    const int sections = Number(1, 8);
    for (int s = 0; s < sections; ++s) {
      text += L"[" + std::wstring(data ? Pick(dataSections) : Pick(iniSections)) + L"]\r\n";
      const int lines = Number(0, 12);
      for (int l = 0; l < lines; ++l) text += Key() + (Chance(90) ? L"=" : L"") + Value() + L"\r\n";
    }
    return text;
  }

  std::string Encode(const std::wstring& text) {
    switch (Number(0, 3)) {
      case 0: return Utf16Bytes(text);
      case 1: return Utf8BomBytes(text);
      case 2: return AnsiBytes(text);
      default: {  // raw bytes thrown in
        std::string bytes = AnsiBytes(text);
        for (int i = Number(1, 20); i > 0; --i)
          bytes.insert(bytes.begin() + Number(0, static_cast<int>(bytes.size())), static_cast<char>(Number(0, 255)));
        return bytes;
      }
    }
  }

private:
  bool Chance(int percent) { return Number(0, 99) < percent; }
  int Number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(FRandom); }
  template <size_t N>
  const wchar_t* Pick(const wchar_t* const (&items)[N]) {
    return items[Number(0, static_cast<int>(N) - 1)];
  }

  std::wstring Key() {
    static const wchar_t* const keys[] = {L"1", L"2", L"10", L"Product", L"Text", L"TextSuccess", L"Key",
                                          L"sub\\a.dll", L"C:x", L"ColorBody", L"Icon", L"A", L"a", L""};
    return Chance(70) ? Pick(keys) : Piece();
  }
  std::wstring Value() {
    std::wstring value;
    for (int i = Number(0, 5); i > 0; --i) value += Piece();
    if (Chance(3)) value += std::wstring(static_cast<size_t>(Number(2000, 5000)), L'x');
    return value;
  }
  std::wstring Piece() {
    static const wchar_t loneSurrogate[] = {static_cast<wchar_t>(0xD800), 0};
    static const wchar_t* const pieces[] = {
        L"|", L"$$$", L"%", L"%PROGFILES%", L"%progfiles%\\App", L"%FOO%", L"$$$A$$$", L"$$$a", L"0", L"-1",
        L"2147483648", L"99999999999999999999", L"$FF", L"0x10", L" ", L"\t", L"\"", L"'", L"=", L"[", L"]",
        L"\\", L"C:\\Dir", L"sub|1", L"\u00e4\u00f6\u00fc", L"\U0001F600", loneSurrogate, L"exedir", L"datadir",
        L"blue", L";", L"\x01"};
    return Pick(pieces);
  }

  std::mt19937 FRandom;
};
}  // namespace

TEST(ScriptFuzz, MalformedScriptsFailWithTheReadersMessages) {
  TTempDir dir;
  TScriptGenerator generator(20240521);
  int failures = 0;
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    SetCurrentLanguage(round % 2 ? LANG_ID_ENGLISH : LANG_ID_GERMAN);
    WriteFileBytes(dir.File(L"setup.ini"), generator.Encode(generator.Script(false)));
    if (round % 3)
      WriteFileBytes(dir.File(L"setup.dat"), generator.Encode(generator.Script(true)));
    else
      DeleteFileW(dir.File(L"setup.dat").c_str());
    TEngineState state;
    // No write-access test: generated registry paths must not land in the prefix.
    try {
      ReadSetupScript(state, TScriptEnvironment{dir.Path(), {L"/APPDIR=C:\\App"}, false});
    } catch (const Exception& e) {
      ++failures;
      EXPECT_TRUE(IsReaderMessage(e.Message())) << WideToUtf8(e.Message());
    }
  }
  SetCurrentLanguage(LANG_ID_GERMAN);
  // The generator must reach both outcomes to be worth anything.
  EXPECT_GT(failures, 0);
  EXPECT_LT(failures, 300);
}
