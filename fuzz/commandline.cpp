// Feeds arbitrary argument vectors (the input split at NUL bytes, argument 0 first) to every reader
// of the command line: the hack-mode options of a screen-saver daemon, our own options, then the
// screen-saver mode and host window of what is left; and the saver's readers also straight on the
// raw arguments. Every outcome must be options or a quillaby::Error, never a crash.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/HackOptions.h"
#include "app/ScrSaverApp.h"
#include "base/Error.h"

namespace {

void ReadSaverArguments(const std::string& program, const std::vector<std::string>& arguments) {
    quillaby::app::ParseSaverMode(program, arguments);
    for (const auto& rule : {quillaby::platform::XWindowIds, quillaby::platform::Win32WindowHandles}) {
        try {
            quillaby::app::ParseHostWindow(arguments, 7, rule);
        } catch (const quillaby::Error&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> arguments(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            arguments.emplace_back();
        else
            arguments.back() += static_cast<char>(data[i]);
    }
    std::vector<const char*> argv;
    for (const std::string& a : arguments) argv.push_back(a.c_str());
    argv.push_back(nullptr);
    for (const char* daemonWindow : {static_cast<const char*>(nullptr), "0x2c00007", "junk"}) {
        try {
            quillaby::app::ParseHackCommandLine(static_cast<int>(arguments.size()), argv.data(),
                                                daemonWindow);
        } catch (const quillaby::Error&) {
        }
    }
    for (const std::string& a : arguments) {
        try {
            quillaby::app::ParseWindowId("-window-id", a);
        } catch (const quillaby::Error&) {
        }
    }
    try {
        const quillaby::app::RunOptions options =
            quillaby::app::ParseCommandLine(static_cast<int>(arguments.size()), argv.data());
        ReadSaverArguments(options.ProgramPath, options.SaverArguments);
    } catch (const quillaby::Error&) {
    }
    ReadSaverArguments(arguments[0], std::vector<std::string>(arguments.begin() + 1, arguments.end()));
    return 0;
}
