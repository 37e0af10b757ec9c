// ReadSetupScript on scripts written into a temporary program directory.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "EngineState.h"
#include "Exceptions.h"
#include "Language.h"
#include "QXFiles.h"
#include "ScriptColors.h"
#include "ScriptReader.h"
#include "ScriptTestSupport.h"
#include "StrUtils.h"
#include "TextConv.h"

namespace {
class ScriptReaderTest : public ::testing::Test {
protected:
  void SetUp() override { SetCurrentLanguage(LANG_ID_GERMAN); }
  void TearDown() override { SetCurrentLanguage(LANG_ID_GERMAN); }

  void WriteIni(const std::wstring& text) { WriteFileBytes(Dir.File(L"setup.ini"), Utf16Bytes(text)); }
  void WriteDat(const std::wstring& text) { WriteFileBytes(Dir.File(L"setup.dat"), Utf16Bytes(text)); }
  void Read() { ReadSetupScript(State, TScriptEnvironment{Dir.Path(), Args, true}); }
  // The message of the error reading raises, or "(no error)".
  std::wstring ReadError() { return ReadError(State); }
  std::wstring ReadError(TEngineState& state) {
    try {
      ReadSetupScript(state, TScriptEnvironment{Dir.Path(), Args, true});
    } catch (const Exception& e) {
      return e.Message();
    }
    return L"(no error)";
  }

  TTempDir Dir;
  TEngineState State;
  TCmdArgs Args;
};

std::wstring ProgramFilesX86() { return TrimRightChars(GetSpecialFolder(CSIDL_PROGRAM_FILESX86), L"\\"); }
}  // namespace

TEST_F(ScriptReaderTest, DirectoryIndexesFollowTheSortedLinesInTwoBlocks) {
  WriteIni(L"[DefaultDestDirs]\r\n2=C:\\Two\r\n10=C:\\Ten\r\n1=C:\\One\r\n"
           L"[CaptionsForDestDirs]\r\n1=Programm\r\nb=Daten\r\n"
           L"[CreateDirs]\r\nb=Data|2\r\na=Logs\\Old|0|ignored\r\n");
  Read();
  const wchar_t* paths[] = {L"C:\\One", L"C:\\Ten", L"C:\\Two", L"", L""};
  ASSERT_EQ(State.FDefaultDirs.Count(), 5);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(State.FDefaultDirs.Strings(i), paths[i]);
    EXPECT_EQ(State.CreateDirRecord(i) != nullptr, i >= 3);
  }
  EXPECT_EQ(State.DefaultDirRecord(0).Caption, L"Programm");
  EXPECT_EQ(State.CreateDirRecord(3)->SubDir, L"Logs\\Old");
  EXPECT_EQ(State.CreateDirRecord(3)->DefaultDirIndex, 0);
  EXPECT_EQ(State.CreateDirRecord(3)->Caption, L"Verzeichnis");
  EXPECT_EQ(State.CreateDirRecord(4)->SubDir, L"Data");
  EXPECT_EQ(State.CreateDirRecord(4)->DefaultDirIndex, 2);
  EXPECT_EQ(State.CreateDirRecord(4)->Caption, L"Daten");
}

TEST_F(ScriptReaderTest, FilesAndLockedFilesSplitTheirKeys) {
  WriteIni(L"[Files]\r\nsub\\dir\\a.dll=1\r\nb.exe=0\r\nC:c.txt=2\r\nx\\y:z.ini=$10\r\n"
           L"[LockedFiles]\r\nbin\\tool.dll=3\r\n");
  Read();
  struct TRow {
    const wchar_t* Name;
    const wchar_t* Dir;
    int Index;
  };
  const TRow rows[] = {{L"a.dll", L"sub\\dir\\", 1}, {L"b.exe", L"", 0}, {L"c.txt", L"C:", 2}, {L"z.ini", L"x\\y:", 16}};
  ASSERT_EQ(State.FFiles.Count(), 4);
  ASSERT_EQ(State.FDirs.Count(), 4);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(State.FFiles.Strings(i), rows[i].Name);
    EXPECT_EQ(State.FDirs.Strings(i), rows[i].Dir);
    EXPECT_EQ(State.FDirs.Integers(i), rows[i].Index);
  }
  ASSERT_EQ(State.FLockedFiles.Count(), 1);
  EXPECT_EQ(State.FLockedFiles.Strings(0), L"bin\\tool.dll");
  EXPECT_EQ(State.FLockedFiles.Integers(0), 3);
}

