#pragma once
// The range checks that the set-up editor runs when the user leaves a
// numeric edit: a value outside the permitted range is replaced by the bound
// it passed; nothing else is reported.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct RangeCheck {
  std::string edit;  // the edit's component name
  int low;
  int high;
  bool zero_is_off = false;       // 0 stays: it switches the function off
  bool negative_clears = false;   // a negative value empties the edit
};

struct RangeCheckResult {
  std::optional<std::string> text;  // the corrected text; nothing when the text stays
  bool keep_focus = false;          // the focus goes back into the edit
};

// The checks of every checked edit, both channels.
const std::vector<RangeCheck>& RangeChecks();
// The check of `edit`, or nullptr.
const RangeCheck* RangeCheckOf(std::string_view edit);
// What leaving an edit with `text` does.
RangeCheckResult ApplyRangeCheck(const RangeCheck& check, std::string_view text);

// The point-count edits ("Stützstellen"): 1 is refused with a message, more
// than 8 points become 8.
enum class PointCountVerdict { Accept, RefuseOne, LimitToEight };
PointCountVerdict CheckPointCount(std::string_view text);
// The number of characteristic points shown for a count text: the low byte
// of its value; 0 and 1 show none.
int ShownPointCount(std::string_view text);
