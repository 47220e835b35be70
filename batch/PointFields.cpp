#include "batch/PointFields.hpp"

namespace kartoval {

char ColumnLetter(int column) { return static_cast<char>('A' + column); }

}  // namespace kartoval
