// A user stand-in for the hand-off tests: records what is shown and asked,
// and answers every question the same way.
#pragma once

#include <string>
#include <vector>

#include "ndim/handoff/HandOffUi.h"

struct RecordingUi : CHandOffUi {
  explicit RecordingUi(bool yes = true) : answer(yes) {}
  void ShowMessage(LPCSTR text) override { messages.push_back(text); }
  bool AskYesNo(LPCSTR text) override {
    questions.push_back(text);
    return answer;
  }
  void UpdateViews() override { ++updates; }

  bool answer;
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  int updates = 0;
};
