#pragma once
// The program keeps every text, paths included, in UTF-8; the system's wide (UTF-16) calls take and
// give them across this boundary, so folders outside the ANSI code page work.
#include <string>
#include <string_view>
#include <vector>

namespace quillaby::platform {

// UTF-8 to UTF-16; an invalid sequence becomes U+FFFD.
std::wstring Widen(std::string_view utf8);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view wide);

// The process's command line (GetCommandLineW), split as the C runtime splits it, in UTF-8; empty
// when the system cannot split it.
std::vector<std::string> CommandLineArguments();

// The system's text for an error code in UTF-8, without the line break it ends with; "error N"
// when the system has none.
std::string SystemErrorText(unsigned long code);

} // namespace quillaby::platform
