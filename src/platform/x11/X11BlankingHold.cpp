#include "platform/x11/X11BlankingHold.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>
#include <X11/extensions/scrnsaver.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/UserIdleClock.h"
#include "platform/x11/X11Dpms.h"

namespace quillaby::platform {

namespace {

// How often the hold looks at the server, and how long before the saver would fire it resets the
// timer: several looks, so a busy machine cannot let the saver through.
constexpr auto TickPeriod = std::chrono::seconds(1);
constexpr unsigned long ResetAhead = 5000; // milliseconds

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// One connection's watch over the server's saver and the monitor's power.
class SaverWatch {
  public:
    explicit SaverWatch(Display* display) : FDisplay(display) {
        int event = 0, error = 0;
        FHasInfo = XScreenSaverQueryExtension(display, &event, &error);
        // Without the saver extension the server's idle time is unknown: the hold's start counts as
        // the last input.
        if (!FHasInfo) FIdle.Observe(Now(), 0);
    }

    void Tick() {
        bool saverOn = false;
        bool resetDue = false;
        if (FHasInfo) {
            XScreenSaverInfo info{};
            // Read before asking: a slow answer then makes the last event look older, never newer,
            // so our own reset is never taken for input.
            const double asked = Now();
            XScreenSaverQueryInfo(FDisplay, DefaultRootWindow(FDisplay), &info);
            FIdle.Observe(asked, info.idle / 1000.0);
            saverOn = info.state == ScreenSaverOn;
            resetDue = saverOn || (info.state == ScreenSaverOff && info.til_or_since <= ResetAhead);
        } else {
            int timeout = 0, interval = 0, blanking = 0, exposures = 0;
            XGetScreenSaver(FDisplay, &timeout, &interval, &blanking, &exposures);
            resetDue = timeout > 0;
        }

        DpmsReading dpms = ReadDpms(FDisplay);
        if (dpms.Present && dpms.Enabled) {
            const int due = DuePowerLevel(FIdle.Idle(Now()), dpms.Standby, dpms.Suspend, dpms.Off);
            if (due > dpms.Level) {
                DPMSForceLevel(FDisplay, static_cast<CARD16>(due));
                dpms.Level = due;
            }
        }
        // A monitor that sleeps is the user's: a reset now could only count as activity.
        if (resetDue && !dpms.PoweredDown()) {
            XForceScreenSaver(FDisplay, ScreenSaverReset);
            XSync(FDisplay, False);
            FIdle.ResetByUs(Now());
        }
        XFlush(FDisplay);
    }

  private:
    Display* FDisplay;
    bool FHasInfo = false;
    UserIdleClock FIdle;
};

} // namespace

struct X11BlankingHold::State {
    Display* display = nullptr;
    int holds = 0;
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    std::thread thread;

    void Run(SaverWatch watch) {
        std::unique_lock lock(mutex);
        while (!wake.wait_for(lock, TickPeriod, [this] { return stopping; })) {
            lock.unlock();
            watch.Tick();
            lock.lock();
        }
    }
};

X11BlankingHold::X11BlankingHold() : FState(std::make_unique<State>()) {}

X11BlankingHold::~X11BlankingHold() {
    if (FState->holds > 0) {
        FState->holds = 1;
        Release();
    }
}

void X11BlankingHold::Hold() {
    State& s = *FState;
    if (s.holds++ > 0) return;
    // The connection is used by a thread of its own while SDL's and others live on the main one:
    // Xlib's shared state (the extensions' display lists) needs its locks. libX11 1.8 takes them
    // by itself; older ones only when asked before their first connection.
    XInitThreads();
    s.display = XOpenDisplay(nullptr);
    if (s.display == nullptr) return;
    // The first look at once: a saver that is on already (a locker starts us as the server's comes
    // on) goes down before our window shows. From then on the connection is the thread's alone.
    SaverWatch watch(s.display);
    watch.Tick();
    s.stopping = false;
    s.thread = std::thread([&s, watch]() mutable { s.Run(watch); });
}

void X11BlankingHold::Release() {
    State& s = *FState;
    if (s.holds == 0 || --s.holds > 0 || s.display == nullptr) return;
    {
        std::lock_guard lock(s.mutex);
        s.stopping = true;
    }
    s.wake.notify_all();
    if (s.thread.joinable()) s.thread.join();
    XCloseDisplay(s.display);
    s.display = nullptr;
}

} // namespace quillaby::platform
