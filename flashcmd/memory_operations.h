#pragma once
// Operations on the target memory: ERASE and BLANKCHECK on the main thread;
// PROGRAM, PROGRAM_RANGE, READ and VERIFY transfer the working range on a
// worker thread while the main thread shows the progress.
#include "flashcmd/operation.h"

class CeraseOperation final : public Coperation {
 public:
  CeraseOperation() : Coperation({"ERASE"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CblankCheckOperation final : public Coperation {
 public:
  CblankCheckOperation() : Coperation({"BLANKCHECK"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CprogramOperation final : public Coperation {
 public:
  CprogramOperation() : Coperation({"PROGRAM", "PROGRAM_RANGE"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CreadOperation final : public Coperation {
 public:
  CreadOperation() : Coperation({"READ"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CverifyOperation final : public Coperation {
 public:
  CverifyOperation() : Coperation({"VERIFY"}) {}

 protected:
  void run(const std::string& keyword) override;
};
