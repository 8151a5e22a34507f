// What the page calls: the files to fetch, the live game on the display's animation callbacks, and the replay mode.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/frame_schedule.h"
#include "host/gamepad.h"
#include "host/held_keys.h"
#include "host/player_settings.h"
#include "presentation/render.h"
#include "shell/loop.h"
#include "web/key_map.h"
#include "web/page_platform.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <memory>
#include <iterator>
#include <sstream>
#include <string>

// The page's side (page.js) of the calls the game makes into it.
EM_JS(void, pageStarted, (), { if (Module.onStarted) Module.onStarted(); });
EM_JS(void, pageFramePainted, (int frame), { if (Module.onFramePainted) Module.onFramePainted(frame); });
// Whether the keyboard's focus is on one of the page's controls (a button,
// say) rather than on the scene or the page itself: the controls keep their keys.
EM_JS(int, pageControlFocused, (), {
    const e = document.activeElement;
    return e && e !== document.body && e !== document.documentElement && e !== Module.canvas ? 1 : 0;
});
// Whether the page may read gamepads. Embedded in a page that denies it the
// gamepad, every reading throws, and a throw in an animation callback would
// end the callbacks: such a page plays without the gamepad.
EM_JS(int, pageGamepadsReadable, (), {
    try {
        return typeof navigator.getGamepads === 'function' && navigator.getGamepads() ? 1 : 0;
    } catch (e) {
        return 0;
    }
});
EM_JS(void, pageGamepad, (int connected), { document.documentElement.classList.toggle('gamepad', connected !== 0); });
EM_JS(void, pageClipStarted, (int frame, const char* file), {
    if (Module.onClipStarted) Module.onClipStarted(frame, UTF8ToString(file));
});
EM_JS(void, pageContextLost, (), { if (Module.onContextLost) Module.onContextLost(); });
EM_JS(void, pageContextRestored, (int drawing), { if (Module.onContextRestored) Module.onContextRestored(drawing); });
// Why the browser's WebGL would not take the picture that ended start-up.
EM_JS(void, pageLoadProblem, (const char* why), { Module.loadProblem = UTF8ToString(why); });
// A picture the browser's WebGL turned down after all, or (no file) the shaders it could not build, found once
// the game ran: it stops there.
EM_JS(void, pageRefused, (const char* file, const char* why), {
    if (Module.onRefused) Module.onRefused(UTF8ToString(file), UTF8ToString(why));
});

