// Converts points in the shipped State Plane zones the way the single-point
// page does, for check_zones.py to hold against PROJ.
//
// Usage: zone_probe <data folder>, then one request a line on stdin:
//   <table> <line> <ellipsoid line> F <longitude> <latitude>   -> "<X> <Y>"
//   <table> <line> <ellipsoid line> I <X> <Y>                  -> "<longitude> <latitude>"
// <table> is nad27.txt or nad83.txt. The zone and the ellipsoid are looked up
// in the data folder's tables by line, as a click does, and the point goes
// through the conversion core's route, as on the page, so a wrong table value or a wrong
// argument order shows up as a difference. The answer is the text the page
// would put in its boxes before the output step rounds it (15 significant
// digits). A request that fails answers "ERROR <why>"; the probe goes on.

#include "refdata/Ellipsoids.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "conversion/ConversionRoute.hpp"
#include "toolkit/NumberText.hpp"
#include "toolkit/Errors.hpp"

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace kartoval;

class CollectedMessages : public MessageBoxes {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        Shown.push_back(caption + ": " + text);
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        Shown.push_back(caption + ": " + text);
        return false;
    }
    std::vector<std::string> Shown;
};

std::string answer(const std::string& request, const std::filesystem::path& dataFolder)
{
    std::istringstream in(request);
    std::string table;
    int zoneLine = 0;
    int ellipsoidLine = 0;
    std::string direction;
    std::string first;
    std::string second;
    if (!(in >> table >> zoneLine >> ellipsoidLine >> direction >> first >> second) ||
        (direction != "F" && direction != "I")) {
        return "ERROR bad request: " + request;
    }
    if (table != kNad27FileName && table != kNad83FileName) return "ERROR unknown table " + table;
    const XyProjectionKind family = table == kNad27FileName ? XyProjectionKind::Nad27 : XyProjectionKind::Nad83;

    CollectedMessages messages;
    const Platform platform{messages, dataFolder, '.'};
    // The unit of the zone's grid is the table's business: the probe passes
    // the ellipsoid in metres, as the page does.
    const Ellipsoid ellipsoid = LoadEllipsoid(platform, kEllipsoidFileName, ellipsoidLine);
    CoordinateSide zone = FamilySide(family, zoneLine - 1, platform);
    const bool forward = direction == "F";
    const ConversionRoute route(forward ? DegreesSide() : zone, forward ? std::move(zone) : DegreesSide(), ellipsoid,
                                platform);
    const PointResult point = route.Convert(StrToFloat(first), StrToFloat(second));
    if (!messages.Shown.empty()) return "ERROR " + messages.Shown.front();
    return FloatToStr(point.X) + " " + FloatToStr(point.Y);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: zone_probe <data folder>  (requests on stdin)\n";
        return 2;
    }
    const std::filesystem::path dataFolder(argv[1]);
    std::string request;
    while (std::getline(std::cin, request)) {
        if (request.empty()) continue;
        try {
            std::cout << answer(request, dataFolder) << '\n';
        } catch (const CommandError& error) {
            std::cout << "ERROR " << error.what() << '\n';
        }
    }
    return 0;
}
