#pragma once
// Names close to a mistyped one, for "did you mean ...?".

#include <string>
#include <string_view>
#include <vector>

namespace kartoval {

// Up to three of `names` that `typed` is probably meant to be: those within a
// few edits (case ignored), best first, or else those that hold it as a part.
[[nodiscard]] std::vector<std::string> CloseMatches(std::string_view typed, const std::vector<std::string>& names);

// " did you mean 'A'?", " did you mean 'A', 'B' or 'C'?", or nothing.
[[nodiscard]] std::string DidYouMean(const std::vector<std::string>& matches);

}  // namespace kartoval
