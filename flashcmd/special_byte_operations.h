#pragma once
// Operations on the boot loader's special bytes: reads (with an optional
// expected value) and writes of one byte each, the security levels, the
// signature bytes and the fuse bits. Each keyword makes one library call;
// which bytes a part has is the library's business.
#include <cstdint>

#include "flashcmd/operation.h"

// A keyword of one special byte: its step message and the byte's id.
class CspecialByteOperation : public Coperation {
 public:
  CspecialByteOperation(const char* keyword, const char* message, int specialByteId)
      : Coperation({keyword}), message_(message), specialByteId_(specialByteId) {}

 protected:
  const char* message_;
  int specialByteId_;
};

class CspecialByteReadOperation final : public CspecialByteOperation {
 public:
  using CspecialByteOperation::CspecialByteOperation;

 protected:
  void run(const std::string& keyword) override;
};

class CspecialByteWriteOperation final : public CspecialByteOperation {
 public:
  using CspecialByteOperation::CspecialByteOperation;

 protected:
  void run(const std::string& keyword) override;
};

class CsecurityLevelOperation final : public Coperation {
 public:
  CsecurityLevelOperation(const char* keyword, const char* message, int level)
      : Coperation({keyword}), message_(message), level_(level) {}

 protected:
  void run(const std::string& keyword) override;

 private:
  const char* message_;
  int level_;  // 1 or 2
};

class CsignatureOperation final : public Coperation {
 public:
  CsignatureOperation() : Coperation({"RSIGB"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CfuseOperation final : public Coperation {
 public:
  CfuseOperation(const char* keyword, const char* message, int fuse, bool enable)
      : Coperation({keyword}), message_(message), fuse_(fuse), enable_(enable) {}

 protected:
  void run(const std::string& keyword) override;

 private:
  const char* message_;
  int fuse_;  // 0 OSC, 1 BLJB, 2 X2, 3 SELBOOT
  bool enable_;
};
