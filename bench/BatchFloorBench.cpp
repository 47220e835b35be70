// The File page's whole conversion against a floor measured in the same
// process, and the page faults of a fresh process.
//
//   kartoval_batch_bench [--runs N]         whole runs and floor, both directions
//   kartoval_batch_bench --once ROWS DIR    one forward run of ROWS rows in a fresh
//                                           process; prints its minor page faults
//
// The floor reads, splits and parses the same input and formats and writes
// the same output through the same reader and writer, without the
// projection: what no conversion can go below. A whole run is the page's ConvertPointFile: ellipsoid lookup,
// reading, converting and writing, the output renamed into place.

#include "batch/AtomicFileWriter.hpp"
#include "batch/FileConversion.hpp"
#include "batch/LineFields.hpp"
#include "batch/LineReader.hpp"
#include "geodesy/Angles.hpp"
#include "geodesy/DegreesText.hpp"
#include "geodesy/GridProjection.hpp"
#include "refdata/UtmZones.hpp"
#include "toolkit/NumberText.hpp"

#include <algorithm>
#include <array>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int kRows = kartoval::PointTable::kMaxRows;
constexpr int kZone29Position = 28;
constexpr unsigned kSeed = 20040;
constexpr const char* kBenchEllipsoids = "WGS 84\t6378137\t298.257223563\nend\n";
constexpr std::size_t kChunk = std::size_t{16} * 1024;  // as the batch core hands on

class PrintedMessages : public kartoval::MessageBoxes {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        std::cerr << caption << ": " << text << '\n';
        std::exit(1);
    }
    bool AskYesNo(const std::string& /*text*/, const std::string& /*caption*/) override { return false; }
};

class PlainCheck : public kartoval::CheckControl {
public:
    [[nodiscard]] bool IsChecked() const override { return false; }
    void SetChecked(bool /*checked*/) override {}
    void SetEnabled(bool /*enabled*/) override {}
};

// Shot point, longitude and latitude in zone 29, six decimals as field crews write them.
void writeDegrees(const std::filesystem::path& path, int rows)
{
    std::mt19937 random(kSeed);
    std::uniform_real_distribution<double> longitude(-12.0, -6.0);
    std::uniform_real_distribution<double> latitude(0.0, 84.0);
    std::string text;
    for (int k = 1; k <= rows; ++k) {
        text += std::to_string(1000 + k) + " " + kartoval::FixedToStr(longitude(random), 6) + " " +
                kartoval::FixedToStr(latitude(random), 6) + "\n";
    }
    std::ofstream(path, std::ios::binary) << text;
}

// The rows of a converted file, to be written again by the floor.
std::vector<std::array<double, 3>> readRows(const std::filesystem::path& path)
{
    std::vector<std::array<double, 3>> rows;
    std::ifstream in(path);
    for (std::array<double, 3> row{}; in >> row[0] >> row[1] >> row[2];) rows.push_back(row);
    return rows;
}

// Read + split + parse the input, format + write the output's numbers (known
// beforehand): the same bytes in and out as a whole run, through the same
// reader, splitter, number text and writer, minus the projection.
[[gnu::noinline]] void floorRun(const std::filesystem::path& input, const std::vector<std::array<double, 3>>& rows,
              const std::filesystem::path& output)
{
    kartoval::LineReader reader(input, kartoval::kMaxPointLineLength);
    kartoval::AtomicFileWriter writer(output);
    std::vector<kartoval::FieldSpan> fields;
    std::string out;
    out.reserve(kChunk * 2);
    std::string_view line;
    std::size_t bad = 0;
    std::size_t row = 0;
    double parsed = 0.0;
    while (reader.Next(line) == kartoval::LineReader::Result::Line && row < rows.size()) {
        if (!kartoval::SplitFields(line, kartoval::Delimiter::Whitespace, fields, bad) || fields.size() < 3) continue;
        for (std::size_t k = 0; k < 3; ++k) {
            parsed += kartoval::FileStrToFloat(line.substr(fields[k].Begin, fields[k].End - fields[k].Begin), '.');
            if (k > 0) out += '\t';
            kartoval::AppendFixed(out, rows[row][k], 6);
        }
        ++row;
        out += '\n';
        if (out.size() >= kChunk) {
            writer.Write(out);
            out.clear();
        }
    }
    writer.Write(out);
    writer.Commit();
    if (parsed == -1.0) std::puts("");  // keeps the parsing
}

// CPU time of this process in milliseconds: on a shared machine, what the
// run itself costs, without the waits for other programs and for the disk.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

