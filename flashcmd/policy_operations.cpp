#include "flashcmd/policy_operations.h"

#include "flashcmd/option_checks.h"
#include "flashcmd/run_failure.h"
#include "flashcmd/run_settings.h"

void ConFailOperation::run(const std::string&) {
  const std::string mode = upperCase(requiredWord());
  if (mode != "ASK" && mode != "ABORT" && mode != "RETRY" && mode != "IGNORE")
    throw TextFailure{kInvalidOrMissingArgument};
  settings.onFailMode = mode;
}

void CassertOperation::run(const std::string&) {
  const std::string verdict = upperCase(requiredWord());
  if (verdict == "PASS")
    settings.assertPass = 1;
  else if (verdict == "FAIL")
    settings.assertPass = 0;
  else
    throw TextFailure{kInvalidOrMissingArgument};
}
