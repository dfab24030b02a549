// The ext-idle-notify side of the notifier, against a stand-in compositor: the headless sway here
// offers only KDE's protocol (tests/e2e covers that one).
#include <gtest/gtest.h>
#include <poll.h>
#include <wayland-server.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "ext-idle-notify-v1-server-protocol.h"
#include "platform/wayland/WaylandIdleNotifier.h"
#include "support/ScopedEnv.h"

extern "C" const wl_interface org_kde_kwin_idle_interface;

namespace quillaby::platform {
namespace {

// Offers a seat, KDE's protocol and ext-idle-notify, on a thread of its own. On the
// first notification asked for, it reports idle, then input, and closes: the session ends.
class StandIn {
  public:
    std::atomic<uint32_t> AskedTimeout{0}; // milliseconds; set on the compositor thread

    StandIn() {
        wl_display_add_socket(FDisplay, "idle-test-0");
        wl_global_create(FDisplay, &wl_seat_interface, 1, nullptr,
                         [](wl_client* c, void*, uint32_t, uint32_t id) {
                             wl_resource_create(c, &wl_seat_interface, 1, id);
                         });
        // Listed first: the notifier must still prefer the newer protocol.
        wl_global_create(FDisplay, &org_kde_kwin_idle_interface, 1, nullptr,
                         [](wl_client*, void*, uint32_t, uint32_t) {});
        wl_global_create(FDisplay, &ext_idle_notifier_v1_interface, 1, this, Bind);
        FThread = std::thread([this] {
            wl_display_run(FDisplay);
            wl_display_destroy_clients(FDisplay);
        });
    }
    ~StandIn() {
        wl_display_terminate(FDisplay); // wakes its loop through an eventfd: safe from this thread
        FThread.join();
        wl_display_destroy(FDisplay);
    }

  private:
    static void Bind(wl_client* client, void* data, uint32_t, uint32_t id) {
        static const struct ext_idle_notifier_v1_interface kNotifier = {
            [](wl_client*, wl_resource* r) { wl_resource_destroy(r); },
            [](wl_client* client, wl_resource* r, uint32_t id, uint32_t timeout, wl_resource*) {
                auto& self = *static_cast<StandIn*>(wl_resource_get_user_data(r));
                self.AskedTimeout = timeout;
                wl_resource* note = wl_resource_create(client, &ext_idle_notification_v1_interface, 1, id);
                ext_idle_notification_v1_send_idled(note);
                ext_idle_notification_v1_send_resumed(note);
                wl_client_flush(client);
                wl_display_terminate(self.FDisplay);
            }};
        wl_resource* r = wl_resource_create(client, &ext_idle_notifier_v1_interface, 1, id);
        wl_resource_set_implementation(r, &kNotifier, data, nullptr);
    }

    wl_display* FDisplay = wl_display_create();
    std::thread FThread;
};

TEST(WaylandIdleNotifier, PrefersExtIdleNotifyAndEndsOnceTheCompositorCloses) {
    const auto dir = std::filesystem::temp_directory_path() / ("idle-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.c_str());
    test::ScopedEnv display("WAYLAND_DISPLAY", (dir / "idle-test-0").c_str());
    StandIn compositor;
    auto notifier = WaylandIdleNotifier::Open(1500);
    ASSERT_NE(notifier, nullptr);
    EXPECT_EQ(notifier->ProtocolName(), "ext-idle-notify");
    std::vector<IdleEvent> events;
    for (int wakeups = 0; wakeups < 10 && notifier->Descriptor() >= 0; ++wakeups) {
        pollfd fd{notifier->Descriptor(), POLLIN, 0};
        ASSERT_EQ(poll(&fd, 1, 5000), 1);
        notifier->Dispatch(events);
    }
    EXPECT_EQ(events, (std::vector{IdleEvent::Idle, IdleEvent::Active, IdleEvent::SessionGone}));
    EXPECT_EQ(compositor.AskedTimeout, 1500u);
    notifier->Dispatch(events); // nothing more once gone
    EXPECT_EQ(events.size(), 3u);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace quillaby::platform
