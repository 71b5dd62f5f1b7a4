#pragma once
// SERIALIZE (from a command file only): a serial number into the buffer of
// the selected memory and onto the target, and the next number into the
// command file for the next run.
#include "flashcmd/operation.h"

class CserializeOperation final : public Coperation {
 public:
  CserializeOperation() : Coperation({"SERIALIZE"}) {}

 protected:
  void run(const std::string& keyword) override;
};
