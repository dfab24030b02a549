#pragma once
// Starts another program as a process (from an argument vector, never through a shell) or hands a
// document to the desktop's opener; optionally waits for a started process to end.
#include <string>
#include <vector>

namespace quillaby::app {

enum TExecWindowStyle { ewShow, ewHide, ewMaximize, ewMinimize };
enum TExecPriority { epNormal, epHigh, epIdle, epRealTime };
enum TExecMode {
    emAuto,    // a process when the program is an executable file, the desktop's opener otherwise
    emProcess, // always a process
    emShell,   // always the desktop's opener
};

// The nice value that stands for a priority class (idle 19, normal 0).
int NiceValueOf(TExecPriority priority);

class TExecutePro {
  public:
    TExecWindowStyle WindowStyle =
        ewMinimize; // the started program's first window; X programs place themselves
    TExecPriority Priority = epNormal;
    TExecMode Mode = emAuto;
    bool Wait = true;
    std::string DefaultDirectory; // filled from the first command line when empty

    // Splits the text into the program and its parameters: the program name ends at the first blank
    // after the last "." (the extension), or at the first blank when there is no ".".
    void SetCommandLine(const std::string& value);
    const std::string& CommandLine() const { return FCommandLine; }
    const std::string& ProgramName() const { return FProgramName; }
    const std::string& Parameters() const { return FParameters; }

    // Starts according to Mode. A start that fails is silent.
    void Execute();
    void ExecuteCommand(const std::string& text);
    // A process start of `program` with its parameters given one by one, for paths and switches
    // that a single command line cannot tell apart (a switch "/s" looks like a folder here).
    void ExecuteProgram(const std::string& program, const std::vector<std::string>& parameters);

    // The exit code of the last waited process; -1 when none was started or waited for.
    int LastExitCode() const { return FLastExitCode; }

  private:
    void StartProcess(const std::vector<std::string>& arguments);

    std::string FCommandLine;
    std::string FProgramName;
    std::string FParameters;
    int FLastExitCode = -1;
};

} // namespace quillaby::app
