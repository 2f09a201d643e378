#pragma once

#include "core/runtimeerror.h"

#include <QString>

// What the converter window and qxm-convert say when a run stops, e.g.
// "Subscript out of range: character 3, tab (code 9), has no glyph".
QString DescribeRunTimeError(const qxm::RunTimeError &error);
