// What the page calls: the files to fetch, the live game on the display's animation callbacks, and the replay mode.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/frame_schedule.h"
#include "host/held_keys.h"
#include "presentation/render.h"
#include "shell/loop.h"
#include "web/key_map.h"
#include "web/page_platform.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <sstream>
#include <string>

// The page's side (page.js) of the calls the game makes into it.
EM_JS(void, pageStarted, (), { if (Module.onStarted) Module.onStarted(); });
EM_JS(void, pageFramePainted, (int frame), { if (Module.onFramePainted) Module.onFramePainted(frame); });
EM_JS(int, pageSoundRunning, (), {
    return typeof AL !== 'undefined' && AL.currentCtx && AL.currentCtx.audioCtx.state === 'running' ? 1 : 0;
});
EM_JS(void, pageClipStarted, (int frame, const char* file), {
    if (Module.onClipStarted) Module.onClipStarted(frame, UTF8ToString(file));
});
EM_JS(void, pageContextLost, (), { if (Module.onContextLost) Module.onContextLost(); });
EM_JS(void, pageContextRestored, (int drawing), { if (Module.onContextRestored) Module.onContextRestored(drawing); });
// Why the browser's WebGL would not take the picture that ended start-up.
EM_JS(void, pageLoadProblem, (const char* why), { Module.loadProblem = UTF8ToString(why); });

namespace {

AssetFiles files;        // filled by the page before anything starts
PageCaptions captions;   // filled by the page when captions are first turned on

// How tw_play, tw_replay_begin and tw_captions name the file that ended
// loading: 2 * its place in load order, + 1 when it was fetched but does not
// decode. The caption files come after the game's.
int failure(std::size_t file, bool fetched) { return static_cast<int>(2 * file + (fetched ? 1 : 0)); }

// tw_play's and tw_replay_begin's answer when the browser's WebGL does not build the shaders.
constexpr int NoShader = -4;

bool makeContext() {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;  // an opaque canvas, as the desktop's window is
    attributes.depth = EM_FALSE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;  // every pixel whole, as on the desktop
    attributes.premultipliedAlpha = EM_FALSE;
    attributes.majorVersion = 1;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context("#canvas", &attributes);
    return context > 0 && emscripten_webgl_make_context_current(context) == EMSCRIPTEN_RESULT_SUCCESS;
}

// The live game. Nothing in it is ever released: the page ends with the tab.
struct Live {
    PageTime time;
    ClipVoice voice;
    LivePlatform platform{files, captions, voice, time,
                          [this](Clip clip) { pageClipStarted(static_cast<int>(frames + 1), fileOf(clip)); }};
    Game game{platform};
    HeldKeys held;  // the keyboard's and the touch controls' keys, merged
    std::unique_ptr<FrameSchedule> schedule;
    bool started = false;  // the player has clicked or pressed a key
    long long frames = 0;
};
Live* live = nullptr;

double browserSeconds() { return emscripten_get_now() / 1000.0; }

void start() {
    if (live->started) return;
    live->started = true;
    live->voice.resume();
    pageStarted();
}

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* e, void*) {
    const PageKey key = pageKey(e->key);
    if (!live->started) {
        // The first press only lifts the page's overlay and wakes the sound.
        if (type == EMSCRIPTEN_EVENT_KEYDOWN) start();
        return key.taken;
    }
    Event event;
    event.type = type == EMSCRIPTEN_EVENT_KEYDOWN ? Event::KeyPressed : Event::KeyReleased;
    event.key = key.key;
    if (live->held.keyboard(event)) live->platform.press(event);
    return key.taken;  // the browser acts on every key but the game's five
}

void pressEvent(const Event& event) { live->platform.press(event); }

// Focus went elsewhere (another tab or window, the address bar): a key let
// go there never reaches the page, so every key the game holds goes up now.
void letGo() { live->held.releaseAll(pressEvent); }

EM_BOOL onBlur(int, const EmscriptenFocusEvent*, void*) {
    letGo();
    return EM_FALSE;
}

EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
    const double now = browserSeconds();
    if (e->hidden) {
        letGo();
        live->time.hide(now);
        live->voice.suspend();
    } else if (live->time.hidden()) {
        live->schedule->pause(live->time.show(now), now);
        if (live->started) live->voice.resume();
    }
    return EM_FALSE;
}

