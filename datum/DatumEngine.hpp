#pragma once
// The boundary between the program and the PROJ library. The code that calls
// PROJ (DatumShift.cpp) is built as a plugin that is loaded at the first datum
// shift, so a run or a window that shifts nothing never maps PROJ and the forty
// libraries it pulls in (curl, GnuTLS, SQLite, libtiff, ...), and a machine
// without PROJ still converts everything but a datum shift.

#include "datum/DatumShift.hpp"
#include "toolkit/Errors.hpp"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kartoval {

// What DatumShifter asks of the plugin. Its exceptions (GridFileError,
// OutsideGridError, ...) reach the caller as they were thrown.
class DatumEngine {
public:
    DatumEngine() = default;
    DatumEngine(const DatumEngine&) = delete;
    DatumEngine& operator=(const DatumEngine&) = delete;
    virtual ~DatumEngine() = default;

    [[nodiscard]] virtual DatumShiftResult Shift(GeodeticDatum from, GeodeticDatum to, double longitude,
                                                 double latitude) = 0;
};

// The plugin's one exported function: a new engine reading grids from
// `gridFolder` only. Throws what DatumShifter's constructor would.
using CreateDatumEngineFunction = DatumEngine*(const char* gridFolder);
inline constexpr const char* kCreateDatumEngineSymbol = "KartovalCreateDatumEngine";
inline constexpr const char* kDatumEnginePluginName = "libkartoval_datum_proj.so";
// Names the plugin file to load instead of searching for it (tests hide the
// plugin with it; a user can point at another build).
inline constexpr const char* kDatumEngineVariable = "KARTOVAL_DATUM_ENGINE";
// The Debian package that holds the PROJ library the plugin is built against.
inline constexpr const char* kProjPackage = "libproj25";

// The plugin, or PROJ behind it, can't be loaded: a "File error" that names
// what to install. Every other page still works.
class DatumEngineError : public CommandError {
public:
    explicit DatumEngineError(const std::string& message) : CommandError(message, kFileErrorCaption) {}
};

// The places the plugin is looked for, in order: the file named by
// KARTOVAL_DATUM_ENGINE when it is set (`variable`, null when unset), else
// beside the program (the build folder) and then in the installed library
// folder (bin/../lib/.../kartoval).
[[nodiscard]] std::vector<std::filesystem::path> DatumEngineCandidates(const char* variable,
                                                                       const std::filesystem::path& programFolder);

// A new engine from the plugin, which is loaded once per process on the first
// call and never unloaded (exceptions and vtables of its code outlive any one
// engine). Throws DatumEngineError when it can't be loaded.
[[nodiscard]] std::unique_ptr<DatumEngine> LoadDatumEngine(const std::filesystem::path& gridFolder);

}  // namespace kartoval
