#include "app/InputGate.h"

#include <cstdlib>

namespace quillaby::app {

void TInputGate::Reset() {
    MoveSkip = SkippedMoves;
    AnchorX = -1;
    AnchorY = -1;
}

bool TInputGate::CheckMouseMove(int x, int y) {
    if (MoveSkip > 0) {
        --MoveSkip;
        return false;
    }
    if (AnchorX == -1 && AnchorY == -1) {
        AnchorX = x;
        AnchorY = y;
        return false;
    }
    // Both axes must move: a slide along one axis, however long, keeps the saver.
    if (std::abs(x - AnchorX) >= MoveThreshold && std::abs(y - AnchorY) >= MoveThreshold) {
        AnchorX = x;
        AnchorY = y;
        return true;
    }
    return false;
}

} // namespace quillaby::app
