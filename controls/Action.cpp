#include "Action.h"

#include <algorithm>

TAction::~TAction() {
  const std::vector<TActionClient*> clients = std::move(FClients);
  for (TActionClient* client : clients) client->ActionGone(*this);
}

void TAction::SetCaption(const std::wstring& value) {
  if (value == FCaption) return;
  FCaption = value;
  Changed();
}

void TAction::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  Changed();
}

void TAction::SetHint(const std::wstring& value) {
  if (value == FHint) return;
  FHint = value;
  Changed();
}

void TAction::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  Changed();
}

bool TAction::Execute() {
  if (!FEnabled || !OnExecute) return false;
  OnExecute(*this);
  return true;
}

void TAction::RegisterClient(TActionClient* client) {
  if (client && std::find(FClients.begin(), FClients.end(), client) == FClients.end()) FClients.push_back(client);
}

void TAction::UnregisterClient(TActionClient* client) noexcept {
  FClients.erase(std::remove(FClients.begin(), FClients.end(), client), FClients.end());
}

void TAction::Changed() {
  // A copy: a client may unlink itself while it takes the change.
  const std::vector<TActionClient*> clients = FClients;
  for (TActionClient* client : clients) client->ActionChange(*this, false);
}