EM_BOOL onAnimationFrame(double milliseconds, void*) {
    if (!live->time.hidden() && live->schedule->take(milliseconds / 1000.0)) {
        runFrame(live->game);
        live->frames += 1;
        if (live->frames == 1) pageFramePainted(1);  // the page measures its start-up by it
    }
    return EM_TRUE;
}

// The replay mode.
struct Replay {
    explicit Replay(const InputScript& recording)
        : platform(files, captions, recording, [](int frame) { pageFramePainted(frame); },
                   [](int frame, Clip clip) { pageClipStarted(frame, fileOf(clip)); }) {}
    ReplayPlatform platform;
    Game game{platform};
};
Replay* replay = nullptr;

// The canvas of whichever game runs.
GlCanvas* runningCanvas() {
    return live != nullptr ? &live->platform.canvas() : replay != nullptr ? &replay->platform.canvas() : nullptr;
}

EM_BOOL onContextLost(int, const void*, void*) {
    if (GlCanvas* canvas = runningCanvas()) canvas->lose();
    pageContextLost();
    return EM_TRUE;  // cancels the browser's default, so that it may give the context back
}

EM_BOOL onContextRestored(int, const void*, void*) {
    GlCanvas* canvas = runningCanvas();
    pageContextRestored(canvas == nullptr || canvas->restore() ? 1 : 0);
    return EM_TRUE;
}

// Watches the canvas for a lost context; whether the browser built the game's shaders.
bool canDraw(PagePlatform& platform) {
    emscripten_set_webglcontextlost_callback("#canvas", nullptr, EM_FALSE, onContextLost);
    emscripten_set_webglcontextrestored_callback("#canvas", nullptr, EM_FALSE, onContextRestored);
    return platform.canvas().built();
}

// Why a picture ended start-up when the browser's WebGL would not take it (the page says it).
void tellLoadProblem(PagePlatform& platform) {
    if (!platform.canvas().problem().empty()) pageLoadProblem(platform.canvas().problem().c_str());
}

}  // namespace

extern "C" {

// The files to fetch, in the order they are loaded.
EMSCRIPTEN_KEEPALIVE int tw_asset_count() { return static_cast<int>(AssetFileCount); }
EMSCRIPTEN_KEEPALIVE const char* tw_asset_name(int index) { return assetName(static_cast<std::size_t>(index)); }
// Where the page copies a fetched file's bytes.
EMSCRIPTEN_KEEPALIVE std::uint8_t* tw_asset_slot(int index, int size) {
    if (index < 0 || size < 0) return nullptr;
    return files.slot(static_cast<std::size_t>(index), static_cast<std::size_t>(size));
}

// The caption table's text, once fetched: how many pictures it names, -1
// when it does not read (tw_captions_problem says why).
EMSCRIPTEN_KEEPALIVE int tw_captions_table(const char* text) {
    if (captions.begun()) return static_cast<int>(captions.pictureCount());
    return captions.readTable(text) ? static_cast<int>(captions.pictureCount()) : -1;
}
EMSCRIPTEN_KEEPALIVE const char* tw_captions_problem() { return captions.problem().c_str(); }
EMSCRIPTEN_KEEPALIVE const char* tw_caption_name(int caption) {
    return caption < 0 ? nullptr : captions.pictureName(static_cast<std::size_t>(caption));
}
EMSCRIPTEN_KEEPALIVE std::uint8_t* tw_caption_slot(int caption, int size) {
    if (caption < 0 || size < 0 || captions.begun()) return nullptr;
    return captions.slot(static_cast<std::size_t>(caption), static_cast<std::size_t>(size));
}

// Starts the game from the fetched files, and shows captions when asked
// (their files handed over too): -1 when it runs, the file that ended
// start-up as `failure` says, -2 when the page has no WebGL, NoShader when
// its WebGL does not build the game's shaders.
EMSCRIPTEN_KEEPALIVE int tw_play(int withCaptions) {
    if (live != nullptr || replay != nullptr) return -1;
    if (!makeContext()) return -2;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    live = new Live;
    if (!canDraw(live->platform)) return NoShader;
    if (!buildScene(live->game)) {
        tellLoadProblem(live->platform);
        return failure(live->platform.failedFile(), live->platform.failedFileFetched());
    }
    if (withCaptions != 0 && !live->platform.showCaptions(true))
        return failure(captions.failedFile(), captions.failedFileFetched());
    live->schedule = std::make_unique<FrameSchedule>(browserSeconds(), CallbackSlack);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, onVisibility);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onBlur);
    emscripten_request_animation_frame_loop(onAnimationFrame, nullptr);
    return -1;
}

