#pragma once
// A small action: caption, enabled state, hint and visibility that linked controls take
// over, and a handler that runs when a control executes it. Controls register as clients
// and are told of every change; an action that goes away unlinks its clients first.
#include <functional>
#include <string>
#include <vector>

class TAction;

class TActionClient {
public:
  // checkDefaults: fill in only values that the control has not set itself.
  virtual void ActionChange(const TAction& action, bool checkDefaults) = 0;
  // The action is being destroyed; the client must forget it.
  virtual void ActionGone(const TAction& action) noexcept = 0;

protected:
  ~TActionClient() = default;
};

class TAction {
public:
  TAction() = default;
  ~TAction();
  TAction(const TAction&) = delete;
  TAction& operator=(const TAction&) = delete;

  const std::wstring& Caption() const noexcept { return FCaption; }
  void SetCaption(const std::wstring& value);
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool value);
  const std::wstring& Hint() const noexcept { return FHint; }
  void SetHint(const std::wstring& value);
  bool Visible() const noexcept { return FVisible; }
  void SetVisible(bool value);

  // Runs OnExecute; false when the action is disabled or has no handler.
  bool Execute();
  std::function<void(TAction&)> OnExecute;

  void RegisterClient(TActionClient* client);
  void UnregisterClient(TActionClient* client) noexcept;

private:
  void Changed();

  std::wstring FCaption;
  bool FEnabled = true;
  std::wstring FHint;
  bool FVisible = true;
  std::vector<TActionClient*> FClients;  // not owned
};
