#include "batch/PointFileWriter.hpp"

#include "batch/PointNumberText.hpp"

#include <string>

namespace kartoval {
namespace {

// Lines are gathered into chunks of about this size before they are written.
constexpr std::size_t kChunkSize = std::size_t{32} * 1024;
// The longest line: three numbers of at most 320 characters and their separators.
constexpr std::size_t kLongestLine = 3 * 320 + 3;

}  // namespace

void WritePointLines(const PointTable& table, AtomicFileWriter& output)
{
    std::string chunk;
    chunk.reserve(kChunkSize + kLongestLine);
    for (int k = 1; k <= table.RowCount(); ++k) {
        const FilePoint& point = table.Record(k);
        AppendPointNumber(chunk, point.ShotPoint);
        chunk += '\t';
        AppendPointNumber(chunk, point.Lon);
        chunk += '\t';
        AppendPointNumber(chunk, point.Lat);
        chunk += '\n';
        if (chunk.size() >= kChunkSize) {
            output.Write(chunk);
            chunk.clear();
        }
    }
    output.Write(chunk);
}

}  // namespace kartoval