// The page's captions switch: -1 when done, else the caption file that
// stopped them loading, as `failure` says; the game goes on either way.
EMSCRIPTEN_KEEPALIVE int tw_captions(int on) {
    if (live == nullptr || live->platform.showCaptions(on != 0)) return -1;
    return failure(captions.failedFile(), captions.failedFileFetched());
}

// The keys the touch controls hold now, as bits: Left 1, Right 2, Up 4,
// Down 8, Return 16. Ignored until the game has started.
EMSCRIPTEN_KEEPALIVE void tw_touch(int keys) {
    if (live != nullptr && live->started) live->held.hold(KeySource::Touch, static_cast<unsigned>(keys), pressEvent);
}

// The player clicked the page's overlay.
EMSCRIPTEN_KEEPALIVE void tw_start() {
    if (live != nullptr) start();
}

// Readings for the page's tests: 0 phase, 1 the story clock, 2 the flier's
// x, 3 frames run, 4 draws painted in the last frame, 5 whether sound is
// running (not suspended by the browser or a hidden page), 6 caption
// pictures painted over the last frame.
EMSCRIPTEN_KEEPALIVE double tw_probe(int what) {
    Game* g = live != nullptr ? &live->game : replay != nullptr ? &replay->game : nullptr;
    if (g == nullptr) return 0.0;
    switch (what) {
    case 0: return g->phase;
    case 1: return static_cast<double>(g->storyClock.seconds());
    case 2: return static_cast<double>(g->playerBox.position.x);
    case 3: return live != nullptr ? static_cast<double>(live->frames) : replay->platform.frame();
    case 4: return static_cast<double>(live != nullptr ? live->platform.painted() : replay->platform.painted());
    case 5: return pageSoundRunning();
    case 6:
        return static_cast<double>(live != nullptr ? live->platform.captionsPainted()
                                                   : replay->platform.captionsPainted());
    default: return 0.0;
    }
}

// The replay mode: a recording's text, and whether to draw captions (their
// files handed over first); 0 when ready, 1 + tw_play's code when a file
// ended start-up, -2 without WebGL, -3 for a bad recording, NoShader as tw_play.
EMSCRIPTEN_KEEPALIVE int tw_replay_begin(const char* recordingText, int withCaptions) {
    if (live != nullptr || replay != nullptr) return -3;
    InputScript recording;
    std::istringstream in(recordingText);
    std::string error;
    if (!parseInputScript(in, recording, error)) return -3;
    if (!makeContext()) return -2;
    std::srand(recording.seed);  // the layout the recording was made with
    replay = new Replay(recording);
    if (!canDraw(replay->platform)) return NoShader;
    if (!buildScene(replay->game)) {
        tellLoadProblem(replay->platform);
        return 1 + failure(replay->platform.failedFile(), replay->platform.failedFileFetched());
    }
    if (withCaptions != 0 && !replay->platform.showCaptions(true))
        return 1 + failure(captions.failedFile(), captions.failedFileFetched());
    return 0;
}

EMSCRIPTEN_KEEPALIVE void tw_replay_want(int frame) {
    if (replay != nullptr) replay->platform.want(frame);
}

// Runs frames up to `last`; each frame asked for is handed to the page while on the canvas.
EMSCRIPTEN_KEEPALIVE void tw_replay_run(int last) {
    if (replay == nullptr) return;
    while (replay->platform.frame() < last) {
        replay->platform.beginFrame();
        runFrame(replay->game);
    }
}

// Draws the replay's current scene once more, its state held still (for measuring a frame's cost).
EMSCRIPTEN_KEEPALIVE void tw_replay_redraw() {
    if (replay == nullptr) return;
    replay->platform.want(replay->platform.frame());
    renderFrame(replay->game);
}

}  // extern "C"
