#pragma once
// Operations that prepare what the memory operations work on: the memory
// (MEMORY), the working range (ADDRANGE), and the library's buffer of the
// selected memory (LOADBUFFER, SAVEBUFFER, FILLBUFFER).
#include "flashcmd/operation.h"

class CmemoryOperation final : public Coperation {
 public:
  CmemoryOperation() : Coperation({"MEMORY"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CaddRangeOperation final : public Coperation {
 public:
  CaddRangeOperation() : Coperation({"ADDRANGE"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CloadBufferOperation final : public Coperation {
 public:
  CloadBufferOperation() : Coperation({"LOADBUFFER"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CfillBufferOperation final : public Coperation {
 public:
  CfillBufferOperation() : Coperation({"FILLBUFFER"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CsaveBufferOperation final : public Coperation {
 public:
  CsaveBufferOperation() : Coperation({"SAVEBUFFER"}) {}

 protected:
  void run(const std::string& keyword) override;
};
