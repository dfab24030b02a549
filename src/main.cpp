// Quillaby: an OpenGL underwater screen saver.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/FOndrel.h"
#include "app/IdleWatchJob.h"
#include "app/SceneJobs.h"
#include "app/StoredSceneOptions.h"
#include "app/WallpaperJob.h"
#include "compose/SystemModes.h"
#include "platform/Services.h"

int main(int argc, char** argv) {
    using namespace quillaby::app;
    try {
        // Paths on the command line (--gl-trace, --snapshot, --assets) are UTF-8 from here on.
        std::vector<std::string> arguments = quillaby::compose::ProgramArguments(argc, argv);
        std::vector<char*> pointers;
        for (std::string& argument : arguments) pointers.push_back(argument.data());
        pointers.push_back(nullptr);
        argc = static_cast<int>(arguments.size());
        argv = pointers.data();
        if (const auto code = quillaby::compose::RunSystemMode(argc, argv)) return *code;
        RunOptions options = ParseCommandLine(argc, argv);
        if (options.Job != JobKind::Saver && options.Job != JobKind::Help &&
            options.Job != JobKind::IdleWatch)
            ApplyStoredSceneOptions(options);
        switch (options.Job) {
        case JobKind::Saver:
            return RunScreenSaver(options, quillaby::platform::SystemServices());
        case JobKind::Window:
            return RunWindowJob(options);
        case JobKind::Snapshot:
            return RunSnapshotJob(options, stdout);
        case JobKind::Wallpaper:
            return RunWallpaperJob(options, quillaby::platform::SystemServices(), stderr);
        case JobKind::IdleWatch:
            return RunIdleWatchJob(options, stdout, stderr);
        case JobKind::Help:
            std::fputs(UsageText().c_str(), stdout);
            return 0;
        }
    } catch (const UsageError& e) {
        std::fprintf(stderr, "quillaby: %s\n\n%s", e.what(), UsageText().c_str());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillaby: %s\n", e.what());
        return 1;
    }
    return 1;
}
