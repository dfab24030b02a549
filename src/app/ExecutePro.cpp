#include "app/ExecutePro.h"

#include "platform/Processes.h"
#include "platform/ProgramLocation.h"

namespace quillaby::app {
namespace {

std::string DirectoryPart(const std::string& text) {
    return text.substr(0, text.size() - platform::FileNameOf(text).size());
}

std::vector<std::string> SplitAtBlanks(const std::string& text) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        const size_t start = text.find_first_not_of(' ', i);
        if (start == std::string::npos) break;
        const size_t end = text.find(' ', start);
        words.push_back(text.substr(start, end - start));
        i = end;
    }
    return words;
}

platform::ShowWindow ShowOf(TExecWindowStyle style) {
    switch (style) {
    case ewHide:
        return platform::ShowWindow::Hide;
    case ewMaximize:
        return platform::ShowWindow::Maximize;
    case ewMinimize:
        return platform::ShowWindow::Minimize;
    case ewShow:
        break;
    }
    return platform::ShowWindow::Show;
}

} // namespace

int NiceValueOf(TExecPriority priority) {
    switch (priority) {
    case epHigh:
        return -5;
    case epIdle:
        return 19;
    case epRealTime:
        return -20;
    case epNormal:
        break;
    }
    return 0;
}

void TExecutePro::SetCommandLine(const std::string& value) {
    FCommandLine = value;
    const std::string dir = DirectoryPart(value);
    if (DefaultDirectory.empty()) DefaultDirectory = dir;
    const std::string name = value.substr(dir.size());

    // Backwards from the end to the first "." met; the leftmost blank passed on the way is the split.
    size_t split = name.size();
    for (size_t i = name.size(); i-- > 0;) {
        if (name[i] == '.') {
            if (i == 0) split = name.size();
            break;
        }
        if (name[i] == ' ') split = i;
    }
    FProgramName = dir + name.substr(0, split);
    FParameters = split < name.size() ? name.substr(split + 1) : "";
}

void TExecutePro::ExecuteCommand(const std::string& text) {
    SetCommandLine(text);
    Execute();
}

void TExecutePro::Execute() {
    const bool process = Mode == emProcess || (Mode == emAuto && platform::IsExecutableFile(FProgramName));
    if (!process) {
        platform::OpenDocument(FProgramName); // the opener's answer is not ours to report
        return;
    }
    std::vector<std::string> arguments{FProgramName};
    for (std::string& word : SplitAtBlanks(FParameters)) arguments.push_back(std::move(word));
    StartProcess(arguments);
}

void TExecutePro::ExecuteProgram(const std::string& program, const std::vector<std::string>& parameters) {
    FProgramName = program;
    FParameters.clear();
    for (const std::string& p : parameters) FParameters += (FParameters.empty() ? "" : " ") + p;
    FCommandLine = program + (FParameters.empty() ? "" : " " + FParameters);
    if (DefaultDirectory.empty()) DefaultDirectory = DirectoryPart(program);
    std::vector<std::string> arguments{program};
    arguments.insert(arguments.end(), parameters.begin(), parameters.end());
    StartProcess(arguments);
}

void TExecutePro::StartProcess(const std::vector<std::string>& arguments) {
    FLastExitCode = -1;
    const int pid = platform::StartProcess(arguments[0], arguments, DefaultDirectory, NiceValueOf(Priority),
                                           ShowOf(WindowStyle));
    if (pid < 0) return;
    if (Wait) FLastExitCode = platform::WaitForProcess(pid);
}

} // namespace quillaby::app
