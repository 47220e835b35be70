#pragma once
// Table-driven tests name their rows; a failing row is shown by that name
// rather than as raw bytes. Bring it in with `using testing::PrintTo;` in the
// namespace of the rows.

#include <ostream>

namespace kartoval::testing {

template <class Row>
    requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

}  // namespace kartoval::testing
