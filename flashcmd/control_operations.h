#pragma once
// Operations that steer the run rather than move memory contents: START the
// application, WAIT, ECHO a comment, the reply TIMEOUT of the next exchange,
// and CANOPEN / CANCLOSE of a node on a CAN bus.
#include "flashcmd/operation.h"

class CstartOperation final : public Coperation {
 public:
  CstartOperation() : Coperation({"START"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CwaitOperation final : public Coperation {
 public:
  CwaitOperation() : Coperation({"WAIT"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CechoOperation final : public Coperation {
 public:
  CechoOperation() : Coperation({"ECHO"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CcanOpenOperation final : public Coperation {
 public:
  CcanOpenOperation() : Coperation({"CANOPEN"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CcanCloseOperation final : public Coperation {
 public:
  CcanCloseOperation() : Coperation({"CANCLOSE"}) {}

 protected:
  void run(const std::string& keyword) override;
};

class CtimeoutOperation final : public Coperation {
 public:
  CtimeoutOperation() : Coperation({"TIMEOUT"}) {}

 protected:
  void run(const std::string& keyword) override;
};
