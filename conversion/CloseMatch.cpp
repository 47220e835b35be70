#include "conversion/CloseMatch.hpp"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace kartoval {
namespace {

constexpr std::size_t kMostMatches = 3;
// A name within this share of its length in edits (and at least two) is close.
constexpr std::size_t kEditsPerCharacter = 4;
constexpr std::size_t kFewestEdits = 2;

std::string folded(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// Levenshtein distance: insertions, deletions and substitutions.
std::size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::vector<std::string> CloseMatches(std::string_view typed, const std::vector<std::string>& names)
{
    const std::string wanted = folded(typed);
    if (wanted.empty()) return {};
    const std::size_t allowed = std::max(kFewestEdits, wanted.size() / kEditsPerCharacter);
    std::vector<std::pair<std::size_t, std::string>> near;
    std::vector<std::string> containing;
    for (const std::string& name : names) {
        const std::string candidate = folded(name);
        const std::size_t distance = editDistance(wanted, candidate);
        if (distance <= allowed) near.emplace_back(distance, name);
        else if (candidate.find(wanted) != std::string::npos) containing.push_back(name);
    }
    std::stable_sort(near.begin(), near.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> result;
    for (const auto& [distance, name] : near) {
        if (result.size() < kMostMatches) result.push_back(name);
    }
    for (const std::string& name : containing) {
        if (result.size() < kMostMatches) result.push_back(name);
    }
    return result;
}

std::string DidYouMean(const std::vector<std::string>& matches)
{
    if (matches.empty()) return {};
    std::string text = " did you mean ";
    for (std::size_t k = 0; k < matches.size(); ++k) {
        if (k > 0) text += k + 1 == matches.size() ? " or " : ", ";
        text += "'" + matches[k] + "'";
    }
    return text + "?";
}

}  // namespace kartoval
