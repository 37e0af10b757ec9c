#include "DialogResponder.h"

TScriptedDialogs::TScriptedDialogs(std::initializer_list<int> answers) : FAnswers(answers) {
  FPrevious = SetDialogResponder([this](const TDialogSpec& spec) { return Respond(spec); });
}

TScriptedDialogs::~TScriptedDialogs() { SetDialogResponder(std::move(FPrevious)); }

int TScriptedDialogs::Respond(const TDialogSpec& spec) {
  FDialogs.push_back(spec);
  if (FAnswers.empty()) return DefaultAnswer(spec);
  const int answer = FAnswers.front();
  FAnswers.pop_front();
  return answer;
}

int TScriptedDialogs::DefaultAnswer(const TDialogSpec& spec) {
  for (const TDialogButtonSpec& button : spec.Buttons)
    if (button.IsDefault) return button.ModalResult;
  return mrNone;
}

std::wstring TScriptedDialogs::AllTexts() const {
  std::wstring result;
  for (const TDialogSpec& spec : FDialogs) {
    if (!result.empty()) result += L"\n---\n";
    result += spec.Text;
  }
  return result;
}
