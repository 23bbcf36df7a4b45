#pragma once

// What the full-screen show makes of a person's input: the first sign of
// activity ends it, but for the right-arrow key, which shows the next photo.
enum class SaverResponse { Nothing, Close, NextImage };

// The activity rules of the screensaver window, with the one thing they
// remember: where the pointer was first seen. There is no movement
// threshold: the first move only records the position, any later move to
// another position closes.
class SaverActivity {
public:
    // With closesOnInput false (a saver daemon owns the input) nothing the
    // person does means anything.
    explicit SaverActivity(bool closesOnInput = true) : m_bClosesOnInput(closesOnInput) {}

    // A pointer move to (x, y) in screen coordinates.
    SaverResponse mouseMoved(int x, int y);
    // Any mouse button, the wheel included.
    SaverResponse buttonPressed() const;
    // Any key, modifiers and system keys included.
    SaverResponse keyPressed(bool bRightArrow) const;
    // The window lost the keyboard focus or stopped being the active one.
    SaverResponse deactivated() const;

    bool positionKnown() const { return m_bPositionKnown; }
    // The first position seen; (-1, -1) until then.
    int lastMouseX() const { return m_nLastMouseX; }
    int lastMouseY() const { return m_nLastMouseY; }

private:
    SaverResponse closing() const {
        return m_bClosesOnInput ? SaverResponse::Close : SaverResponse::Nothing;
    }

    bool m_bClosesOnInput;
    bool m_bPositionKnown = false;
    int m_nLastMouseX = -1;
    int m_nLastMouseY = -1;
};