template <typename Run>
double medianMs(int runs, Run run)
{
    std::vector<double> ms;
    for (int k = 0; k < runs; ++k) {
        const double start = cpuMs();
        run();
        ms.push_back(cpuMs() - start);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

kartoval::FileConversionSettings settingsFor(const std::filesystem::path& in, const std::filesystem::path& out,
                                              kartoval::ConversionDirection direction)
{
    kartoval::FileConversionSettings settings;
    settings.EllipsoidPosition = 0;
    settings.ZonePosition = kZone29Position;
    settings.WestWithoutMinus = false;
    settings.InputPath = in.string();
    settings.OutputPath = out.string();
    settings.Direction = direction;
    return settings;
}

int once(int rows, const std::filesystem::path& folder)
{
    PrintedMessages messages;
    PlainCheck boxSkip;
    const kartoval::Platform platform{messages, folder, '.'};
    const std::filesystem::path in = folder / ("degrees-" + std::to_string(rows) + ".txt");
    kartoval::ConvertPointFile(settingsFor(in, folder / "once.txt", kartoval::ConversionDirection::DegreesToUtm),
                               platform, boxSkip);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("minor_faults=%ld max_rss_kb=%ld\n", usage.ru_minflt, usage.ru_maxrss);
    return 0;
}

int run(int argc, char** argv)
{
    int runs = 21;
    if (argc == 4 && std::string(argv[1]) == "--once") return once(std::atoi(argv[2]), argv[3]);
    if (argc == 3 && std::string(argv[1]) == "--prepare") {
        // The inputs of --once: 1 row and the page's 39999.
        const std::filesystem::path folder = argv[2];
        std::ofstream(folder / "ellips.txt", std::ios::binary) << kBenchEllipsoids;
        writeDegrees(folder / "degrees-1.txt", 1);
        writeDegrees(folder / ("degrees-" + std::to_string(kRows) + ".txt"), kRows);
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--runs") runs = std::max(1, std::atoi(argv[2]));
    else if (argc != 1) {
        std::cerr << "usage: kartoval_batch_bench [--runs N] | --prepare DIR | --once ROWS DIR\n";
        return 2;
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kartoval-floor-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "ellips.txt", std::ios::binary) << kBenchEllipsoids;
    writeDegrees(folder / "degrees.txt", kRows);

    PrintedMessages messages;
    PlainCheck boxSkip;
    const kartoval::Platform platform{messages, folder, '.'};
    const auto forward = settingsFor(folder / "degrees.txt", folder / "utm.txt", kartoval::ConversionDirection::DegreesToUtm);
    const auto inverse = settingsFor(folder / "utm.txt", folder / "back.txt", kartoval::ConversionDirection::UtmToDegrees);
    kartoval::ConvertPointFile(forward, platform, boxSkip);  // the inverse's input, and a warm cache

    std::printf("rows: %d, zone 29, WGS 84, CPU time, median of %d runs\n", kRows, runs);
    for (const auto* settings : {&forward, &inverse}) {
        const char* name = settings == &forward ? "forward" : "inverse";
        kartoval::ConvertPointFile(*settings, platform, boxSkip);
        const auto rows = readRows(settings->OutputPath);
        const double floorMs = medianMs(runs, [&] { floorRun(settings->InputPath, rows, folder / "floor.txt"); });
        const double wholeMs = medianMs(runs, [&] { kartoval::ConvertPointFile(*settings, platform, boxSkip); });
        // The projection alone over the same points, to show what of the
        // difference between the run and the floor it accounts for.
        const auto inputs = readRows(settings->InputPath);
        const kartoval::GridProjection projection(
            kartoval::EllipsoidParams{6378137.0, kartoval::EccentricityFromInverseFlattening(298.257223563)},
            kartoval::UtmZone(kZone29Position, kartoval::Hemisphere::North));
        double sink = 0.0;
        const bool toGrid = settings == &forward;
        const double projectionMs = medianMs(runs, [&] {
            for (const auto& row : inputs) {
                if (toGrid) {
                    const auto p = projection.Forward(row[1], row[2]);
                    sink += p.Easting + p.Northing;
                } else {
                    const auto p = projection.Inverse(row[1], row[2]);
                    sink += p.Longitude + p.Latitude;
                }
            }
        });
        std::printf("%-8s whole run %6.2f ms   floor %6.2f ms   whole/floor %.2f   projection alone %5.2f ms%s\n",
                    name, wholeMs, floorMs, wholeMs / floorMs, projectionMs, sink == 0.0 ? " " : "");
        std::printf("RESULT %s_whole_ms=%.3f %s_floor_ms=%.3f %s_ratio=%.3f\n", name, wholeMs, name, floorMs, name,
                    wholeMs / floorMs);
    }
    std::filesystem::remove_all(folder);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "kartoval_batch_bench: " << error.what() << '\n';
        return 1;
    }
}
