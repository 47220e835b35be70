#include "refdata/UtmZones.hpp"

#include <cstdlib>
#include <string>

namespace kartoval {
namespace {

void listZones(ListControl& list, const std::string& prefix)
{
    for (int zone = 1; zone <= kUtmZoneCount; ++zone) {
        const int meridian = 6 * zone - 183;
        // The labels have always said "central parallel"; users know them so.
        list.AddItem(prefix + std::to_string(zone) + ", central parallel: " + std::to_string(std::abs(meridian)) +
                     (meridian < 0 ? "W" : "E"));
    }
    list.SetItemIndex(kDefaultUtmZonePosition);
}

}  // namespace

void ListUtmNorthZones(ListControl& list) { listZones(list, "North Zone "); }
void ListUtmSouthZones(ListControl& list) { listZones(list, "South Zone "); }

}  // namespace kartoval
