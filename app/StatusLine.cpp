#include "app/StatusLine.hpp"

#include "toolkit/NumberText.hpp"

namespace kartoval {
namespace {

constexpr int kSecondsDecimals = 2;

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

std::string pointCount(int points) { return std::to_string(points) + (points == 1 ? " point" : " points"); }

}  // namespace

void RecordingMessages::ShowMessage(const std::string& text, const std::string& caption)
{
    last_ = firstLine(text);
    shown_.ShowMessage(text, caption);
}

bool RecordingMessages::AskYesNo(const std::string& text, const std::string& caption)
{
    return shown_.AskYesNo(text, caption);
}

std::string ZoneForStatus(XyProjectionKind family, int position, const std::string& tableName)
{
    switch (family) {
    case XyProjectionKind::UtmNorth: return "UTM zone " + std::to_string(position + 1) + " north";
    case XyProjectionKind::UtmSouth: return "UTM zone " + std::to_string(position + 1) + " south";
    case XyProjectionKind::Nad27: return "NAD27 " + tableName;
    case XyProjectionKind::Nad83: return "NAD83 " + tableName;
    }
    return tableName;
}

std::string SingleStatus(const SinglePointResult& result, const std::string& zone)
{
    if (!result.Family) return "Rounded the boxes: no grid family is checked, so nothing was converted";
    return "Converted 1 point (" + zone + ", " + result.EllipsoidName + ")";
}

std::string FileStatus(const FileRunSummary& summary)
{
    return "Converted " + pointCount(summary.Points) + " from " + summary.Input.filename().string() + " to " +
           summary.Output.filename().string() + " in " + FixedToStr(summary.Seconds, kSecondsDecimals) + " s";
}

std::string FailureStatus(const std::optional<std::string>& lastMessage)
{
    return lastMessage ? *lastMessage : std::string("Nothing converted");
}

}  // namespace kartoval
