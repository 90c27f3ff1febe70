#include "DXDraw.h"

#include "Clock.h"
#include "Handles.h"
#include "MainThread.h"
#include "Text.h"
#include "Video.h"


namespace {

TShiftState ShiftFromMask(uint32_t mask) {
    return {(mask & SDL_BUTTON_LMASK) != 0, (mask & SDL_BUTTON_RMASK) != 0, (mask & SDL_BUTTON_MMASK) != 0};
}

bool ButtonFromSdl(uint8_t button, TMouseButton& out) {
    switch (button) {
        case SDL_BUTTON_LEFT: out = TMouseButton::Left; return true;
        case SDL_BUTTON_RIGHT: out = TMouseButton::Right; return true;
        case SDL_BUTTON_MIDDLE: out = TMouseButton::Middle; return true;
        default: return false;
    }
}

// True when the video driver shows nothing on a screen. SDL falls back to such a driver when
// no display can be opened; a game window there would run unseen.
bool IsInvisibleDriver(std::string_view driver) {
    return driver == "offscreen" || driver == "dummy" || driver == "evdev";
}

// True when the environment names the driver in SDL_VIDEODRIVER (how a test asks for one).
bool IsRequestedDriver(std::string_view driver) {
    const char* requested = SDL_getenv("SDL_VIDEODRIVER");
    if (!requested) return false;
    std::string_view list(requested);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        if (list.substr(0, comma) == driver) return true;
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return false;
}

}  // namespace

struct TDXDraw::Window {
    // Members go in reverse order of their release: the frame, the window, then the video.
    struct Video {
        ~Video() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
    } video;
    SdlWindowPtr window;
    SdlSurfacePtr frame;  // wraps mSurface's pixels, no copy
};

TDXDraw::TDXDraw() = default;
TDXDraw::~TDXDraw() = default;

bool TDXDraw::InitializeWindow(const std::string& caption, int width, int height) {
    if (!InitVideo()) return false;
    auto window = std::make_unique<Window>();
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || (IsInvisibleDriver(driver) && !IsRequestedDriver(driver))) return false;
    window->window.reset(SDL_CreateWindow(ToUtf8(caption).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          width, height, SDL_WINDOW_SHOWN));
    if (!window->window) return false;
    mSurface = TDirectDrawSurface(width, height);
    window->frame.reset(SDL_CreateRGBSurfaceWithFormatFrom(mSurface.Image().Row(0), width, height, 32, width * 4,
                                                           SDL_PIXELFORMAT_RGB888));
    if (!window->frame) return false;
    mWindow = std::move(window);
    mInitialized = true;
    return true;
}

void TDXDraw::InitializeHeadless(int width, int height) {
    mWindow.reset();
    mSurface = TDirectDrawSurface(width, height);
    mInitialized = true;
}

SDL_Window* TDXDraw::NativeWindow() const {
    return mWindow ? mWindow->window.get() : nullptr;
}

void TDXDraw::Flip() {
    ++mFlips;
    mInvalidated = false;
    if (!mWindow) return;
    SDL_Surface* screen = SDL_GetWindowSurface(mWindow->window.get());  // owned by the window
    if (!screen) return;
    SDL_BlitSurface(mWindow->frame.get(), nullptr, screen, nullptr);
    SDL_UpdateWindowSurface(mWindow->window.get());
}

void TDXDraw::Run(TWindowEvents& events, TDXTimer& timer) {
    uint32_t nextTick = TickCount() + timer.Interval;
    for (;;) {
        const int32_t wait = static_cast<int32_t>(nextTick - TickCount());
        SDL_Event event;
        bool have = SDL_WaitEventTimeout(&event, wait > 0 ? wait : 0) != 0;
        while (have) {
            TMouseButton button;
            switch (event.type) {
                case SDL_QUIT:
                    return;
                case SDL_MOUSEBUTTONDOWN:
                    if (ButtonFromSdl(event.button.button, button))
                        events.MouseDown(button, ShiftFromMask(SDL_GetMouseState(nullptr, nullptr)), event.button.x,
                                         event.button.y);
                    break;
                case SDL_MOUSEBUTTONUP:
                    if (ButtonFromSdl(event.button.button, button))
                        events.MouseUp(button, ShiftFromMask(SDL_GetMouseState(nullptr, nullptr)), event.button.x,
                                       event.button.y);
                    break;
                case SDL_MOUSEMOTION:
                    events.MouseMove(ShiftFromMask(event.motion.state), event.motion.x, event.motion.y);
                    break;
                case SDL_WINDOWEVENT:
                    if (event.window.event == SDL_WINDOWEVENT_EXPOSED) mInvalidated = true;
                    if (event.window.event == SDL_WINDOWEVENT_CLOSE) return;
                    break;
                default:
                    break;
            }
            have = SDL_PollEvent(&event) != 0;
        }
        // A task from a worker (a finished fill) may change what the screen shows.
        if (RunPostedTasks()) mInvalidated = true;
        const uint32_t now = TickCount();
        if (static_cast<int32_t>(now - nextTick) >= 0) {
            const int lag = static_cast<int>((now - nextTick) / timer.Interval);
            nextTick += timer.Interval * (lag + 1);
            if (timer.Enabled && timer.OnTimer) timer.OnTimer(lag);
        }
        if (mInvalidated && mInitialized) events.Paint();
    }
}
