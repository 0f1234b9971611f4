// The process's standard input and output as the command-line tool uses them.
#pragma once

namespace fenlow::platform {

// Makes standard input and output carry bytes unchanged (no CR LF
// translation where the C library would otherwise do it).
void UseBinaryStandardStreams();

}  // namespace fenlow::platform
