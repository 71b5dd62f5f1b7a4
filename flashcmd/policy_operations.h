#pragma once
// ONFAIL and ASSERT: how failures are handled and how results are judged
// from here on. They print nothing.
#include "flashcmd/operation.h"

class ConFailOperation final : public Coperation {
 public:
  ConFailOperation() : Coperation({"ONFAIL"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CassertOperation final : public Coperation {
 public:
  CassertOperation() : Coperation({"ASSERT"}) {}

 protected:
  void run(const std::string& keyword) override;
};
