#include "EngineState.h"

#include "Exceptions.h"
#include "MessageIds.h"
#include "ResString.h"

int TEngineState::AddDefaultDir(std::wstring path, std::unique_ptr<TDefaultDirEx> record) {
  TDefaultDirEx* attached = record.get();
  FDefaultDirRecords.push_back(std::move(record));
  return FDefaultDirs.Add(std::move(path), 0, attached);
}

TDefaultDirEx& TEngineState::DefaultDirRecord(int index) const {
  auto* record = dynamic_cast<TDefaultDirEx*>(FDefaultDirs.Objects(index));
  // An entry without a record was not added through AddDefaultDir; treat it like a bad
  // index rather than hand out a null record.
  if (!record) throw EListError(FmtLoadStr(SListIndexError, {index}));
  return *record;
}

TCreateDirEx* TEngineState::CreateDirRecord(int index) const {
  return dynamic_cast<TCreateDirEx*>(&DefaultDirRecord(index));
}
