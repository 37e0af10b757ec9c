// The text of the general error display: when a full stop is appended.
#include <gtest/gtest.h>

#include "ErrorDisplay.h"

TEST(ErrorDisplayText, AppendsAFullStopOnlyAfterCharactersAboveIt) {
  struct TCase {
    const wchar_t* Message;
    const wchar_t* Shown;
  } const cases[] = {
      {L"", L""},                                              // nothing to end
      {L"Das Modul x.dll kann nicht geladen werden", L"Das Modul x.dll kann nicht geladen werden."},
      {L"Ende.", L"Ende."},                                    // already ends with one
      {L"Fehler 5", L"Fehler 5."},                             // digits lie above "."
      {L"Datei \"a\"", L"Datei \"a\""},                        // '"' lies below "."
      {L"Trailing blank ", L"Trailing blank "},                // a blank lies below "."
      {L"Line\r\n", L"Line\r\n"},                              // control characters too
      {L"Frage?", L"Frage?."},                                 // '?' lies above "."
      {L"Pfad C:\\App\\", L"Pfad C:\\App\\."},
      {L"Komma,", L"Komma,"},                                  // ',' lies below "."
      {L"Schr\u00E4gstrich/", L"Schr\u00E4gstrich/."},         // '/' is the first above "."
      {L"Gr\u00F6\u00DFe", L"Gr\u00F6\u00DFe."},                // letters beyond ASCII
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.Message)));
    EXPECT_EQ(ErrorDisplayText(c.Message), c.Shown);
  }
}
