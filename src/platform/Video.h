#pragma once

// Starting SDL's video for the platform layer's windows. Only the layer's own source files
// include this.

#include <SDL.h>

// Initialises SDL's video (counted: each success needs its SDL_QuitSubSystem) with the hints
// every window of the program relies on; true on success. The hints must be set before the
// first window shows a frame: SDL settles how windows show frames then, once for the process.
inline bool InitVideo() {
    SDL_SetHint(SDL_HINT_APP_NAME, "Quillmarsh");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Frames are drawn in software and copied to the window as they are. With acceleration SDL
    // would put a renderer behind a window's surface, recreating the window at its first frame
    // (a new window for whoever found the first) and, without a GPU, drawing through software GL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}
