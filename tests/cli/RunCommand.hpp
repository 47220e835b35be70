#pragma once
// kartoval-convert run as a function over temporary files, for the tests of
// the command line: its exit status and what it wrote to each stream.

#include "cli/ConvertCommand.hpp"

#include <cstdio>
#include <string>
#include <vector>

namespace kartoval::testing {

struct Result {
    int Status;
    std::string Out;
    std::string Err;
};

inline std::string ReadAll(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, got);
    std::fclose(file);
    return text;
}

inline Result RunCommand(const std::vector<std::string>& arguments, const std::string& input = {})
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    const int status = RunConvertCommand(arguments, {in, out, err, false}, KARTOVAL_DATA_DIR);
    std::fclose(in);
    return {status, ReadAll(out), ReadAll(err)};
}

}  // namespace kartoval::testing