TEST_F(ScriptReaderTest, DataMacros) {
  struct TRow {
    const char* Name;
    const wchar_t* Text;
    const wchar_t* Expected;  // or the error message
  };
  const TRow rows[] = {
      {"case-insensitive name", L"Version $$$VERSION$$$", L"Version 2.3"},
      {"two macros", L"$$$Version$$$-$$$Name$$$!", L"2.3-Demo!"},
      {"unclosed name at the end", L"V $$$Version", L"V 2.3"},
      {"$$$ at the very end", L"V $$$Version$$$ $$$", L"V 2.3 "},
      {"empty name", L"a$$$$$$b", L"Wert für  nicht gefunden."},
      {"unknown name", L"$$$Nope$$$", L"Wert für Nope nicht gefunden."},
      {"values are not scanned again", L"$$$Loop$$$", L"$$$Name$$$"},
      {"no macro", L"50% $$ off", L"50% $$ off"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    TEngineState state;
    WriteIni(std::wstring(L"[Setup]\r\nProduct=") + row.Text + L"\r\n");
    WriteDat(L"[Data]\r\nversion=2.3\r\nName=Demo\r\nLoop=$$$Name$$$\r\n=\r\n");
    try {
      ReadSetupScript(state, TScriptEnvironment{Dir.Path(), Args, true});
      EXPECT_EQ(state.FProduct, row.Expected);
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), row.Expected);
    }
  }
}

TEST_F(ScriptReaderTest, WithoutDataFileEveryMacroFails) {
  WriteIni(L"[Setup]\r\nProduct=$$$Version$$$\r\n");
  EXPECT_EQ(ReadError(), L"Wert für Version nicht gefunden.");
}

TEST_F(ScriptReaderTest, PageTextsTurnBarsIntoLineBreaksBeforeMacros) {
  WriteIni(L"[Welcome]\r\nText=Willkommen|$$$name$$$\r\n[Finished]\r\nTextSuccess=a|b\r\n"
           L"[Setup]\r\nBottomCaption=$$$Name$$$|x\r\nProduct=p|q\r\nIcon=  'pic.bmp'  \r\n");
  WriteDat(L"[Data]\r\nNAME=eins|zwei\r\n");
  Read();
  EXPECT_EQ(State.FWelcomeText, L"Willkommen\r\neins|zwei");
  EXPECT_EQ(State.FTextSuccess, L"a\r\nb");
  EXPECT_EQ(State.FBottomCaption, L"$$$Name$$$|x");  // no macros, no line breaks
  EXPECT_EQ(State.FProduct, L"p|q");
  EXPECT_EQ(State.FIcon, L"pic.bmp");
}

TEST_F(ScriptReaderTest, FolderMacros) {
  ASSERT_FALSE(ProgramFilesX86().empty());
  struct TRow {
    const char* Name;
    std::wstring Value;
    std::wstring Expected;  // the directory, or the error message
  };
  const std::wstring missing = Dir.File(L"missing");
  const TRow rows[] = {
      // The 32-bit program-files folder, also in a 64-bit process.
      {"PROGFILES", L"%PROGFILES%\\App", ProgramFilesX86() + L"\\App"},
      {"letter case", L"%progFiles%\\App", ProgramFilesX86() + L"\\App"},
      {"COMMON_DOCUMENTS", L"%COMMON_DOCUMENTS%\\x",
       TrimRightChars(GetSpecialFolder(CSIDL_COMMON_DOCUMENTS), L"\\") + L"\\x"},
      {"existing second candidate", L"%PROGFILES%\\NoSuchApp|" + Dir.Path(), Dir.Path()},
      {"none exists: the first", missing + L"|C:\\NoSuch", missing},
      {"unknown macro", L"%WINDIR%\\x", L"Wert für WINDIR nicht gefunden."},
      {"unclosed macro", L"C:\\100%", L"C:\\100"},
      {"unclosed unknown macro", L"C:\\a%b", L"Wert für B nicht gefunden."},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    TEngineState state;
    WriteIni(L"[DefaultDestDirs]\r\nA=" + row.Value + L"\r\n");
    try {
      ReadSetupScript(state, TScriptEnvironment{Dir.Path(), Args, true});
      ASSERT_EQ(state.FDefaultDirs.Count(), 1);
      EXPECT_EQ(state.FDefaultDirs.Strings(0), row.Expected);
      EXPECT_EQ(state.DefaultDirRecord(0).DefaultDir, row.Expected);
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), row.Expected);
    }
  }
}

