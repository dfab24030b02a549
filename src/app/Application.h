#pragma once
// The application object: the program's title, its message loop with an idle hook and an
// exception hook, and the flag that ends the loop.
#include <exception>
#include <functional>
#include <string>

namespace quillaby::platform {
class EventPump;
struct InputEvent;
class MessageBox;
} // namespace quillaby::platform

namespace quillaby::app {

class TApplication {
  public:
    using IdleHook = std::function<void(bool& done)>;
    using ExceptionHook = std::function<void(const std::exception& e)>;
    using EventHandler = std::function<void(const platform::InputEvent& event)>;

    // The message box the default exception report uses; it must outlive the object.
    explicit TApplication(platform::MessageBox& messages) : FMessages(messages) {}

    std::string Title;
    std::string HelpFile;
    bool ShowMainForm = true;
    IdleHook OnIdle;           // raised whenever the queue is empty; done = true waits for an event
    ExceptionHook OnException; // every exception that reaches the loop
    EventHandler OnEvent;      // every event taken from the queue

    // Runs until Terminate: drains the queue, then one idle pass; when the idle hook answers done,
    // waits for the next event instead of passing again. An exception from an event or an idle pass
    // goes to HandleException; one raised by the exception hook itself leaves Run.
    void Run(platform::EventPump& pump);
    // OnException when set, else a message box with the title as caption, then Terminate.
    void HandleException(const std::exception& e);

    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    // The program's exit code: 0 unless SetExitCode chose another.
    int ExitCode() const { return FExitCode; }
    void SetExitCode(int code) { FExitCode = code; }

    platform::MessageBox& Messages() { return FMessages; }

  private:
    platform::MessageBox& FMessages;
    bool FTerminated = false;
    int FExitCode = 0;
};

} // namespace quillaby::app
