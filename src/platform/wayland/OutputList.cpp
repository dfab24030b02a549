#include "platform/wayland/OutputList.h"

#include <algorithm>

namespace quillaby::platform {

MonitorRect OutputInfo::Logical() const {
    const int scale = std::max(Scale, 1);
    return MonitorRect{X, Y, PixelWidth / scale, PixelHeight / scale};
}

void OutputList::Add(uint32_t global) {
    if (Find(global)) return;
    OutputInfo output;
    output.Global = global;
    FOutputs.push_back(output);
}

bool OutputList::Remove(uint32_t global) {
    const auto it = std::find_if(FOutputs.begin(), FOutputs.end(),
                                 [global](const OutputInfo& o) { return o.Global == global; });
    if (it == FOutputs.end()) return false;
    FOutputs.erase(it);
    return true;
}

OutputInfo* OutputList::Find(uint32_t global) {
    for (OutputInfo& output : FOutputs)
        if (output.Global == global) return &output;
    return nullptr;
}

bool OutputList::Done(uint32_t global) {
    OutputInfo* output = Find(global);
    if (!output || output->PixelWidth <= 0 || output->PixelHeight <= 0) return false;
    const bool first = !output->Done;
    output->Done = true;
    return first;
}

std::vector<OutputInfo> OutputList::Ready() const {
    std::vector<OutputInfo> ready;
    for (const OutputInfo& output : FOutputs)
        if (output.Done) ready.push_back(output);
    return ready;
}

std::optional<OutputInfo> OutputList::Primary() const {
    const std::vector<OutputInfo> ready = Ready();
    if (ready.empty()) return std::nullopt;
    for (const OutputInfo& output : ready)
        if (output.X == 0 && output.Y == 0) return output;
    return ready.front();
}

} // namespace quillaby::platform
