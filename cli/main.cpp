// kartoval-convert: the command-line converter. Its data tables are found from
// the executable's own folder, as the window's are (see ProgramDataFolder).

#include "batch/AtomicFileWriter.hpp"
#include "cli/ConvertCommand.hpp"
#include "toolkit/ProgramFolder.hpp"

#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv)
{
    kartoval::InstallInterruptCleanup("kartoval-convert");
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const kartoval::CliStreams streams{stdin, stdout, stderr, ::isatty(STDERR_FILENO) == 1};
    const kartoval::DataFolderSearch data = kartoval::ProgramDataFolder();
    // Said before the table error that follows, so the user sees where it looked.
    if (!data.Found) std::fprintf(stderr, "kartoval-convert: %s\n", kartoval::DataFolderNotFoundText(data).c_str());
    return kartoval::RunConvertCommand(arguments, streams, data.Folder);
}
