// kartoval-convert: the command-line converter. Its data tables are read from
// the folder of the executable, as the window's are.

#include "batch/AtomicFileWriter.hpp"
#include "cli/ConvertCommand.hpp"
#include "toolkit/ProgramFolder.hpp"

#include <unistd.h>

int main(int argc, char** argv)
{
    kartoval::InstallInterruptCleanup("kartoval-convert");
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const kartoval::CliStreams streams{stdin, stdout, stderr, ::isatty(STDERR_FILENO) == 1};
    return kartoval::RunConvertCommand(arguments, streams, kartoval::ProgramFolder());
}