namespace {

// What tw_play, tw_replay_begin, tw_captions and tw_prepare answer besides a file's code.
enum Answer : int {
    Pending = 0,         // tw_prepare: a step made, more to come
    Runs = -1,           // tw_play, tw_captions: done
    NoWebGL = -2,
    BadRecording = -3,   // tw_replay_begin
    GameRunning = -4,    // a live game already runs in this page
    ReplayRunning = -5,  // a replay already runs in this page
    NoGame = -6,         // tw_captions before the game runs
    NoShader = -7,       // tw_replay_begin: the browser's WebGL does not build the game's shaders
};

AssetFiles files;        // filled by the page before anything starts
GlCanvas* canvas = nullptr;  // made before the files come, which it takes as they do; never released
PageCaptions captions;   // filled by the page when captions are first turned on
KeyChoice chosenKeys;    // the player's own keys, from the page's address
int volume = 100;        // percent, from the address or the page's slider

// How tw_play, tw_replay_begin and tw_captions name the file that ended
// loading: 2 * its place in load order, + 1 when it was fetched but does not
// decode. The caption files come after the game's.
int failure(std::size_t file, bool fetched) { return static_cast<int>(2 * file + (fetched ? 1 : 0)); }

bool makeContext() {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;  // an opaque canvas, as the desktop's window is
    attributes.depth = EM_FALSE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;  // every pixel whole, as on the desktop
    // premultipliedAlpha stays WebGL's own: an opaque canvas looks the same either way, and Chromium copies an
    // unpremultiplied canvas into a premultiplied one on every frame where it shares the canvas with its compositor.
    attributes.majorVersion = 1;
    attributes.enableExtensionsByDefault = EM_FALSE;  // the game needs none, and asking for each costs time
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context("#canvas", &attributes);
    return context > 0 && emscripten_webgl_make_context_current(context) == EMSCRIPTEN_RESULT_SUCCESS;
}

// The live game. Nothing in it is ever released: the page ends with the tab.
struct Live {
    PageTime time;
    ClipVoice voice;
    LivePlatform platform{files, captions, voice, *canvas, time,
                          [this](Clip clip) { pageClipStarted(static_cast<int>(frames + 1), fileOf(clip)); }};
    Game game{platform};
    HeldKeys held;  // the keyboard's, the touch controls' and the gamepads' keys, merged
    bool padsReadable = pageGamepadsReadable() != 0;
    bool padConnected = false;  // the page shows it with the class "gamepad"
    std::unique_ptr<FrameSchedule> schedule;
    bool started = false;  // the player has clicked or pressed a key
    bool stopped = false;  // a picture turned down: no frame runs again
    long long frames = 0;
};
Live* live = nullptr;

double browserSeconds() { return emscripten_get_now() / 1000.0; }

// Every key, click and tap after the start tries again until the sound
// runs: a first key that is no gesture to the browser (Escape) wakes
// nothing, and an iPhone may interrupt the sound at any time. A hidden page
// keeps its sound asleep.
void wakeSound() {
    if (!live->time.hidden()) live->voice.wake();
}

void start() {
    if (live->started) {
        wakeSound();
        return;
    }
    live->started = true;
    // Whether the browser's WebGL built the shaders and took every picture, asked now that the GPU has
    // long had them, as asking while it still takes them in would hold up the page.
    if (!canvas->confirm()) {
        live->stopped = true;
        pageRefused(nullptr, nullptr);
        return;
    }
    if (const std::size_t refused = canvas->settle(); refused < PictureCount) {
        live->stopped = true;
        pageRefused(pictureFiles[refused].file, canvas->refusal(refused).c_str());
        return;
    }
    live->voice.open();  // in the press, where the browser lets sound start
    live->voice.wake();  // an engine that made it suspended all the same
    pageStarted();
}

void pressEvent(const Event& event) { live->platform.press(event); }

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* e, void*) {
    // A chosen key comes as its action, unless Ctrl, Alt or Meta makes it the browser's.
    const PageKey key = pageKey(e->key, e->code, chosenKeys, {e->ctrlKey != 0, e->altKey != 0, e->metaKey != 0});
    const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    // A key pressed on one of the page's controls works the control (Enter
    // or Space on a button); a key let go there still lets go in the game.
    const bool taken = key.taken && pageControlFocused() == 0;
    if (!live->started) {
        // The first press only lifts the page's overlay and wakes the sound.
        if (down) start();
        return taken;
    }
    wakeSound();
    if (down && std::strncmp(e->code, "Meta", 4) == 0) live->held.releaseKeyboard(pressEvent);
    if (down && key.taken && !taken) return EM_FALSE;
    Event event;
    event.type = down ? Event::KeyPressed : Event::KeyReleased;
    event.key = key.key;
    // Paired with its press by where the key lies (`code`), not by what it
    // shows now: a layout switched or NumLock pressed while it was down
    // changes its `key`. A virtual keyboard may give no `code`.
    if (live->held.keyboard(event, keyIdOf(e->code[0] != '\0' ? e->code : e->key))) live->platform.press(event);
    return taken;  // the browser acts on every key but the game's five
}

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
        canvas->forgetShown();
        if (live->started) live->voice.resume();
    }
    return EM_FALSE;
}

