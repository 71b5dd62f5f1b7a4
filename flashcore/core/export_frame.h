#pragma once
// The frame the exports share: the debug banner, the guard that turns every
// failure into the result 0, and the handling of calls made before ispInit.
#include <cstdint>
#include <new>
#include <string>
#include <utility>

#include "flashcore/core/command_manager.h"
#include "flashcore/core/hex_text.h"
#include "flashcore/core/library_context.h"
#include "flashcore/core/output_channel.h"

namespace exportframe {

inline CcommandManager* manager() { return libraryContext().commandManager(); }

inline std::string text(const char* borrowed) { return borrowed ? std::string(borrowed) : std::string(); }

// "***** name *****"
inline std::string bannerLine(const char* name) { return std::string("***** ") + name + " *****"; }

// "***** name start end\t*****", start and end in lower-case hexadecimal.
inline std::string rangeBannerLine(const char* name, int start, int end) {
  return std::string("***** ") + name + " " + toLowerHex(static_cast<std::uint32_t>(start)) + " " +
         toLowerHex(static_cast<std::uint32_t>(end)) + "\t*****";
}

// In debug mode: a line break, the banner line and a line break.
template <class Line>
void banner(CcommandManager& m, Line&& line) {
  if (!m.debugMode()) return;
  // Appended piece by piece: a literal put in front of a temporary string trips a false -Wrestrict in GCC 12 at -O2.
  std::string text(1, '\n');
  text += std::forward<Line>(line)();
  text += '\n';
  outputChannel().write(text);
}

// Runs the operation; any failure gives false. A status the operation threw
// is already stored; any other failure is stored as a status here.
template <class Op>
bool guard(CcommandManager& m, Op&& op) {
  try {
    std::forward<Op>(op)();
    return true;
  } catch (STATUS) {
  } catch (int) {
  } catch (const std::bad_alloc&) {
    m.setStatus(STATUS_MEMORY_ALLOCATION_ERROR);
  } catch (...) {
    m.setStatus(STATUS_CANNOT_EXECUTE_COMMAND);
  }
  return false;
}

// Guarded export with banner; false before ispInit.
template <class Line, class Op>
bool guarded(Line&& line, Op&& op) {
  CcommandManager* m = manager();
  if (m == nullptr) return false;
  banner(*m, std::forward<Line>(line));
  return guard(*m, std::forward<Op>(op));
}

// Guarded export without banner; false before ispInit.
template <class Op>
bool guardedQuiet(Op&& op) {
  CcommandManager* m = manager();
  if (m == nullptr) return false;
  return guard(*m, std::forward<Op>(op));
}

}  // namespace exportframe
