// The State Plane zone codes of zone_codes.txt against PROJ's former init
// files, which list every zone of both datums under its code with its
// parameters: each code must find, through the program's own lookup, the
// zone whose table parameters are the ones the init file gives that code.

#include "refdata/StatePlaneZones.hpp"
#include "refdata/ZoneCodes.hpp"
#include "support/Fakes.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <variant>

namespace kartoval {
namespace {

const std::filesystem::path kInitFolder(KARTOVAL_INIT_DIR);

// "-85d50", "30d30", "-36d52'11.6315" or "31" as degrees.
double initAngle(const std::string& text)
{
    static const std::regex angle(R"(([-+]?)([0-9.]+)(?:d([0-9.]*)(?:'([0-9.]*))?)?)");
    std::smatch m;
    if (!std::regex_match(text, m, angle)) ADD_FAILURE() << "not an angle: " << text;
    const auto part = [&](int k) { return m[k].length() > 0 ? std::stod(m[k].str()) : 0.0; };
    const double degrees = part(2) + part(3) / 60.0 + part(4) / 3600.0;
    return m[1] == "-" ? -degrees : degrees;
}

// code -> parameter -> value, as the init file writes them (lengths in metres).
std::map<int, std::map<std::string, std::string>> readInit(const char* name)
{
    std::ifstream in(kInitFolder / name);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    static const std::regex entry(R"(<(\d+)>([^<]*)<>)");
    static const std::regex parameter(R"((\w+)=(\S+))");
    std::map<int, std::map<std::string, std::string>> entries;
    for (auto e = std::sregex_iterator(text.begin(), text.end(), entry); e != std::sregex_iterator(); ++e) {
        const std::string body = (*e)[2].str();
        auto& params = entries[std::stoi((*e)[1].str())];
        for (auto p = std::sregex_iterator(body.begin(), body.end(), parameter); p != std::sregex_iterator(); ++p) {
            params[(*p)[1].str()] = (*p)[2].str();
        }
    }
    return entries;
}

TEST(ZoneCodes, EveryCodeFindsTheZoneItsInitEntryDescribes)
{
    testing::FakeMessages messages;
    const Platform platform{messages, KARTOVAL_DATA_DIR, '.'};
    const std::vector<ZoneCode> codes = ReadZoneCodes(platform);
    struct Datum {
        XyProjectionKind Family;
        const char* InitFile;
        double MetresPerUnit;
        std::size_t ZonesWithCode;  // every zone but those the init files predate
    };
    // Tolerances: the init files give angles to the second where the tables
    // hold EPSG's decimals, agreeing to rounding (1e-7 degree is 1 cm); 1927
    // Rhode Island's scale is EPSG's 0.9999938 against 0.99999375, 5e-8 apart
    // (5 mm in 100 km), so scales agree to 1e-7; false origins to 1 mm.
    for (const Datum& d : {Datum{XyProjectionKind::Nad27, "nad27.init", 1200.0 / 3937.0, 132},
                           Datum{XyProjectionKind::Nad83, "nad83.init", 1.0, 123}}) {
        const auto init = readInit(d.InitFile);
        std::size_t checked = 0;
        for (const StatePlaneZone& zone : ReadStatePlaneZones(platform, d.Family)) {
            const ZoneCode* line = FindByZoneName(codes, d.Family, zone.Name);
            ASSERT_NE(line, nullptr) << zone.Name;
            if (!line->StatePlaneCode) continue;
            const int code = *line->StatePlaneCode;
            ++checked;
            EXPECT_EQ(FindByStatePlaneCode(codes, d.Family, code), line) << zone.Name;
            ASSERT_EQ(init.count(code), 1U) << d.InitFile << " has no <" << code << "> for " << zone.Name;
            const auto& p = init.at(code);
            const auto angle = [&](const char* key) { return initAngle(p.at(key)); };
            const auto length = [&](const char* key) { return std::stod(p.at(key)) / d.MetresPerUnit; };
            const double lengthTolerance = 0.001 / d.MetresPerUnit;
            if (const auto* tm = std::get_if<TmParams>(&zone.Projection)) {
                EXPECT_EQ(p.at("proj"), "tmerc") << zone.Name;
                EXPECT_NEAR(tm->CentralMeridian, angle("lon_0"), 1e-7) << zone.Name;
                EXPECT_NEAR(tm->LatitudeOfOrigin, angle("lat_0"), 1e-7) << zone.Name;
                EXPECT_NEAR(tm->ScaleFactor, std::stod(p.at("k")), 1e-7) << zone.Name;
                EXPECT_NEAR(tm->FalseEasting, length("x_0"), lengthTolerance) << zone.Name;
                EXPECT_NEAR(tm->FalseNorthing, length("y_0"), lengthTolerance) << zone.Name;
            } else if (const auto* lcc = std::get_if<LccParams>(&zone.Projection)) {
                EXPECT_EQ(p.at("proj"), "lcc") << zone.Name;
                EXPECT_NEAR(lcc->CentralMeridian, angle("lon_0"), 1e-7) << zone.Name;
                EXPECT_NEAR(lcc->LatitudeOfOrigin, angle("lat_0"), 1e-7) << zone.Name;
                EXPECT_NEAR(std::max(lcc->FirstParallel, lcc->SecondParallel),
                            std::max(angle("lat_1"), angle("lat_2")), 1e-7) << zone.Name;
                EXPECT_NEAR(std::min(lcc->FirstParallel, lcc->SecondParallel),
                            std::min(angle("lat_1"), angle("lat_2")), 1e-7) << zone.Name;
                EXPECT_NEAR(lcc->FalseEasting, length("x_0"), lengthTolerance) << zone.Name;
                EXPECT_NEAR(lcc->FalseNorthing, length("y_0"), lengthTolerance) << zone.Name;
            } else {
                EXPECT_EQ(p.at("proj"), "omerc") << zone.Name;
            }
        }
        EXPECT_EQ(checked, d.ZonesWithCode) << d.InitFile;
    }
    // As datasheets write them, leading zero or not.
    const ZoneCode* alabama = FindByStatePlaneCode(codes, XyProjectionKind::Nad83, *ParseStatePlaneCode("0101"));
    ASSERT_NE(alabama, nullptr);
    EXPECT_EQ(alabama->Name, "Alabama East");
    EXPECT_EQ(FindByStatePlaneCode(codes, XyProjectionKind::Nad83, *ParseStatePlaneCode("101")), alabama);
    EXPECT_EQ(FindByStatePlaneCode(codes, XyProjectionKind::Nad27, 4204)->Name, "Texas South Central");
    EXPECT_EQ(ZoneCodesNote(FindByZoneName(codes, XyProjectionKind::Nad83, "Texas South Central")),
              "(4204, EPSG:32140)");
    EXPECT_EQ(ZoneCodesNote(FindByZoneName(codes, XyProjectionKind::Nad83, "Kentucky Single Zone")), "(EPSG:3088)");
    for (const char* notACode : {"", "12345", "-101", "+101", "41a", "Texas"}) {
        EXPECT_FALSE(ParseStatePlaneCode(notACode)) << notACode;
    }
}

}  // namespace
}  // namespace kartoval
