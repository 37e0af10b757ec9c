#pragma once
// A scripted answerer for message dialogs in tests. While a TScriptedDialogs object lives,
// every MessageDialog / MessageDialogFmt / MessageDialogEx call shows nothing: the dialog
// as it would appear (type, title, prepared text, buttons in order with their results,
// which is default and which answers Escape) is recorded, and the next queued answer is
// returned. With the queue empty the dialog is answered as Enter would answer it: the
// default button's result, or mrNone when it has no default button.
//
//   TScriptedDialogs dialogs({mrYes});            // the first question is answered Yes
//   RunSomething();
//   ASSERT_EQ(dialogs.Count(), 1u);
//   EXPECT_EQ(dialogs[0].DlgType, mtConfirmation);
//   EXPECT_NE(dialogs[0].Text.find(L"abbrechen"), std::wstring::npos);
//
// The previous responder (normally none, which shows real dialogs) is restored on
// destruction. One object at a time; not for use across threads.
#include <cstddef>
#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include "QXDialogs.h"

class TScriptedDialogs {
public:
  explicit TScriptedDialogs(std::initializer_list<int> answers = {});
  ~TScriptedDialogs();
  TScriptedDialogs(const TScriptedDialogs&) = delete;
  TScriptedDialogs& operator=(const TScriptedDialogs&) = delete;

  // Appends an answer (a modal result such as mrYes) to the queue.
  void Answer(int modalResult) { FAnswers.push_back(modalResult); }
  // Answers not used yet.
  std::size_t PendingAnswers() const { return FAnswers.size(); }

  // Every dialog asked for so far, in order.
  const std::vector<TDialogSpec>& Dialogs() const { return FDialogs; }
  std::size_t Count() const { return FDialogs.size(); }
  const TDialogSpec& operator[](std::size_t index) const { return FDialogs.at(index); }
  // The texts of all dialogs, joined by "\n---\n": handy in failure output.
  std::wstring AllTexts() const;
  void Clear() { FDialogs.clear(); }

  // The modal result of the spec's default button, or mrNone.
  static int DefaultAnswer(const TDialogSpec& spec);

private:
  int Respond(const TDialogSpec& spec);

  std::deque<int> FAnswers;
  std::vector<TDialogSpec> FDialogs;
  TDialogResponder FPrevious;
};
