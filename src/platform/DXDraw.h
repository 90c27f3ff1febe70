#pragma once

// The screen: a back surface the program draws a frame on, shown in a window of its size
// (or kept off-screen when headless), the 10 ms frame timer and the window's message loop.

#include "Surface.h"

#include <functional>
#include <memory>
#include <string>

struct SDL_Window;

enum class TMouseButton { Left, Right, Middle };

// The mouse buttons held during a mouse event.
struct TShiftState {
    bool Left = false;
    bool Right = false;
    bool Middle = false;
};

// What the message loop reports to the window's owner; coordinates are surface pixels.
class TWindowEvents {
public:
    virtual ~TWindowEvents() = default;
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
    virtual void MouseMove(TShiftState shift, int x, int y) = 0;
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y) = 0;
    // The window needs a new frame (after an invalidation or an expose).
    virtual void Paint() = 0;
};

// The frame timer; its handler runs on the window's thread.
struct TDXTimer {
    int Interval = 10;  // milliseconds
    bool Enabled = false;
    std::function<void(int lagCount)> OnTimer;
};

class TDXDraw {
public:
    TDXDraw();
    ~TDXDraw();
    TDXDraw(const TDXDraw&) = delete;
    TDXDraw& operator=(const TDXDraw&) = delete;

    // Opens a window titled caption (cp1251) with a client area of width x height; false
    // when no display can be opened.
    bool InitializeWindow(const std::string& caption, int width, int height);
    // Keeps the back surface off-screen (tests, screenshots); always succeeds.
    void InitializeHeadless(int width, int height);

    // False until initialised; painting does nothing then.
    bool CanDraw() const { return mInitialized; }
    // The target of all drawing of a frame.
    TDirectDrawSurface& Surface() { return mSurface; }
    // Shows the back surface in the window (a count only, when headless); the window then
    // shows the latest frame, so a pending invalidation is done with.
    void Flip();
    int FlipCount() const { return mFlips; }
    // Bits per pixel of the display format.
    int BitCount() const { return 32; }
    // Asks for a Paint on the next pass of the message loop.
    void Invalidate() { mInvalidated = true; }
    // True while a Paint has been asked for and no frame flipped since.
    bool Invalidated() const { return mInvalidated; }

    // Runs the message loop until the window is closed: mouse events and paints go to events,
    // the timer fires every Interval ms, and tasks posted from worker threads run.
    void Run(TWindowEvents& events, TDXTimer& timer);

    // The window, for message boxes; null when headless.
    SDL_Window* NativeWindow() const;

private:
    struct Window;

    std::unique_ptr<Window> mWindow;
    TDirectDrawSurface mSurface;
    bool mInitialized = false;
    bool mInvalidated = false;
    int mFlips = 0;
};
