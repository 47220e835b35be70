#pragma once
// The point files are read by the toolkit's line reader, which the data
// tables share: the same line ends, byte-order mark and limit everywhere.

#include "toolkit/LineReader.hpp"
