// The saver host's own cost: one pass of the idle loop without the scene (the event poll, the idle
// hook and the frame-rate count), and the time from starting the program to its first presented frame
// on a real X server (Xvfb, 800 x 600), full screen (quillaby.scr /s) beside the window job.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "app/Application.h"
#include "app/ScrSaverApp.h"
#include "platform/EventPump.h"
#include "platform/MessageBox.h"
#include "platform/Processes.h"

// Last: Xlib defines macros (None, Status ...) that clash with ordinary names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using namespace quillaby;

class NoMessages : public platform::MessageBox {
  public:
    void Show(const std::string&, const std::string&, platform::MessageIcon) override {}
};

class QuietSystem : public platform::SaverSystem {
  public:
    void SetScreenSaverRunning(bool) override {}
    platform::WindowHandle ForegroundWindow() override { return 0; }
    platform::WindowHandleText HandleText() const override { return platform::XWindowIds; }
    bool PasswordRequired() override { return false; }
    std::function<bool(platform::WindowHandle)> LoadVerifyPassword() override { return {}; }
    std::function<void(platform::WindowHandle)> LoadChangePassword() override { return {}; }
};

class EmptyQueue : public platform::EventPump {
  public:
    bool Poll(platform::InputEvent&) override { return false; }
    void Wait() override {}
};

void BM_IdlePassWithoutScene(benchmark::State& state) {
    NoMessages messages;
    QuietSystem system;
    app::TApplication application(messages);
    app::TScreenSaverApp saver(application, "quillaby", {"/s"}, system);
    int frames = 0;
    saver.OnIdle = [&frames](bool&) { ++frames; };
    EmptyQueue queue;
    for (auto _ : state) {
        platform::InputEvent event;
        while (queue.Poll(event)) {
        }
        bool done = false;
        application.OnIdle(done);
    }
    benchmark::DoNotOptimize(frames);
}
BENCHMARK(BM_IdlePassWithoutScene);

// An Xvfb with a black root for the whole program; DISPLAY points at it.
class Server {
  public:
    Server() {
        int fds[2];
        if (pipe(fds) != 0) return;
        FPid = fork();
        if (FPid == 0) {
            dup2(fds[1], 3);
            execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "800x600x24", "-br", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char number[16] = {};
        const ssize_t n = read(fds[0], number, sizeof number - 1);
        close(fds[0]);
        if (n <= 0) return;
        setenv("DISPLAY", (":" + std::string(number, std::strcspn(number, "\n"))).c_str(), 1);
        FDisplay = XOpenDisplay(nullptr);
    }
    ~Server() {
        if (FDisplay) XCloseDisplay(FDisplay);
        if (FPid > 0) {
            kill(FPid, SIGTERM);
            waitpid(FPid, nullptr, 0);
        }
    }
    Display* display() const { return FDisplay; }

    // True once the pixel in the middle of the screen is no longer black.
    bool Drawn() const {
        XImage* image = XGetImage(FDisplay, DefaultRootWindow(FDisplay), 400, 300, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) return false;
        const bool drawn = (XGetPixel(image, 0, 0) & 0xFFFFFF) != 0;
        XDestroyImage(image);
        return drawn;
    }

  private:
    pid_t FPid = -1;
    Display* FDisplay = nullptr;
};

void StartToFirstFrame(benchmark::State& state, std::vector<std::string> arguments) {
    static Server server;
    if (server.display() == nullptr) {
        state.SkipWithError("no Xvfb");
        return;
    }
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("bench-saver-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path scr = folder / "quillaby.scr";
    if (!fs::exists(fs::symlink_status(scr))) fs::create_symlink(QUILLABY_PROGRAM, scr);
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (arguments[0] == "scr") arguments[0] = scr.string();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int pid = platform::StartProcess(arguments[0], arguments, "", 0);
        while (!server.Drawn()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        kill(pid, SIGTERM);
        platform::WaitForProcess(pid);
        while (server.Drawn()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    fs::remove_all(folder);
}

void BM_StartToFirstFrameFullScreen(benchmark::State& state) {
    StartToFirstFrame(state, {"scr", "/s"});
}
BENCHMARK(BM_StartToFirstFrameFullScreen)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_StartToFirstFrameWindow(benchmark::State& state) {
    StartToFirstFrame(state, {QUILLABY_PROGRAM, "--window", "--size", "800x600", "--no-sound"});
}
BENCHMARK(BM_StartToFirstFrameWindow)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
