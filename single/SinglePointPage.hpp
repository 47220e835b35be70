#pragma once
// The "Single Convertion" page as its commands see it: the controls they read
// and write, by their window names.

#include "toolkit/Controls.hpp"
#include "toolkit/Platform.hpp"

namespace kartoval {

struct SinglePointPage {
    ListControl& BoxProjection2;  // zones of the chosen grid family
    ListControl& BoxEllipsoid2;
    TextControl& EditLatitude;
    TextControl& EditLongitude;
    TextControl& EditX;
    TextControl& EditY;
    CheckControl& ButtonDegreesToXY;  // unchecked means XY to degrees
    CheckControl& ButUTMN;
    CheckControl& ButUTMS;
    CheckControl& ButNAD27;
    CheckControl& ButNAD83;
};

// "Convert": converts the typed point in the direction and grid family chosen,
// then rounds X and Y to 2 decimals and latitude and longitude to 6. Either
// every box gets its new text or, when the click ends early (a message, or a
// CommandError for a bad number or an impossible point), none changes.
void ButConvertClick(SinglePointPage& page, const Platform& platform);

// The grid family buttons: each refills BoxProjection2 with its zones and
// selects the first one. They touch nothing else.
void ButUTMNClick(SinglePointPage& page, const Platform& platform);
void ButUTMSClick(SinglePointPage& page, const Platform& platform);
void ButNAD27Click(SinglePointPage& page, const Platform& platform);
void ButNAD83Click(SinglePointPage& page, const Platform& platform);

}  // namespace kartoval
