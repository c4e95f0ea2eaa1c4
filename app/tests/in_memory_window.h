#pragma once
// A MainWindowPort that holds the two boxes' texts in memory and records what the handlers asked
// of the window, for tests of the lookup without a toolkit.

#include <vector>

#include "app/lookup.h"

namespace zicha::testing {

struct InMemoryWindow final : MainWindowPort {
  Text email, result = Text("previous answer");
  std::vector<ControlId> focusMoves;
  int closeRequests = 0, busyOn = 0, busyOff = 0;
  Text EmailText() override { return email; }
  void SetResultText(const Text& text) override { result = text; }
  void RequestClose() override { ++closeRequests; }
  void FocusControl(ControlId id) override { focusMoves.push_back(id); }
  void SetBusy(bool busy) override { ++(busy ? busyOn : busyOff); }
};

}  // namespace zicha::testing
