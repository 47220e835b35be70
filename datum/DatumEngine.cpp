#include "datum/DatumEngine.hpp"

#include "toolkit/ProgramFolder.hpp"

#include <dlfcn.h>

#include <cstdlib>
#include <system_error>

namespace kartoval {
namespace {

// The loaded plugin's entry point, or why there is none. Loaded once: a
// second dlopen of a plugin that failed would fail the same way.
struct LoadedPlugin {
    CreateDatumEngineFunction* Create = nullptr;
    std::string Failure;
};

LoadedPlugin loadPlugin()
{
    const std::vector<std::filesystem::path> candidates =
        DatumEngineCandidates(std::getenv(kDatumEngineVariable), ProgramFolder());
    std::string looked;
    for (const std::filesystem::path& file : candidates) {
        if (!looked.empty()) looked += ", ";
        looked += file.string();
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error)) continue;
        // RTLD_NOW: a PROJ that lacks a symbol fails here, with its name, not
        // at some later shift. RTLD_LOCAL keeps PROJ's symbols to the plugin.
        void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            const char* reason = ::dlerror();
            return {nullptr, "The datum shift engine \"" + file.string() + "\" can't be loaded (" +
                                 (reason != nullptr ? reason : "unknown reason") +
                                 "). It needs the PROJ library: install the Debian package " + kProjPackage +
                                 " (apt install " + kProjPackage + ")."};
        }
        auto* create = reinterpret_cast<CreateDatumEngineFunction*>(::dlsym(handle, kCreateDatumEngineSymbol));
        if (create == nullptr) {
            return {nullptr, "The datum shift engine \"" + file.string() + "\" is not Kartoval's (it has no " +
                                 kCreateDatumEngineSymbol + "); reinstall Kartoval."};
        }
        return {create, {}};
    }
    return {nullptr, std::string("The datum shift engine ") + kDatumEnginePluginName +
                         " is missing; reinstall Kartoval, with the PROJ library (Debian package " + kProjPackage +
                         "). Looked for " + looked + "."};
}

}  // namespace

std::vector<std::filesystem::path> DatumEngineCandidates(const char* variable,
                                                         const std::filesystem::path& programFolder)
{
    if (variable != nullptr && *variable != '\0') return {variable};
    return {programFolder / kDatumEnginePluginName,
            (programFolder / KARTOVAL_PLUGIN_FOLDER_FROM_BIN / kDatumEnginePluginName).lexically_normal()};
}

std::unique_ptr<DatumEngine> LoadDatumEngine(const std::filesystem::path& gridFolder)
{
    static const LoadedPlugin plugin = loadPlugin();
    if (plugin.Create == nullptr) throw DatumEngineError(plugin.Failure);
    return std::unique_ptr<DatumEngine>(plugin.Create(gridFolder.c_str()));
}

DatumShifter::DatumShifter(std::filesystem::path gridFolder) : gridFolder_(std::move(gridFolder)) {}

DatumShifter::~DatumShifter() = default;

DatumShiftResult DatumShifter::Shift(GeodeticDatum from, GeodeticDatum to, double longitude, double latitude)
{
    if (!engine_) engine_ = LoadDatumEngine(gridFolder_);
    return engine_->Shift(from, to, longitude, latitude);
}

std::filesystem::path ProgramGridFolder()
{
    return ProgramDataFolder().Folder / kGridFolderName;
}

}  // namespace kartoval
