#pragma once
// The timed part of the transfer benchmarks: programming and verifying the
// first `bytes` addresses of the connected part through the exports, and the
// table of rates beside the limits the line sets.
#include <chrono>
#include <cstdio>
#include <optional>

struct TransferTimes {
  double programSeconds = 0;
  double verifySeconds = 0;
};

// Programs, then verifies 0 .. bytes - 1; nullopt, with the failing step
// and its status on standard error, when one fails.
template <class Program, class Verify, class LastError>
std::optional<TransferTimes> timeProgramAndVerify(unsigned bytes, Program program, Verify verify,
                                                  LastError lastError) {
  using Clock = std::chrono::steady_clock;
  const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
  const int last = static_cast<int>(bytes) - 1;
  const Clock::time_point start = Clock::now();
  if (!program(0, last, 0)) {
    std::fprintf(stderr, "programming failed: status %d\n", lastError());
    return std::nullopt;
  }
  const Clock::time_point programmed = Clock::now();
  if (!verify(0, last)) {
    std::fprintf(stderr, "verify failed: status %d\n", lastError());
    return std::nullopt;
  }
  return TransferTimes{seconds(programmed - start), seconds(Clock::now() - programmed)};
}

// Bytes per second of program, verify and both, each beside its limit.
inline void printRates(unsigned bytes, const TransferTimes& times, double programLimit, double verifyLimit) {
  const double bothLimit = bytes / (bytes / programLimit + bytes / verifyLimit);
  const double programRate = bytes / times.programSeconds;
  const double verifyRate = bytes / times.verifySeconds;
  const double bothRate = bytes / (times.programSeconds + times.verifySeconds);
  std::printf("%-18s %10s %12s %8s\n", "", "bytes/s", "line limit", "share");
  std::printf("%-18s %10.0f %12.0f %7.1f%%\n", "program", programRate, programLimit, 100 * programRate / programLimit);
  std::printf("%-18s %10.0f %12.0f %7.1f%%\n", "verify", verifyRate, verifyLimit, 100 * verifyRate / verifyLimit);
  std::printf("%-18s %10.0f %12.0f %7.1f%%\n", "program + verify", bothRate, bothLimit, 100 * bothRate / bothLimit);
  std::printf("times: program %.2f s, verify %.2f s\n", times.programSeconds, times.verifySeconds);
}
