#pragma once

#include "core/runtimeerror.h"

#include <string>

namespace qxm {

// What the converter window, qxm-convert and the web page say when a run
// stops, in UTF-8, e.g. "Subscript out of range: character 3, tab (code 9),
// has no glyph".
std::string DescribeRunTimeError(const RunTimeError &error);

} // namespace qxm
