#pragma once
// The operations of the "-operation" list. Each keyword is carried out by
// one operation object; the registry offers a keyword to them in a fixed
// order and the first that claims it runs.
#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class Coperation {
 public:
  explicit Coperation(std::initializer_list<const char*> keywords) : keywords_(keywords.begin(), keywords.end()) {}
  virtual ~Coperation() = default;
  Coperation(const Coperation&) = delete;
  Coperation& operator=(const Coperation&) = delete;

  // 0 when the (upper-cased) keyword is not this operation's; otherwise it
  // becomes the current keyword, the operation runs, and the result is nonzero.
  int execute(const std::string& keyword);

  bool claims(const std::string& keyword) const;
  const std::vector<std::string>& keywords() const { return keywords_; }

 protected:
  virtual void run(const std::string& keyword) = 0;

 private:
  std::vector<std::string> keywords_;
};

// The one record a long operation hands to its worker thread.
struct WorkerTask {
  int start = 0;
  int end = 0;
  std::atomic<std::uint8_t> done{0};
  std::uint8_t rangeMode = 0;  // 1 for PROGRAM_RANGE, 0 for PROGRAM; READ and VERIFY keep it
};

extern WorkerTask workerTask;

// All 58 operations in dispatch order.
extern const std::vector<Coperation*> operationRegistry;

// Runs the operation that claims the keyword. An unclaimed keyword is
// refused by refuseKeyword.
int dispatchOperation(const std::string& keyword);

// Prints the keyword in red and ends the run with STATUS 14 ("Command does
// not exist.").
[[noreturn]] void refuseKeyword(const std::string& keyword);

// The next word of the operation list (wordIndex moves forward to it);
// throws CoptionStore::NotFound when the list has ended.
std::string nextWord();
// The next word, or `fallback` when the list has ended.
std::string nextWordOr(const std::string& fallback);
// The same as nextWord, with the text failure "Invalid or missing argument." instead.
std::string requiredWord();

// The next word read as a number word; a missing word or one that is not a
// number throws "Invalid or missing argument.".
std::uint32_t requiredNumber();

// The word read as a number word; a word that is not one throws the text
// failure `refusal`.
std::uint32_t numberOrRefuse(const std::string& word, const char* refusal);
// The same for a byte: a number above 0xFF is refused too, never cut to
// its low byte.
std::uint8_t byteOrRefuse(const std::string& word, const char* refusal);