// A pad as the browser's standard layout reports it: buttons 12 to 15 the
// d-pad's up, down, left and right, axes 0 and 1 the left stick, button 0
// A. A pad without that layout numbers its buttons its own way, so only its
// stick and first button are read.
PadState standardPad(const EmscriptenGamepadEvent& reading) {
    // A pad may report more buttons or axes than the reading holds: those past its end are never read.
    const int buttons = std::min(reading.numButtons, static_cast<int>(std::size(reading.digitalButton)));
    const auto button = [&](int i) { return i < buttons && reading.digitalButton[i] != 0; };
    PadState pad;
    if (std::strcmp(reading.mapping, "standard") == 0) {
        pad.dpadUp = button(12);
        pad.dpadDown = button(13);
        pad.dpadLeft = button(14);
        pad.dpadRight = button(15);
    }
    if (std::min(reading.numAxes, static_cast<int>(std::size(reading.axis))) >= 2) {
        pad.stickX = static_cast<float>(reading.axis[0]);
        pad.stickY = static_cast<float>(reading.axis[1]);
    }
    pad.a = button(0);
    return pad;
}

// Reads the browser's gamepads, once a callback: what all of them hold
// moves Kestra once the game has started, and the page learns whether any
// is connected (its touch controls give way to it).
void pollPads() {
    if (!live->padsReadable) return;
    static EmscriptenGamepadEvent reading;  // large; filled anew for each pad
    unsigned keys = 0;
    bool connected = false;
    if (emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS) {
        for (int i = 0, n = emscripten_get_num_gamepads(); i < n; ++i) {
            if (emscripten_get_gamepad_status(i, &reading) != EMSCRIPTEN_RESULT_SUCCESS || reading.connected == 0)
                continue;
            connected = true;
            keys |= padKeys(standardPad(reading));
        }
    }
    if (connected != live->padConnected) {
        live->padConnected = connected;
        pageGamepad(connected ? 1 : 0);
    }
    if (live->started) live->held.hold(KeySource::Pad, keys, pressEvent);
}

// Runs every frame due by this callback, each whole and on its own clock
// reading, and paints only the last: the canvas shows one frame a callback.
// Each frame but the last reads the keys that came by its deadline.
EM_BOOL onAnimationFrame(double milliseconds, void*) {
    if (live->stopped) return EM_FALSE;
    pollPads();
    const double firstDeadline = live->schedule->nextDue();
    const int due = live->time.hidden() ? 0 : live->schedule->take(milliseconds / 1000.0);
    for (int i = 0; i < due; ++i) {
        const bool last = i == due - 1;
        live->platform.beginFrame(last, last ? std::numeric_limits<double>::infinity()
                                             : firstDeadline + i * FrameSeconds);
        runFrame(live->game);
        live->frames += 1;
    }
    // The first frames on the canvas: the page measures its start-up by them.
    if (due > 0 && live->frames == due) pageFramePainted(1);
    return EM_TRUE;
}

// The replay mode.
struct Replay {
    explicit Replay(const InputScript& recording)
        : platform(files, captions, *canvas, recording, [](int frame) { pageFramePainted(frame); },
                   [](int frame, Clip clip) { pageClipStarted(frame, fileOf(clip)); }) {}
    ReplayPlatform platform;
    Game game{platform};
};
Replay* replay = nullptr;

EM_BOOL onContextLost(int, const void*, void*) {
    if (canvas != nullptr) canvas->lose();
    pageContextLost();
    return EM_TRUE;  // cancels the browser's default, so that it may give the context back
}

EM_BOOL onContextRestored(int, const void*, void*) {
    pageContextRestored(canvas == nullptr || canvas->restore() ? 1 : 0);
    return EM_TRUE;
}

