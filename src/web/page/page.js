// Tumblewing's page: fetches the files with progress, starts the game or its replay mode, its switches, what went wrong.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
'use strict';

// What tests and the page read back: window.tumblewing. `startedUp` settles once start-up is over: the game's
// first frame shown, the replay mode offered, or the line saying why the game cannot start.
let startUpOver;
const tumblewing = { problem: null, firstFrameAt: null, started: false, addressProblems: [],
                     startedUp: new Promise((resolve) => { startUpOver = resolve; }) };
window.tumblewing = tumblewing;

function startTumblewing() {
    const $ = (id) => document.getElementById(id);
    const canvas = $('canvas');

    // One line instead of the game: the page's way of ending start-up.
    function showProblem(text) {
        tumblewing.problem = text;
        canvas.hidden = true;
        $('poster').hidden = true;
        $('loading').hidden = true;
        $('overlay').hidden = true;
        $('problem').textContent = text;
        $('problem').hidden = false;
        startUpOver();
    }

    if (location.protocol === 'file:') {
        showProblem('Tumblewing must be served by a web server: a browser will not let a page opened as a file ' +
                    'load the game. Serve this folder with any web server (tools/web serve does, at http://localhost:8000) ' +
                    'and open the address it gives.');
        return;
    }

    // Any control of the bar used with the pointer (a button clicked or tapped, the slider dragged) gives
    // the keys back to the game, so the arrows fly Kestra again; used from the keyboard, it keeps them.
    $('bar').addEventListener('pointerup', () => canvas.focus());
    $('fullscreen').addEventListener('click', () => {
        if (document.fullscreenElement) document.exitFullscreen();
        else document.documentElement.requestFullscreen().catch(() => {});
    });
    // A browser that cannot show a page full screen (Safari on an iPhone) gets no button for it.
    if (!document.fullscreenEnabled || !document.documentElement.requestFullscreen) $('fullscreen').hidden = true;
    const showFullscreen = () => $('fullscreen').setAttribute('aria-pressed', String(Boolean(document.fullscreenElement)));
    document.addEventListener('fullscreenchange', showFullscreen);
    showFullscreen();

    // Captions: off unless the link asks for them (?captions=1, or =0 for off) or the player last left them on.
    const params = new URLSearchParams(location.search);
    const captionsKey = 'tumblewing-captions';
    let captionsOn;
    try {
        captionsOn = localStorage.getItem(captionsKey) === 'on';
    } catch {
        captionsOn = false;  // storage refused: nothing is remembered
    }
    const captionsAsked = tumblewingSwitch(params, 'captions', tumblewing.addressProblems);
    if (captionsAsked !== null) captionsOn = captionsAsked;
    const captionsSwitch = $('captions');
    const showSwitch = () => captionsSwitch.setAttribute('aria-pressed', String(captionsOn));
    showSwitch();
    function rememberCaptions() {
        try { localStorage.setItem(captionsKey, captionsOn ? 'on' : 'off'); } catch { /* not remembered */ }
    }
    // Until the game runs (or when it could not start) the switch only says whether the next start shows captions.
    captionsSwitch.onclick = () => {
        captionsOn = !captionsOn;
        showSwitch();
        rememberCaptions();
    };

    // One line in the bar for what went wrong without stopping the game.
    function notice(text) {
        $('notice').textContent = text ?? '';
        $('notice').hidden = text === null;
        $('controls').hidden = text !== null;
    }

    // A file that ended loading, and why, in one line.
    const named = (file) => `Tumblewing could not load "${file.name}": ${file.why}.`;
    const answered = (response) => `the server answered ${response.status} ${response.statusText}`.trim();

    // A task of its own, begun once those queued before it: the page paints and answers between two.
    // MessageChannel rather than setTimeout, which browsers hold back.
    const nextTask = () => new Promise((resolve) => {
        const channel = new MessageChannel();
        channel.port1.onmessage = resolve;
        channel.port2.postMessage(null);
    });
    // Runs `work` in a task of its own once the work queued before it is done.
    let turn = Promise.resolve();
    function inTurn(work) {
        const next = turn.then(nextTask).then(() => work());
        turn = next.catch(() => {});
        return next;
    }

    // Starts every fetch in load order, a few a task (each costs the page a moment to start), and counts
    // them in as they come. `take(index, bytes)`, when given, answers the steps that hand the file to the
    // game, each run in a task of its own: no task decodes more than one file, nor copies more than a
    // band of a large picture.
    const loading = { done: 0, total: 0 };
    const FetchesATask = 6;
    async function fetchAll(names, folder = '', take = null) {
        const progress = $('progress');
        loading.total += names.length;
        progress.max = loading.total;
        const count = () => {
            loading.done += 1;
            progress.value = loading.done;
            $('loaded').textContent = `Loading ${loading.done} of ${loading.total} files…`;
        };
        // The fetches start from the end of load order: the game's large backgrounds come last in it, and their
        // decoding is the longest wait of start-up.
        const mayStart = [];
        let starting = Promise.resolve();
        for (let place = 0; place < names.length; ++place) {
            if (place > 0 && place % FetchesATask === 0) starting = starting.then(nextTask);
            mayStart[names.length - 1 - place] = starting;
        }
        return Promise.all(names.map(async (file, index) => {
            const name = folder + file;
            let got, steps = [];
            try {
                await mayStart[index];
                const response = await fetch('assets/' + folder + encodeURIComponent(file));
                got = response.ok ? { name, bytes: new Uint8Array(await response.arrayBuffer()) }
                                  : { name, why: answered(response) };
                if (take && got.bytes) steps = await take(index, got.bytes);
            } catch (e) {
                got = { name, why: 'it could not be fetched' };
            }
            for (const step of steps.slice(0, -1)) await inTurn(step);
            return inTurn(() => {
                if (steps.length > 0) {
                    steps.at(-1)();
                    got = { name };  // the game holds it now
                }
                count();
                return got;
            });
        }));
    }

    // Calls `call` with a copy of `text` in the game's memory.
    function withText(module, text, call) {
        const size = module.lengthBytesUTF8(text) + 1;
        const at = module._malloc(size);
        module.stringToUTF8(text, at, size);
        try {
            return call(at);
        } finally {
            module._free(at);
        }
    }

    // The caption table, then the picture each caption names, handed to the game as they are:
    // the caption files in load order, which comes after the game's 47.
    async function fetchCaptions(module) {
        const [table] = await fetchAll(['captions.txt'], 'captions/');
        if (!table.bytes) return [table];
        const count = withText(module, new TextDecoder().decode(table.bytes), (at) => module._tw_captions_table(at));
        if (count < 0) {
            const why = module.UTF8ToString(module._tw_captions_problem());
            table.bad = `it is not a caption table the game can read (${why})`;
            return [table];
        }
        const names = [];
        for (let i = 0; i < count; ++i) names.push(module.UTF8ToString(module._tw_caption_name(i)));
        const pictures = await fetchAll(names, 'captions/');
        pictures.forEach((file, i) => {
            file.bad = 'it is not a caption picture the game can show';
            if (!file.bytes) return;
            const at = module._tw_caption_slot(i, file.bytes.length);  // may grow memory: HEAPU8 is read after
            if (at) module.HEAPU8.set(file.bytes, at);
        });
        return [table, ...pictures];
    }

    // The site's pictures that are smaller as lossless WebP come as WebP under their own names, the clips as
    // Ogg Vorbis: decoder.js decodes both, in one worker where the browser has one (the pictures need WebGL
    // there), else on the page. A file of another kind goes to the game as it is. One worker, not one a kind:
    // a second would take a core from the page as well, whose every task then waits longer for one.
    const kindOf = (b) => {
        const text = (from, to) => String.fromCharCode(...b.subarray(from, to));
        return b.length > 12 && text(0, 4) === 'RIFF' && text(8, 12) === 'WEBP' ? 'picture'
             : b.length > 4 && text(0, 4) === 'OggS' ? 'clip' : null;
    };
    const workers = {};     // by kind: the worker; undefined where it cannot decode that kind, or once it failed
    let worker = null;
    const waiting = new Map();
    let asked = 0;
    let pageCanvas = null;  // the pictures' reader on the page
    // The worker fails a kind (or every kind, when it fails as a whole) that it cannot decode here: what it was
    // asked of that kind is done on the page. It ends once it decodes no kind.
    function dropWorker(kind) {
        workers[kind] = undefined;
        if (worker && !Object.values(workers).includes(worker)) {
            worker.terminate();
            worker = null;
        }
        for (const [id, w] of waiting) if (w.kind === kind) { w.resolve({ lost: true }); waiting.delete(id); }
    }
    function workerFor(kind) {
        if (kind in workers) return workers[kind];
        try {
            if (kind === 'picture' && typeof OffscreenCanvas !== 'function') throw new Error('no canvas in a worker');
            if (!worker) {
                const made = worker = new Worker('decoder.js');
                made.onmessage = ({ data }) => { waiting.get(data.id)?.resolve(data); waiting.delete(data.id); };
                made.onerror = () => { for (const k in workers) if (workers[k] === made) dropWorker(k); };
            }
            workers[kind] = worker;
        } catch {
            workers[kind] = undefined;
        }
        return workers[kind];
    }
    // { decoded: pixels or samples, or null when it does not decode }, or { missing: the decoder's own file }.
    // Without bytes, makes the worker for the kind ready (see decoder.js).
    async function decodeAway(kind, bytes) {
        const worker = workerFor(kind);
        if (worker) {
            const id = asked++;
            const answer = await new Promise((resolve) => {
                waiting.set(id, { kind, resolve });
                worker.postMessage({ id, kind, bytes });
            });
            if (answer.unable) dropWorker(kind);  // this browser's workers have no WebGL: the page reads every picture
            // A picture the worker could not read is tried again on the page, as is every file once it failed.
            if (!answer.lost && !(kind === 'picture' && answer.decoded === null)) return answer;
        }
        if (!bytes) return {};
        try {
            return { decoded: kind === 'clip' ? await voiceSamples(bytes)
                                              : await webpPixels(bytes, pageCanvas ??= document.createElement('canvas')) };
        } catch (e) {
            return e.file ? { missing: { name: e.file, why: e.message } } : { decoded: null };
        }
    }
    // Once every file is in, the workers let go of what they decoded with (`kinds` of them), and so does the
    // page's reader. A worker is not ended: the page would wait for its thread to wind down (a quarter of a
    // second here). A WebGL let go keeps the GPU busy for a while, which the game's first frame would wait
    // for: the pictures' goes at the player's first press.
    function letDecodersGo(...kinds) {
        for (const kind of kinds) workers[kind]?.postMessage({ kind, done: true });
        if (kinds.includes('picture')) pageCanvas?.getContext('webgl')?.getExtension('WEBGL_lose_context')?.loseContext();
    }

    // The steps that hand a fetched file to the game: a picture's pixels or a clip's samples as decoder.js
    // made them (in their own tasks), else the bytes for the game to decode. A picture is copied in a band
    // of rows a step, once WebGL is ready to keep it (`drawingReady`); the game sends it on to the GPU once
    // the start screen shows. A decoder that could not be had is kept, to be named.
    const BandBytes = 512 * 1024;
    let decoderMissing = null;
    let drawingReady = Promise.resolve();
    async function handOver(module, index, bytes) {
        const kind = kindOf(bytes);
        const answer = kind ? await decodeAway(kind, bytes) : {};
        if (answer.missing) decoderMissing ??= answer.missing;
        const d = answer.decoded;
        const steps = [];
        let at = 0;  // where the game keeps the pixels or samples; read HEAPU8 after, as memory may grow
        if (!d?.samples) await drawingReady;  // the game's WebGL keeps each picture as it is handed over
        if (d?.rgba) {
            const row = 4 * d.width, rows = Math.max(1, Math.floor(BandBytes / row));
            for (let y = 0; y < d.height; y += rows) {
                steps.push(() => {
                    if (y === 0) at = module._tw_asset_pixels(index, d.width, d.height);
                    if (!at) return;
                    const to = Math.min(d.height, y + rows);
                    module.HEAPU8.set(d.rgba.subarray(y * row, to * row), at + y * row);
                });
            }
        } else if (d?.samples) {
            steps.push(() => {
                at = module._tw_asset_samples(index, d.channels, d.rate, d.samples.length);
                if (at) module.HEAPU8.set(new Uint8Array(d.samples.buffer, d.samples.byteOffset, d.samples.byteLength), at);
            });
        }
        const lastBand = steps.pop() ?? (() => {});  // the last band goes in the file's last step
        steps.push(() => {
            lastBand();
            if (!at && !answer.missing) {
                const slot = module._tw_asset_slot(index, bytes.length);
                if (slot) module.HEAPU8.set(bytes, slot);
            }
            module._tw_asset_decode(index);
        });
        return steps;
    }

    // The game names the file that ended loading as 2 * its place in load order (+ 1: it did not decode).
    function explain(files, code) {
        if (code === -2) return 'Tumblewing needs WebGL, which this browser does not offer.';
        if (code === -7) return "Tumblewing could not start: this browser's WebGL could not build the game's shader.";
        const file = files[code >> 1];
        if (code < 0 || !file) return `Tumblewing could not go on (the game answered ${code}).`;
        const why = code & 1 ? file.bad ?? module.loadProblem ?? 'it is not a picture or sound the game can decode'
                             : file.why;
        return named({ name: file.name, why });
    }

    // Turns the game's captions on or off with the caption files just fetched (none when they were
    // loaded before): null when done, else the line that says which file stopped them. A table that
    // did not come is never handed over: the game may still hold the one an earlier try read.
    function turnCaptions(module, files, captionFiles, on) {
        const table = captionFiles[0];
        if (table && !table.bytes) return named(table);
        const code = module._tw_captions(on ? 1 : 0);
        return code === -1 ? null : explain([...files, ...captionFiles], code);
    }

    // The captions switch once the game runs. Caption files that fail to load turn the switch back off
    // and are named in the bar; the game goes on, and another press tries them again. Presses while the
    // files load count: what the player last asked for is what comes.
    function offerCaptions(module, files) {
        let busy = false;
        let wanted = captionsOn;
        tumblewing.wantCaptions = async (on) => {
            wanted = on;
            captionsSwitch.setAttribute('aria-pressed', String(wanted));
            if (busy) return;
            busy = true;
            captionsSwitch.setAttribute('aria-busy', 'true');
            notice(null);
            try {
                while (captionsOn !== wanted) {
                    const captionFiles = wanted && !tumblewing.captionsLoaded ? await fetchCaptions(module) : [];
                    const on = wanted;
                    const problem = turnCaptions(module, files, captionFiles, on);
                    if (problem !== null) {
                        notice(problem);
                        break;
                    }
                    captionsOn = on;
                    tumblewing.captionsLoaded ||= captionsOn;
                    rememberCaptions();
                }
            } catch (err) {
                notice(`Tumblewing could not load its captions: ${err.message ?? err}`);
            } finally {
                wanted = captionsOn;
                showSwitch();
                captionsSwitch.removeAttribute('aria-busy');
                busy = false;
            }
        };
        captionsSwitch.onclick = () => tumblewing.wantCaptions(!wanted);
    }

    // The scene at the screen's own pixels: the canvas's drawing buffer follows its box on the screen in device
    // pixels, and the game scales its 800x600 scene onto it with whole, unsmoothed pixels, the same in every
    // engine (a canvas scaled by the browser is smoothed by some, whatever the stylesheet asks). The game
    // takes the new size just before it paints a frame. The replay mode keeps its 800x600 canvas.
    function drawAtScreenSize(module) {
        let wanted = null;
        const observer = new ResizeObserver(([entry]) => {
            const box = entry.devicePixelContentBoxSize?.[0];
            wanted = box ? [box.inlineSize, box.blockSize]
                         : [entry.contentRect.width, entry.contentRect.height].map((v) => Math.round(v * devicePixelRatio));
        });
        try {
            observer.observe(canvas, { box: 'device-pixel-content-box' });
        } catch {
            observer.observe(canvas);  // an engine that cannot say the box in device pixels: CSS size times the ratio
        }
        module.fitCanvas = () => {
            if (!wanted || wanted[0] < 1 || wanted[1] < 1 || (canvas.width === wanted[0] && canvas.height === wanted[1])) return;
            [canvas.width, canvas.height] = wanted;
        };
    }

    function playLive(module, files, captionFiles) {
        // Captions asked for by the link come with their files and a file of theirs that fails ends
        // start-up; captions only remembered from an earlier visit that fail are named in the bar
        // and the game starts without them. The switch then shows what the game got. Switched while
        // the files loaded, the switch has the last word.
        const wanted = captionsOn;
        const asked = captionFiles.length > 0 && captionsAsked === true && wanted;
        const code = module._tw_play(asked ? 1 : 0);
        if (code !== -1) {
            const line = explain([...files, ...captionFiles], code);
            return showProblem(code >> 1 >= files.length ? `${line} Open the page without ?captions=1 to play ` +
                                                           'without captions.' : line);
        }
        const problem = asked || !wanted || captionFiles.length === 0 ? null
                                                                      : turnCaptions(module, files, captionFiles, true);
        if (problem !== null) notice(`${problem} Captions are off.`);
        captionsOn = tumblewing.captionsLoaded = wanted && captionFiles.length > 0 && problem === null;
        showSwitch();
        offerCaptions(module, files);
        if (wanted && captionFiles.length === 0) tumblewing.wantCaptions(true);  // turned on while the game loaded
        $('loading').hidden = true;
        const overlay = $('overlay');
        overlay.hidden = false;
        overlay.addEventListener('mousedown', (e) => { e.preventDefault(); canvas.focus(); module._tw_start(); });
        canvas.addEventListener('mousedown', () => module._tw_start());
        // Sound the browser holds back (or an iPhone interrupted) wakes at any click or tap until it runs;
        // the game's keys wake it themselves.
        for (const type of ['mousedown', 'click', 'touchend']) addEventListener(type, () => module._tw_wake(), true);
        // The game has no restart: once an end screen shows, the bar says how to play again.
        const watch = setInterval(() => {
            if (!tumblewing.state().ended) return;
            clearInterval(watch);
            notice(null);
            for (const line of ['controls', 'touchline']) $(line).textContent = 'Reload the page to play again';
        }, 500);
        tumblewing.onPlay?.(module);  // the touch controls (touch.js) take it from here
    }

    // The replay mode (index.html?replay): tests hand it a recording, frame numbers, and whether to draw captions.
    function offerReplay(module, files) {
        $('loading').hidden = true;
        $('poster').hidden = true;
        tumblewing.replay = async (recordingText, frames, last, { captions = false } = {}) => {
            const shots = {};
            const clips = [];
            module.onFramePainted = (frame) => { shots[frame] = canvas.toDataURL('image/png'); };
            module.onClipStarted = (frame, name) => clips.push(`${frame} ${name}`);
            const captionFiles = captions ? await fetchCaptions(module) : [];
            const code = withText(module, recordingText, (at) => module._tw_replay_begin(at, captions ? 1 : 0));
            const answers = { [-2]: 'this browser offers no WebGL', [-3]: 'the recording does not parse',
                              [-4]: 'a game already runs in this page', [-5]: 'a replay already runs in this page',
                              [-7]: "this browser's WebGL could not build the game's shader" };
            if (answers[code]) throw new Error(answers[code]);
            if (code !== 0) throw new Error(explain([...files, ...captionFiles], code - 1));
            for (const f of frames) module._tw_replay_want(f);
            module._tw_replay_run(last);
            return { clips, shots };
        };
        tumblewing.replayTo = (frame) => module._tw_replay_run(frame);
        tumblewing.redraw = () => module._tw_replay_redraw();
        startUpOver();
    }

    // A reload or another address stops this page's loads as soon as it starts, before the page goes.
    let leaving = false;
    for (const type of ['beforeunload', 'pagehide']) addEventListener(type, () => { leaving = true; });
    addEventListener('pageshow', () => { leaving = false; });
    const reloadLine = "The browser's WebGL stopped drawing the game. Reload the page to play again.";
    let lostContext = null;
    tumblewing.clips = [];  // "FRAME FILE" of every clip start
    const module = {
        canvas,
        onClipStarted(frame, name) { tumblewing.clips.push(`${frame} ${name}`); },
        onStarted() {
            tumblewing.started = true;
            letDecodersGo('picture');
            $('overlay').hidden = true;
            if (!$('bar').contains(document.activeElement)) canvas.focus();  // a key on a switch still works it
        },
        onFramePainted() {
            if (tumblewing.firstFrameAt !== null) return;
            tumblewing.firstFrameAt = performance.now();
            startUpOver();
            $('poster').hidden = true;  // the game's own first frame takes its place
        },
        onAbort(what) { if (loaded) showProblem(`Tumblewing stopped: ${what}`); },  // before, the catch below says
        // A picture the browser's WebGL turned down, or (no file) the game's shaders it could not build, found at the
        // player's first press.
        onRefused(file, why) { showProblem(file ? named({ name: file, why }) : explain([], -7)); },
        // The browser took WebGL away (a GPU reset, a driver update): the game builds its pictures again when the
        // browser gives it back, and one line asks for a reload if that has not happened within five seconds.
        onContextLost() { lostContext ??= setTimeout(() => showProblem(reloadLine), 5000); },
        onContextRestored(drawing) {
            clearTimeout(lostContext);
            lostContext = null;
            if (!drawing) showProblem(reloadLine);
        },
        print: (text) => console.log(text),
        printErr: (text) => { if (!leaving) console.warn(text); },  // a load cut short by leaving has nothing to say
    };
    // A file of the game's own that did not come: the line naming it, or null when the server has it.
    async function notServed(name) {
        try {
            const response = await fetch(name, { cache: 'no-store' });
            return response.ok ? null : named({ name, why: answered(response) });
        } catch {
            return named({ name, why: 'it could not be fetched' });
        }
    }
    if (typeof createTumblewing !== 'function') {
        notServed('tumblewing.js').then((line) => showProblem(line ?? 'Tumblewing could not load "tumblewing.js": ' +
                                                               'the browser did not run it.'));
        return;
    }
    let loaded = false;
    // The start screen first: the game's heavy start-up (its WebAssembly, the 47 files, WebGL) begins once
    // the poster is on the screen, so that a phone shows the game at once rather than a page busy loading.
    // Where the browser cannot tell when it painted it, once it is decoded and a frame has passed; never
    // later than three seconds, whatever holds the poster up.
    const posterShown = new Promise((resolve) => {
        const poster = $('poster');
        setTimeout(resolve, 3000);
        if (PerformanceObserver.supportedEntryTypes?.includes('largest-contentful-paint')) {
            new PerformanceObserver((list, observer) => {
                if (!list.getEntries().some((e) => e.element === poster)) return;
                observer.disconnect();
                resolve();
            }).observe({ type: 'largest-contentful-paint', buffered: true });
        } else {
            poster.decode().then(() => requestAnimationFrame(() => setTimeout(resolve)), resolve);
        }
    });
    posterShown.then(() => createTumblewing(module)).then(async (m) => {
        loaded = true;
        // The worker gets ready (WebGL, voice.wasm) once the game's WebAssembly is compiled, not beside it: the
        // compiling then has the cores to itself. The page's WebGL, which takes each picture as it comes, is made
        // once the worker has made its own.
        const drawingFirst = decodeAway('picture', null);
        decodeAway('clip', null);
        // The canvas takes the screen's size before any picture reaches WebGL, as a resize then is quick.
        if (!params.has('replay')) drawAtScreenSize(m);
        const prepare = () => inTurn(() => {
            m.fitCanvas?.();
            return m._tw_prepare();
        }).then((answer) => answer === 0 && prepare());
        drawingReady = drawingFirst.then(prepare);
        const names = [];
        for (let i = 0; i < m._tw_asset_count(); ++i) names.push(m.UTF8ToString(m._tw_asset_name(i)));
        const files = await fetchAll(names, '', (index, bytes) => handOver(m, index, bytes));
        letDecodersGo('clip');
        await nextTask();  // the game starts in a task of its own, not the last file's

        if (decoderMissing) return showProblem(named(decoderMissing));
        // The game's readings by the names it gives them: phase, storyClock, x, y, frames, sound, gain, ...
        const probes = [];
        for (let name; (name = m.UTF8ToString(m._tw_probe_name(probes.length)));) probes.push(name);
        tumblewing.state = () => Object.fromEntries(probes.map((name, i) => [name, m._tw_probe(i)]));
        if (params.has('replay')) offerReplay(m, files);
        else {
            // The player's keys and volume (settings.js).
            tumblewingSettings(m, params, notice, (text, call) => withText(m, text, call), tumblewing.addressProblems);
            playLive(m, files, captionsOn ? await fetchCaptions(m) : []);
        }
        tumblewing.ready = true;
    }).catch(async (e) => {
        const line = loaded ? null : await notServed('tumblewing.wasm');
        showProblem(line ?? `Tumblewing could not start: ${e.message ?? e}`);
    });
}

startTumblewing();
