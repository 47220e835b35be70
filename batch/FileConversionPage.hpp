#pragma once
// The "File Convertion" page as its command sees it: the controls GO reads,
// by their window names.

#include "batch/FileConversion.hpp"
#include "toolkit/Controls.hpp"
#include "toolkit/Platform.hpp"

namespace kartoval {

struct FileConversionPage {
    TextControl& EditInput;
    TextControl& EditOutput;
    ListControl& BoxEllipsoid;
    ListControl& BoxProjection;  // north UTM zones
    ListControl& BoxLon;         // column letters A to J
    ListControl& BoxLat;
    ListControl& BoxSP;
    CheckControl& BoxSkip;
    CheckControl& BoxMinusW;
    CheckControl& ButtonDegreesToUTM;  // unchecked means UTM to degrees
};

// "GO": converts the input file into the output file with the page's
// settings. Gives the summary of a completed run.
std::optional<FileRunSummary> GOClick(FileConversionPage& page, const Platform& platform);

}  // namespace kartoval
