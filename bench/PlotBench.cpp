// Times the plot of a file run: a NAD27 Texas South Central file of N points
// (degrees, a few with a latitude three degrees off, a slipped digit) converted for the plot as "Show
// points..." does, the window opened and first drawn, and a pan redrawn.
//
//   QT_QPA_PLATFORM=offscreen kartoval_plot_bench [--points N] [--save FILE.png]

#include "app/PlotWindow.hpp"
#include "batch/FileConversion.hpp"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <variant>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTexasSouthCentral = 114;  // position in the NAD27 zone list
constexpr int kPans = 20;
constexpr int kBlunderEvery = 5000;  // one point in so many has a slipped latitude digit
constexpr double kSlipDegrees = 3.0;
constexpr unsigned kSeed = 20020;

class PrintedMessages : public kartoval::MessageBoxes {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
    bool AskYesNo(const std::string& /*question*/, const std::string& /*caption*/) override { return false; }
};

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    int points = 40000;
    QString save;
    for (int k = 1; k + 1 < argc; k += 2) {
        const std::string option = argv[k];
        if (option == "--points") points = std::stoi(argv[k + 1]);
        else if (option == "--save") save = QString::fromLocal8Bit(argv[k + 1]);
    }
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "kartoval-plot-bench.txt";
    {
        std::mt19937 random(kSeed);
        std::uniform_real_distribution<double> longitude(-100.5, -94.0);
        std::uniform_real_distribution<double> latitude(28.0, 30.5);
        std::ofstream out(file);
        for (int k = 0; k < points; ++k) {
            const double lon = longitude(random);
            const double lat = latitude(random) + (k % kBlunderEvery == kBlunderEvery - 1 ? kSlipDegrees : 0.0);
            out << k + 1 << ' ' << lon << ' ' << lat << '\n';
        }
    }
    PrintedMessages messages;
    const kartoval::Platform platform{messages, KARTOVAL_DATA_DIR};
    kartoval::FileConversionSettings settings;
    settings.InputPath = file.string();
    settings.Family = kartoval::XyProjectionKind::Nad27;
    settings.ZonePosition = kTexasSouthCentral;
    settings.EllipsoidPosition = 9;  // Clarke 1866
    settings.WestWithoutMinus = false;
    settings.ShowOnly = true;

    const auto start = Clock::now();
    const kartoval::FileRunOutcome outcome = kartoval::RunFileConversion(settings, platform, {});
    const double convertMs = millisecondsSince(start);
    std::filesystem::remove(file);
    const auto* summary = std::get_if<kartoval::FileRunSummary>(&outcome);
    if (summary == nullptr) {
        std::fprintf(stderr, "run failed: %s\n", std::get<kartoval::FileRunFailure>(outcome).Text.c_str());
        return 1;
    }
    const auto open = Clock::now();
    kartoval::PlotWindow window(summary->Plot);
    window.show();
    window.Canvas().repaint();  // the first drawing, synchronously
    QApplication::processEvents();
    const double openMs = millisecondsSince(open);
    const auto pan = Clock::now();
    for (int k = 0; k < kPans; ++k) {
        window.Canvas().Pan(QPointF(k % 2 == 0 ? 5.0 : -5.0, 3.0));
        window.Canvas().repaint();
    }
    const double panMs = millisecondsSince(pan) / kPans;
    std::printf("points %d (outside %zu): converted for the plot %.0f ms, window open and drawn %.0f ms, "
                "pan redrawn %.1f ms\n",
                points, summary->Plot->OutsideCount(), convertMs, openMs, panMs);
    if (!save.isEmpty() && !window.SaveImage(save)) return 1;
    return 0;
}
