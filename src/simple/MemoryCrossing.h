#pragma once
// Whether the profiles overflow the mouse's memory, as the simple view warns
// of it: the state changes only when the use crosses 100 % (exactly 100 is
// not over), and the message is due only on a rise above it while the window
// is visible. A rise while hidden changes the state alone, so a later show
// finds nothing to tell.
class MemoryCrossing
{
public:
    struct Step
    {
        bool changed = false;    // the state flipped: show or hide the dot
        bool over = false;       // the state after this check
        bool messageDue = false; // tell the user now
    };

    Step check(double usedPercent, bool windowVisible);
    bool isOver() const { return m_over; }

private:
    bool m_over = false;
};
