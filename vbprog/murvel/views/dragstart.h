#pragma once

// The drag start of a list: the press of a mouse button arms it, a move far enough with
// the left button held fires it. Coordinates are twips.
class DragStart
{
public:
    // A move must exceed this distance, along either axis, to start a drag.
    static constexpr int kThresholdTwips = 150;
    // Bit of the left button in the button state of the mouse events.
    static constexpr int kLeftButton = 1;

    // Any button: remembers where it went down.
    void press(int x, int y);
    // Whether a move to (x, y) with `buttons` held starts a drag: it moved more than the
    // threshold from the press, the press was not at X 0 or Y 0 (0 means none pending),
    // and the left button is held. A start disarms until the next press.
    bool moveStarts(int buttons, int x, int y);

private:
    int m_x = 0;
    int m_y = 0;
};