TEST_F(ScriptReaderTest, CommandLineDirectoriesOnlyForExedirAndDatadir) {
  struct TRow {
    const char* Name;
    const wchar_t* RegKey;
    TCmdArgs Args;
    const wchar_t* Expected;
  };
  const TRow rows[] = {
      {"APPDIR for exedir", L"NoVendor\\App\\ExeDir", {L"/APPDIR=C:\\X"}, L"C:\\X"},
      {"DATADIR for datadir", L"NoVendor\\App\\datadir", {L"DATADIR=D:\\Data", L"/APPDIR=C:\\X"}, L"D:\\Data"},
      {"APPDIR not for datadir", L"NoVendor\\App\\datadir", {L"/APPDIR=C:\\X"}, L"C:\\Default"},
      {"APPDIR not for other values", L"NoVendor\\App\\exedirs", {L"/APPDIR=C:\\X"}, L"C:\\Default"},
      {"empty APPDIR", L"NoVendor\\App\\exedir", {L"/APPDIR="}, L"C:\\Default"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    TEngineState state;
    WriteIni(std::wstring(L"[DefaultDestDirs]\r\nA=C:\\Default|C:\\Other\r\n[LookUpRegistryForDestDirs]\r\nA=") +
             row.RegKey + L"\r\n");
    ReadSetupScript(state, TScriptEnvironment{Dir.Path(), row.Args, true});
    EXPECT_EQ(state.FDefaultDirs.Strings(0), row.Expected);
    EXPECT_FALSE(state.DefaultDirRecord(0).RegKeyFound);
    // Also a directory from the command line keeps one default to fall back to.
    EXPECT_EQ(state.DefaultDirRecord(0).DefaultDir, L"C:\\Default");
  }
}

TEST_F(ScriptReaderTest, EnglishOverridesSingleKeys) {
  SetCurrentLanguage(LANG_ID_ENGLISH);
  WriteIni(L"[Setup]\r\nProduct=Produkt\r\nSubCaption=Untertitel\r\nIcon=de.bmp\r\n"
           L"[Setup_Eng]\r\nProduct=Product\r\nIcon=en.bmp\r\n"
           L"[Welcome]\r\nText=Hallo\r\n"
           L"[DefaultDestDirs]\r\n1=C:\\A\r\n[CaptionsForDestDirs]\r\n1=Programm\r\nn=Neu\r\n"
           L"[CaptionsForDestDirs_Eng]\r\n1=Program\r\n[CreateDirs]\r\nn=x|0\r\nm=y|0\r\n");
  Read();
  EXPECT_EQ(State.FProduct, L"Product");
  EXPECT_EQ(State.FSubCaption, L"Untertitel");
  EXPECT_EQ(State.FWelcomeText, L"Hallo");  // no Welcome_Eng: the German text
  EXPECT_EQ(State.FIcon, L"de.bmp");        // Icon has no language variant
  EXPECT_EQ(State.DefaultDirRecord(0).Caption, L"Program");
  EXPECT_EQ(State.DefaultDirRecord(1).Caption, L"Verzeichnis");  // m: the built-in default
  EXPECT_EQ(State.DefaultDirRecord(2).Caption, L"Neu");
}

TEST_F(ScriptReaderTest, DataSectionIsChosenWhole) {
  struct TRow {
    const char* Name;
    int Language;
    const wchar_t* Data;
    const wchar_t* Expected;
  };
  const TRow rows[] = {
      {"English takes Data_Eng", LANG_ID_ENGLISH, L"[Data]\r\nA=de\r\nB=b\r\n[Data_Eng]\r\nA=en\r\n", L"en"},
      {"German takes Data", LANG_ID_GERMAN, L"[Data]\r\nA=de\r\n[Data_Eng]\r\nA=en\r\n", L"de"},
      {"empty Data_Eng: Data", LANG_ID_ENGLISH, L"[Data]\r\nA=de\r\n[Data_Eng]\r\n", L"de"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    SetCurrentLanguage(row.Language);
    TEngineState state;
    WriteIni(L"[Setup]\r\nProduct=$$$a$$$\r\n");
    WriteDat(row.Data);
    ReadSetupScript(state, TScriptEnvironment{Dir.Path(), Args, true});
    EXPECT_EQ(state.FProduct, row.Expected);
  }
  // A key missing from Data_Eng is not taken from Data.
  SetCurrentLanguage(LANG_ID_ENGLISH);
  WriteIni(L"[Setup]\r\nProduct=$$$B$$$\r\n");
  WriteDat(L"[Data]\r\nA=de\r\nB=b\r\n[Data_Eng]\r\nA=en\r\n");
  EXPECT_EQ(ReadError(), L"Wert für B nicht gefunden.");
}

TEST_F(ScriptReaderTest, FailureMessagesInStepOrder) {
  struct TRow {
    const char* Name;
    const wchar_t* Ini;  // nullptr: no setup.ini
    const wchar_t* Expected;
  };
  const TRow rows[] = {
      {"no setup.ini", nullptr, L"Die Initalisierungsdatei wurde nicht gefunden."},
      {"folder macro before CreateDirs", L"[DefaultDestDirs]\r\n1=%X%\r\n[CreateDirs]\r\na=b\r\n",
       L"Wert für X nicht gefunden."},
      {"CreateDirs without bar", L"[CreateDirs]\r\na=sub\r\n[Files]\r\nf=x\r\n", L"Invalid CreateDir specification."},
      {"CreateDirs index no integer", L"[CreateDirs]\r\na=sub|one\r\n", L"Invalid CreateDir specification."},
      {"Files before LockedFiles", L"[Files]\r\nf=x\r\n[LockedFiles]\r\ng=y\r\n", L"Invalid directory specification."},
      {"Files index too large", L"[Files]\r\nf=99999999999\r\n", L"Invalid directory specification."},
      {"LockedFiles", L"[LockedFiles]\r\ng=\r\n", L"Invalid directory specification."},
      {"macro in Product before LockedFilesMsg", L"[Setup]\r\nProduct=$$$a$$$\r\nLockedFilesMsg=$$$b$$$\r\n",
       L"Wert für a nicht gefunden."},
      {"macro in LockedFilesMsg", L"[Setup]\r\nLockedFilesMsg=$$$b$$$\r\n[Welcome]\r\nText=$$$c$$$\r\n",
       L"Wert für b nicht gefunden."},
      {"macro in a finished text", L"[Finished]\r\nTextFailureSolution=$$$d$$$\r\n", L"Wert für d nicht gefunden."},
      {"wrong entries read as raw lines", L"[CreateRegKeys]\r\nX=\"a\r\n[NeededFileVersions]\r\nf=q|1.x\r\n",
       L"(no error)"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    DeleteFileW(Dir.File(L"setup.ini").c_str());
    if (row.Ini) WriteIni(row.Ini);
    TEngineState state;
    EXPECT_EQ(ReadError(state), row.Expected);
  }
}

TEST_F(ScriptReaderTest, EntriesBeforeAFailureStayWithTheirRecords) {
  WriteIni(L"[DefaultDestDirs]\r\n1=C:\\A\r\n2=C:\\B\r\n[CreateDirs]\r\na=x|0\r\nb=y\r\nc=z|1\r\n");
  EXPECT_EQ(ReadError(), L"Invalid CreateDir specification.");
  ASSERT_EQ(State.FDefaultDirs.Count(), 3);
  EXPECT_EQ(State.CreateDirRecord(2)->SubDir, L"x");
}

TEST_F(ScriptReaderTest, ListsAndRawLines) {
  WriteIni(L"[ProgramsMustNotRun]\r\ntool.exe=Das Werkzeug\r\nother.exe=\r\n"
           L"[DLLsBefore]\r\nhook.dll=before\r\n[DLLsAfter]\r\nC:\\x\\after.dll= a=b \r\n"
           L"[CreateRegKeys]\r\nHKEY_CURRENT_USER\\Software\\V\\Name=\"\"text\"\"\r\nHKEY_LOCAL_MACHINE\\Software\\V\\N=5\r\n"
           L"[NeededFileVersions]\r\nbin\\a.dll=0|1.2.3 beta\r\n");
  Read();
  ASSERT_EQ(State.FProgramsMustNotRun.size(), 2u);
  EXPECT_EQ(State.FProgramsMustNotRun[0]->ExeName, L"tool.exe");
  EXPECT_EQ(State.FProgramsMustNotRun[0]->Caption, L"Das Werkzeug");
  EXPECT_EQ(State.FProgramsMustNotRun[1]->Caption, L"");
  ASSERT_EQ(State.FDLLsBefore.size(), 1u);
  EXPECT_EQ(State.FDLLsBefore[0]->Param, L"before");
  ASSERT_EQ(State.FDLLsAfter.size(), 1u);
  EXPECT_EQ(State.FDLLsAfter[0]->FileName, L"C:\\x\\after.dll");
  EXPECT_EQ(State.FDLLsAfter[0]->Param, L"a=b");
  ASSERT_EQ(State.FCreateRegKeys.Count(), 2);
  EXPECT_EQ(State.FCreateRegKeys.Strings(0), L"HKEY_CURRENT_USER\\Software\\V\\Name=\"text\"");
  EXPECT_EQ(State.FCreateRegKeys.Strings(1), L"HKEY_LOCAL_MACHINE\\Software\\V\\N=5");
  ASSERT_EQ(State.FNeededFileVersions.Count(), 1);
  EXPECT_EQ(State.FNeededFileVersions.Strings(0), L"bin\\a.dll=0|1.2.3 beta");
}

TEST(ScriptColors, ColorFromName) {
  struct TRow {
    const wchar_t* Name;
    TColorValue Expected;
  };
  const TRow rows[] = {
      {L"blue", 0xFF0000},   {L"Window", 0xFF000005}, {L"BLACK", 0x000000}, {L"white", 0xFFFFFF},
      {L"red", 0x0000FF},    {L"GrEeN", 0x008000},    {L"blau", std::nullopt}, {L"", std::nullopt},
      {L"$FF0000", std::nullopt}, {L"16711680", std::nullopt}, {L" blue", std::nullopt},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(WideToUtf8(row.Name));
    EXPECT_EQ(ColorFromName(row.Name), row.Expected);
  }
}

TEST_F(ScriptReaderTest, ColoursAreReadFromSetup) {
  WriteIni(L"[Setup]\r\nColorHeader=blue\r\nColorBody=Blau\r\nColorFooterFont=WINDOW\r\n"
           L"[Setup_Eng]\r\nColorHeader=red\r\n");
  SetCurrentLanguage(LANG_ID_ENGLISH);
  Read();
  EXPECT_EQ(State.FColorHeader, TColorValue(0xFF0000));  // no language variant
  EXPECT_EQ(State.FColorHeaderFont, std::nullopt);
  EXPECT_EQ(State.FColorBody, std::nullopt);
  EXPECT_EQ(State.FColorFooterFont, TColorValue(0xFF000005));
}

TEST(EngineState, StartsEmptyAndOwnsTheDirectoryRecords) {
  TEngineState state;
  EXPECT_EQ(state.FPage, 0);
  EXPECT_TRUE(state.FFiles.Empty() && state.FDirs.Empty() && state.FDefaultDirs.Empty());
  EXPECT_TRUE(state.FProgramsMustNotRun.empty() && state.FDLLsBefore.empty() && state.FDLLsAfter.empty());
  EXPECT_FALSE(state.FColorHeader.has_value());
  EXPECT_EQ(state.AddDefaultDir(L"C:\\A", std::make_unique<TDefaultDirEx>()), 0);
  EXPECT_EQ(state.AddDefaultDir(L"", std::make_unique<TCreateDirEx>()), 1);
  EXPECT_EQ(state.CreateDirRecord(0), nullptr);
  EXPECT_NE(state.CreateDirRecord(1), nullptr);
  EXPECT_THROW(state.DefaultDirRecord(2), EListError);
  state.FDefaultDirs.Add(L"no record");
  EXPECT_THROW(state.DefaultDirRecord(2), EListError);
}
