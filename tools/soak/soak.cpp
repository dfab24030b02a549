// A long run of the window job for leak hunting: the scene in an ordinary window, exactly as
// `quillaby --window` runs it, while the theme and the counts are switched through the scene's
// options on a fixed schedule. Every frame is followed by a glGetError check; every 10 s the
// process's resident memory and open file descriptors are written as a CSV row. scripts/soak.sh
// runs it under Xvfb and judges the figures.
//
//   quillaby_soak --minutes M --csv FILE [--size WxH] [--switch-seconds S] [--no-sound]
#include <SDL.h>
#include <dirent.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "app/SceneSession.h"
#include "base/Error.h"
#include "gl/GLCalls.h"

namespace {

struct Settings {
    double Minutes = 30;
    int Width = 320;
    int Height = 240;
    double SwitchSeconds = 15; // seconds between two option changes
    bool Sound = true;
    std::string Csv = "soak.csv";
};

// The options the run steps through: every theme with few, many, none and the default counts.
struct Step {
    int Theme, Notes, Bubbles;
};
constexpr Step Schedule[] = {{0, 60, 100}, {1, 100, 100}, {2, 60, 100}, {0, 0, 0},    {1, 17, 3},
                             {2, 100, 0},  {0, 100, 100}, {1, 0, 100},  {2, 1, 1},    {0, 60, 100},
                             {2, 0, 100},  {1, 60, 100},  {0, 42, 58},  {2, 100, 100}};

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

int OpenDescriptors() {
    DIR* dir = opendir("/proc/self/fd");
    if (!dir) return -1;
    int n = 0;
    while (const dirent* e = readdir(dir)) n += e->d_name[0] != '.';
    closedir(dir);
    return n - 1; // the directory being read
}

Settings Parse(int argc, char** argv) {
    Settings s;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw quillaby::Error(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--minutes")
            s.Minutes = std::stod(value());
        else if (arg == "--csv")
            s.Csv = value();
        else if (arg == "--switch-seconds")
            s.SwitchSeconds = std::stod(value());
        else if (arg == "--size") {
            const std::string v = value();
            if (std::sscanf(v.c_str(), "%dx%d", &s.Width, &s.Height) != 2)
                throw quillaby::Error("--size WxH");
        } else if (arg == "--no-sound")
            s.Sound = false;
        else
            throw quillaby::Error("unknown argument " + arg);
    }
    return s;
}

int Run(const Settings& s) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw quillaby::Error(std::string("no display: ") + SDL_GetError());
    quillaby::app::RunOptions options;
    options.Job = quillaby::app::JobKind::Window;
    options.Width = s.Width;
    options.Height = s.Height;
    options.Sound = s.Sound;
    options.Seed = 1;
    quillaby::platform::GLWindowOptions window;
    window.Title = "Quillaby soak";
    window.Width = s.Width;
    window.Height = s.Height;
    window.Resizable = true;

    std::FILE* csv = std::fopen(s.Csv.c_str(), "w");
    if (!csv) throw quillaby::Error("Cannot write " + s.Csv);
    std::fprintf(csv, "seconds,rss_kb,open_fds,frames,gl_errors,theme,notes,bubbles\n");

    long frames = 0, glErrors = 0;
    {
        quillaby::app::SceneSession session(options, window);
        TSceneOptions& scene = session.Scene().Options;
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        double nextSample = 0, nextSwitch = 0;
        int step = 0;
        for (;;) {
            const double t = std::chrono::duration<double>(Clock::now() - start).count();
            if (t >= nextSwitch) {
                const Step& now = Schedule[step++ % std::size(Schedule)];
                scene.ThemeIndex = now.Theme;
                scene.DollarCount = now.Notes;
                scene.BubbleCount = now.Bubbles;
                nextSwitch += s.SwitchSeconds;
            }
            if (t >= nextSample) {
                std::fprintf(csv, "%.1f,%ld,%d,%ld,%ld,%d,%d,%d\n", t, ResidentKilobytes(), OpenDescriptors(),
                             frames, glErrors, scene.ThemeIndex, scene.DollarCount, scene.BubbleCount);
                std::fflush(csv);
                nextSample += 10;
            }
            if (t >= s.Minutes * 60) break;
            SDL_Event event;
            while (SDL_PollEvent(&event))
                if (event.type == SDL_QUIT) nextSwitch = nextSample = s.Minutes * 60;
            try {
                session.Loop().RenderFrame(); // raises the first GL error it polls
            } catch (const quillaby::Error& e) {
                if (glErrors++ < 5) std::fprintf(stderr, "frame %ld: %s\n", frames, e.what());
            }
            while (glGetError() != GL_NO_ERROR) ++glErrors; // anything left after the swap
            ++frames;
        }
    }
    std::fclose(csv);
    std::printf("%ld frames, %ld GL errors; samples in %s\n", frames, glErrors, s.Csv.c_str());
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return glErrors == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(Parse(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillaby_soak: %s\n", e.what());
        return 2;
    }
}
