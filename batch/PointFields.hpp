#pragma once
// The columns of the File page's point files, by their list letters.

namespace kartoval {

// The letter of a column list position: 0 is "A".
[[nodiscard]] char ColumnLetter(int column);

}  // namespace kartoval
