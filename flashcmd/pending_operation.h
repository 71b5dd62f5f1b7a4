#pragma once
// An operation of the list that this build cannot carry out yet: it keeps
// its place in the registry and refuses its keyword as the dispatcher
// refuses an unknown one.
#include "flashcmd/operation.h"

class CpendingOperation final : public Coperation {
 public:
  explicit CpendingOperation(const char* keyword) : Coperation({keyword}) {}

 protected:
  void run(const std::string& keyword) override { refuseKeyword(keyword); }
};