// The canvas's WebGL context, watched for loss, then the game's drawing in
// it (its shaders), made once, one a call (`Pending` until both are made):
// Runs when the game can draw, else NoWebGL or NoShader.
int prepareStep() {
    static int answer = Pending;
    static bool context = false;
    if (answer != Pending) return answer;
    if (!context) {
        if (!makeContext()) return answer = NoWebGL;
        emscripten_set_webglcontextlost_callback("#canvas", nullptr, EM_FALSE, onContextLost);
        emscripten_set_webglcontextrestored_callback("#canvas", nullptr, EM_FALSE, onContextRestored);
        context = true;
        return Pending;
    }
    int width = ScreenWidth, height = ScreenHeight;  // the page may have sized the canvas to the screen
    emscripten_webgl_get_drawing_buffer_size(emscripten_webgl_get_current_context(), &width, &height);
    canvas = new GlCanvas(width, height);
    return answer = canvas->built() ? Runs : NoShader;
}

// All at once.
int prepare() {
    int answer;
    while ((answer = prepareStep()) == Pending) {}
    return answer;
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
// Where the page copies a picture the browser decoded itself (the site's
// WebP pictures): width * height RGBA pixels, row by row from the top.
EMSCRIPTEN_KEEPALIVE std::uint8_t* tw_asset_pixels(int index, int width, int height) {
    return index < 0 ? nullptr : files.pixels(static_cast<std::size_t>(index), width, height);
}
// Where the page copies a clip its worker decoded: `count` samples of
// `channels` interleaved, `rate` a second.
EMSCRIPTEN_KEEPALIVE std::int16_t* tw_asset_samples(int index, int channels, int rate, int count) {
    return index < 0 ? nullptr : files.samples(static_cast<std::size_t>(index), channels, rate, count);
}
// Decodes a file just handed over, one a call, so that the page stays
// responsive between files, and gives a picture to the canvas once there is
// one: 1 when it decoded, 0 when not (the start names it in load order; a
// picture the browser's WebGL turned down is named at the first press).
EMSCRIPTEN_KEEPALIVE int tw_asset_decode(int index) {
    const std::size_t i = static_cast<std::size_t>(index);
    if (index < 0 || !files.decode(i)) return 0;
    if (canvas != nullptr && i >= ClipCount) {
        const Picture picture = static_cast<Picture>(i - ClipCount);
        if (!canvas->has(picture)) canvas->offerPicture(picture, files.picture(picture));
    }
    return 1;
}

// Makes the canvas ready to draw before the pictures come, a step a call,
// each in a task of its own: 0 while there is more to do, then Runs, else
// NoWebGL or NoShader (which tw_play answers too).
EMSCRIPTEN_KEEPALIVE int tw_prepare() { return prepareStep(); }

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
// start-up as `failure` says, else an `Answer`.
EMSCRIPTEN_KEEPALIVE int tw_play(int withCaptions) {
    if (live != nullptr) return GameRunning;
    if (replay != nullptr) return ReplayRunning;
    if (const int drawing = prepare(); drawing != Runs) return drawing;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    live = new Live;
    live->voice.setVolume(volume);
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
    return Runs;
}

// The page's captions switch: -1 when done, else the caption file that
// stopped them loading, as `failure` says; the game goes on either way.
// NoGame before the game runs.
EMSCRIPTEN_KEEPALIVE int tw_captions(int on) {
    if (live == nullptr) return NoGame;
    if (live->platform.showCaptions(on != 0)) return Runs;
    return failure(captions.failedFile(), captions.failedFileFetched());
}

// The keys the touch controls hold now, as bits: Left 1, Right 2, Up 4,
// Down 8, Return 16. Ignored until the game has started.
EMSCRIPTEN_KEEPALIVE void tw_touch(int keys) {
    if (live != nullptr && live->started) live->held.hold(KeySource::Touch, static_cast<unsigned>(keys), pressEvent);
}

// The player clicked the page's overlay (or the scene, or tapped it): the
// game starts, or its sound wakes if it sleeps.
EMSCRIPTEN_KEEPALIVE void tw_start() {
    if (live != nullptr) start();
}

// A click or tap anywhere on the page once the game runs: sound that
// sleeps wakes (the game's own keys wake it themselves).
EMSCRIPTEN_KEEPALIVE void tw_wake() {
    if (live != nullptr && live->started) wakeSound();
}

// The player's own keys as a key list ("left:a,right:d"): "" when taken,
// else what is wrong with it (and the arrows and Return alone stay).
EMSCRIPTEN_KEEPALIVE const char* tw_keys(const char* list) {
    static std::string problem;
    problem.clear();
    if (!parseKeyChoice(list, chosenKeys, problem)) chosenKeys = KeyChoice{};
    return problem.c_str();
}

// The sound's volume as text, 0 to 100: 0 when taken, -1 when it is no
// volume (and the volume stays as it was).
EMSCRIPTEN_KEEPALIVE int tw_volume(const char* text) {
    if (!parseVolume(text, volume)) return -1;
    if (live != nullptr) live->voice.setVolume(volume);
    return 0;
}

// Readings for the page and its tests, by name: tw_probe_name(i) names
// the i-th ("" past the last), tw_probe(i) reads it. The story clock in
// seconds; the flier's place; frames run; draws painted in the last frame;
// whether sound runs (not suspended by the browser or a hidden page);
// caption pictures painted over the last frame; whether an end screen
// shows (won or lost); the gain the clips play at, in percent (-1 without sound).
enum Probe : int { Phase, StoryClock, FlierX, Frames, Painted, Sound, Captions, Ended, FlierY, Gain, ProbeCount };
constexpr const char* probeNames[ProbeCount] = {"phase", "storyClock", "x", "frames", "painted", "sound",
                                                "captions", "ended", "y", "gain"};

EMSCRIPTEN_KEEPALIVE const char* tw_probe_name(int what) {
    return what >= 0 && what < ProbeCount ? probeNames[what] : "";
}

EMSCRIPTEN_KEEPALIVE double tw_probe(int what) {
    Game* g = live != nullptr ? &live->game : replay != nullptr ? &replay->game : nullptr;
    if (g == nullptr) return 0.0;
    switch (what) {
    case Phase: return g->phase;
    case StoryClock: return static_cast<double>(g->storyClock.seconds());
    case FlierX: return static_cast<double>(g->playerBox.position.x);
    case Frames: return live != nullptr ? static_cast<double>(live->frames) : replay->platform.frame();
    case Painted: return static_cast<double>(live != nullptr ? live->platform.painted() : replay->platform.painted());
    case Sound: return live != nullptr && live->voice.running() ? 1.0 : 0.0;
    case Captions:
        return static_cast<double>(live != nullptr ? live->platform.captionsPainted()
                                                   : replay->platform.captionsPainted());
    case Ended: return g->showWinScreen || g->playerLives < 0 ? 1.0 : 0.0;
    case FlierY: return static_cast<double>(g->playerBox.position.y);
    case Gain: return live != nullptr ? live->voice.gainPercent() : -1.0;
    default: return 0.0;
    }
}

// The replay mode: a recording's text, and whether to draw captions (their
// files handed over first); 0 when ready, 1 + tw_play's code when a file
// ended start-up, else an `Answer`.
EMSCRIPTEN_KEEPALIVE int tw_replay_begin(const char* recordingText, int withCaptions) {
    if (live != nullptr) return GameRunning;
    if (replay != nullptr) return ReplayRunning;
    InputScript recording;
    std::istringstream in(recordingText);
    std::string error;
    if (!parseInputScript(in, recording, error)) return BadRecording;
    if (const int drawing = prepare(); drawing != Runs) return drawing;
    if (!canvas->confirm()) return NoShader;
    while (canvas->sendSome()) {}  // band by band, as the live page sends them
    canvas->settle();
    std::srand(recording.seed);  // the layout the recording was made with
    replay = new Replay(recording);
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
