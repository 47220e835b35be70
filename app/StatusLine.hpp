#pragma once
// The status line at the foot of the window: what the last action did, in
// one line. Errors keep their message boxes; the line repeats their first
// line, so the user still sees what went wrong once the box is closed.

#include "batch/FileConversion.hpp"
#include "refdata/ZoneCodes.hpp"
#include "single/SinglePointPage.hpp"
#include "toolkit/Controls.hpp"

#include <optional>
#include <string>
#include <vector>

namespace kartoval {

// Passes every message box on to the real ones and keeps the text of the
// last message shown, so the window can repeat it on its status line.
class RecordingMessages : public MessageBoxes {
public:
    explicit RecordingMessages(MessageBoxes& shown) : shown_(shown) {}
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;

    void Forget() { last_.reset(); }
    // The first line of the last message since Forget(), if any.
    [[nodiscard]] const std::optional<std::string>& LastMessage() const { return last_; }

private:
    MessageBoxes& shown_;
    std::optional<std::string> last_;
};

// "Converted 1 point (NAD83 California zone 3, GRS 1980)", naming the
// transverse Mercator engine for a zone that is one ("...; classic transverse
// Mercator series)"), after a note on the size of error to expect when the
// classic series converted a point far from its central meridian and after a
// note on a point beyond its zone's area: the most telling part first.
// `zone` names the zone as the status line shows it.
[[nodiscard]] std::string SingleStatus(const SinglePointResult& result, const std::string& zone);

// "UTM zone 31 north" for the UTM families; the family and the zone's table
// name for the State Plane ones ("NAD83 California zone 3").
[[nodiscard]] std::string ZoneForStatus(XyProjectionKind family, int position, const std::string& tableName);

// The zone list's tooltip: the zone as the status line names it and, for a
// State Plane zone, the codes it is known by elsewhere: "NAD83 Texas South
// Central (4204, EPSG:32140)".
[[nodiscard]] std::string ZoneTip(XyProjectionKind family, int position, const std::string& tableName,
                                  const std::vector<ZoneCode>& codes);

// "Converted 39999 points from field.txt to field-utm.txt in 0.03 s", with
// the transverse Mercator engine for a zone that is one, after the count of
// points far from the central meridian when the classic series converted any.
[[nodiscard]] std::string FileStatus(const FileRunSummary& summary);

// What a command that ended early leaves on the status line: the first line
// of its message, or that nothing was converted (a question answered No).
[[nodiscard]] std::string FailureStatus(const std::optional<std::string>& lastMessage);

}  // namespace kartoval
