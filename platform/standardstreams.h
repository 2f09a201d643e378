#pragma once

namespace qxm {

// Makes standard input and output carry bytes unchanged. Windows opens them
// in text mode, which writes every LF as CR LF (so a Data line's CR LF would
// come out as CR CR LF) and ends the input at a Ctrl+Z byte; elsewhere
// nothing changes.
void UseBinaryStandardStreams();

} // namespace qxm
