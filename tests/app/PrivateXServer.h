#pragma once
// An Xvfb of the test's own, with SDL pointed at it for as long as the object lives. For the few
// unit tests that need what the offscreen driver lacks: it lists no display mode that the program
// could use, so the saver's full-screen start refuses it.
#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/ScopedEnv.h"

namespace quillaby::test {

class PrivateXServer {
  public:
    // Starts the server (the server picks a free display number); Running() tells whether it did.
    explicit PrivateXServer(const char* screen = "800x600x24") {
        int ready[2];
        if (pipe(ready) != 0) return;
        FPid = fork();
        if (FPid == 0) {
            dup2(ready[1], 3);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp", nullptr);
            _exit(127);
        }
        close(ready[1]);
        std::string number;
        char c;
        while (FPid > 0 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
        close(ready[0]);
        if (number.empty()) return;
        // The GL driver stays mapped after SDL lets go of it, so that what it leaks is reported under
        // its own name (and suppressed) instead of as an unknown module.
        for (const char* library :
             {"libGL.so.1", "libGLX_mesa.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"})
            dlopen(library, RTLD_LAZY | RTLD_NODELETE);
        FDisplay.emplace("DISPLAY", (":" + number).c_str());
        FDriver.emplace("SDL_VIDEODRIVER", "x11");
        QuitVideo(); // a video subsystem started before reads the new driver on its next start
    }
    ~PrivateXServer() {
        // SDL's connection goes first: a server that vanishes under it ends the process.
        QuitVideo();
        FDriver.reset();
        FDisplay.reset();
        if (FPid > 0) {
            kill(FPid, SIGTERM);
            waitpid(FPid, nullptr, 0);
        }
    }
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    bool Running() const { return FDisplay.has_value(); }

  private:
    static void QuitVideo() {
        while (SDL_WasInit(SDL_INIT_VIDEO)) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    pid_t FPid = -1;
    std::optional<ScopedEnv> FDisplay;
    std::optional<ScopedEnv> FDriver;
};

} // namespace quillaby::test
