#pragma once

namespace fenlow::cli {

// Makes standard input and output carry bytes unchanged (no CR LF
// translation where the C library would otherwise do it).
void UseBinaryStdio();

}  // namespace fenlow::cli
