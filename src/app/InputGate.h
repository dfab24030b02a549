#pragma once
// Which input ends a full-screen run: any key, any mouse button, or a mouse movement once five
// moves have been ignored and only when both coordinates moved 3 pixels or more from the anchor.
namespace quillaby::app {

class TInputGate {
  public:
    static constexpr int SkippedMoves = 5;
    static constexpr int MoveThreshold = 3; // pixels on each axis

    // Five moves to ignore, no anchor: at every run start and every close attempt.
    void Reset();
    // True when this move asks to close the run.
    bool CheckMouseMove(int x, int y);

    int MoveSkip = SkippedMoves;
    int AnchorX = -1; // -1, -1: no anchor
    int AnchorY = -1;
};

} // namespace quillaby::app
