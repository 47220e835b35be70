// Times whole File page runs (reading, conversion and writing as one stream)
// on a generated file of 39999 shot points in zone 29, degrees to UTM and
// back, and says what machine the figures come from.
//
//   kartoval_bench [--runs N] [--keep FOLDER]
//
// With --keep the generated and converted files stay in FOLDER (degrees.txt,
// utm.txt, back.txt) so other programs can be timed on the same points.

#include "batch/FileConversion.hpp"
#include "geodesy/Angles.hpp"
#include "geodesy/TransverseMercator.hpp"
#include "toolkit/NumberText.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using kartoval::ConversionDirection;
using Clock = std::chrono::steady_clock;

constexpr int kRows = kartoval::PointTable::kMaxRows;
constexpr int kZone29Position = 28;
constexpr const char* kBenchEllipsoids = "WGS 84\t6378137\t298.257223563\nend\n";
constexpr unsigned kSeed = 20040;

class PrintedMessages : public kartoval::MessageBoxes {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        std::cerr << caption << ": " << text << '\n';
        Failed = true;
    }
    bool AskYesNo(const std::string& text, const std::string& /*caption*/) override
    {
        std::cerr << text << " No\n";
        Failed = true;
        return false;
    }
    bool Failed = false;
};

class PlainCheck : public kartoval::CheckControl {
public:
    [[nodiscard]] bool IsChecked() const override { return checked_; }
    void SetChecked(bool checked) override { checked_ = checked; }
    void SetEnabled(bool /*enabled*/) override {}

private:
    bool checked_ = false;
};

struct Machine {
    std::string Model = "unknown";
    int Processors = 0;
};

Machine readMachine()
{
    Machine machine;
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string key = kartoval::Trim(std::string_view(line).substr(0, colon));
        if (key == "processor") ++machine.Processors;
        if (key == "model name" && machine.Model == "unknown") {
            machine.Model = kartoval::Trim(std::string_view(line).substr(colon + 1));
        }
    }
    if (machine.Processors == 0) machine.Processors = static_cast<int>(std::thread::hardware_concurrency());
    return machine;
}

// Shot point, longitude and latitude in zone 29 (12W to 6W),
// from the equator to 84N, six decimals as field crews write them.
void writeDegreesFile(const std::filesystem::path& path)
{
    std::mt19937 random(kSeed);
    std::uniform_real_distribution<double> longitude(-12.0, -6.0);
    std::uniform_real_distribution<double> latitude(0.0, 84.0);
    std::string text;
    for (int k = 1; k <= kRows; ++k) {
        const double lon = longitude(random);
        const double lat = latitude(random);
        text += std::to_string(1000 + k) + " " + kartoval::FixedToStr(lon, 6) + " " + kartoval::FixedToStr(lat, 6) +
                "\n";
    }
    std::ofstream(path, std::ios::binary) << text;
}

struct Timing {
    double MedianMs;
    double FastestMs;
};

Timing timeRuns(const kartoval::FileConversionSettings& settings, const kartoval::Platform& platform, int runs)
{
    PlainCheck boxSkip;
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        kartoval::ConvertPointFile(settings, platform, boxSkip);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front()};
}

// The formulas alone over the same number of points, to show how much of a run
// is the arithmetic that can't change.
double timeFormulasMs(ConversionDirection direction)
{
    const kartoval::TransverseMercator projection(
        {6378137.0, kartoval::EccentricityFromInverseFlattening(298.257223563)},
        kartoval::UtmZone(kZone29Position, kartoval::Hemisphere::North));
    volatile double sink = 0.0;
    const auto start = Clock::now();
    for (int k = 0; k < kRows; ++k) {
        const double u = static_cast<double>(k) / kRows;
        if (direction == ConversionDirection::DegreesToUtm) {
            const kartoval::GridPoint grid = projection.Forward(-12.0 + 6.0 * u, 84.0 * u);
            sink = sink + grid.Easting + grid.Northing;
        } else {
            const kartoval::GeoPoint point = projection.Inverse(170000.0 + 660000.0 * u, 9300000.0 * u);
            sink = sink + point.Latitude + point.Longitude;
        }
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void report(const char* name, const Timing& timing, double formulasMs)
{
    const double rowsPerSecond = kRows / (timing.MedianMs / 1000.0);
    std::printf("%-14s median %7.2f ms  fastest %7.2f ms  %10.0f rows/s  (formulas alone %.2f ms)\n", name,
                timing.MedianMs, timing.FastestMs, rowsPerSecond, formulasMs);
    std::printf("RESULT %s_ms=%.3f %s_rows_per_s=%.0f\n", name, timing.MedianMs, name, rowsPerSecond);
}

int run(int argc, char** argv)
{
    int runs = 11;
    std::filesystem::path keep;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--keep" && i + 1 < argc) {
            keep = argv[++i];
        } else {
            std::cerr << "usage: kartoval_bench [--runs N] [--keep FOLDER]\n";
            return 2;
        }
    }
    const std::filesystem::path folder =
        keep.empty() ? std::filesystem::temp_directory_path() / ("kartoval-bench-" + std::to_string(std::random_device{}()))
                     : keep;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "ellips.txt", std::ios::binary) << kBenchEllipsoids;
    writeDegreesFile(folder / "degrees.txt");

    PrintedMessages messages;
    const kartoval::Platform platform{messages, folder, '.'};
    kartoval::FileConversionSettings settings;
    settings.EllipsoidPosition = 0;
    settings.ZonePosition = kZone29Position;
    settings.WestWithoutMinus = false;

    const Machine machine = readMachine();
    std::printf("machine: %s, %d processors\n", machine.Model.c_str(), machine.Processors);
    std::printf("rows: %d, zone 29, WGS 84, %d runs each, files in %s\n", kRows, runs, folder.string().c_str());

    settings.InputPath = (folder / "degrees.txt").string();
    settings.OutputPath = (folder / "utm.txt").string();
    settings.Direction = ConversionDirection::DegreesToUtm;
    const Timing forward = timeRuns(settings, platform, runs);

    settings.InputPath = (folder / "utm.txt").string();
    settings.OutputPath = (folder / "back.txt").string();
    settings.Direction = ConversionDirection::UtmToDegrees;
    const Timing inverse = timeRuns(settings, platform, runs);

    if (messages.Failed) return 1;
    report("forward", forward, timeFormulasMs(ConversionDirection::DegreesToUtm));
    report("inverse", inverse, timeFormulasMs(ConversionDirection::UtmToDegrees));
    if (keep.empty()) std::filesystem::remove_all(folder);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "kartoval_bench: " << error.what() << '\n';
        return 1;
    }
}
