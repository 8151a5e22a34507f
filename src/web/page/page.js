// Tumblewing's page: fetches the 47 files with progress, starts the game or its replay mode, shows what went wrong.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
'use strict';

// What tests and the page read back: window.tumblewing.
const tumblewing = { problem: null, firstFrameAt: null, started: false };
window.tumblewing = tumblewing;

function startTumblewing() {
    const $ = (id) => document.getElementById(id);
    const canvas = $('canvas');

    // One line instead of the game: the page's way of ending start-up.
    function showProblem(text) {
        tumblewing.problem = text;
        canvas.hidden = true;
        $('loading').hidden = true;
        $('overlay').hidden = true;
        $('problem').textContent = text;
        $('problem').hidden = false;
    }

    if (location.protocol === 'file:') {
        showProblem('Tumblewing must be served by a web server: a browser will not let a page opened as a file ' +
                    'load the game. Serve this folder (tools/web serve does) and open it at http://localhost:8000.');
        return;
    }

    $('fullscreen').addEventListener('click', () => {
        if (document.fullscreenElement) document.exitFullscreen();
        else document.documentElement.requestFullscreen().catch(() => {});
        canvas.focus();
    });

    // Starts every fetch at once, in load order, and counts them in as they come.
    async function fetchAll(names) {
        let done = 0;
        const progress = $('progress');
        progress.max = names.length;
        const count = () => {
            done += 1;
            progress.value = done;
            $('loaded').textContent = `Loading ${done} of ${names.length} files…`;
        };
        return Promise.all(names.map(async (name) => {
            try {
                const response = await fetch('assets/' + encodeURIComponent(name));
                if (!response.ok) return { name, why: `the server answered ${response.status} ${response.statusText}`.trim() };
                return { name, bytes: new Uint8Array(await response.arrayBuffer()) };
            } catch (e) {
                return { name, why: 'it could not be fetched' };
            } finally {
                count();
            }
        }));
    }

    // Hands the files to the game in load order, up to the first that did not come.
    function handOver(module, files) {
        for (let i = 0; i < files.length; ++i) {
            if (!files[i].bytes) return;
            const at = module._tw_asset_slot(i, files[i].bytes.length);
            module.HEAPU8.set(files[i].bytes, at);
        }
    }

    // tw_play and tw_replay_begin name the file that ended start-up as 2 * index (+ 1: it did not decode).
    function explain(module, files, code) {
        if (code === -2) return 'Tumblewing needs WebGL, which this browser does not offer.';
        const file = files[code >> 1];
        const why = code & 1 ? 'it is not a picture or sound the game can decode' : file.why;
        return `Tumblewing could not load "${file.name}": ${why}.`;
    }

    function playLive(module, files) {
        const code = module._tw_play();
        if (code !== -1) return showProblem(explain(module, files, code));
        $('loading').hidden = true;
        const overlay = $('overlay');
        overlay.hidden = false;
        overlay.addEventListener('mousedown', (e) => { e.preventDefault(); module._tw_start(); });
        canvas.addEventListener('mousedown', () => module._tw_start());
    }

    // The replay mode (index.html?replay): tests hand it a recording and frame numbers.
    function offerReplay(module, files) {
        $('loading').hidden = true;
        tumblewing.replay = (recordingText, frames, last) => {
            const shots = {};
            const clips = [];
            module.onFramePainted = (frame) => { shots[frame] = canvas.toDataURL('image/png'); };
            module.onClipStarted = (frame, name) => clips.push(`${frame} ${name}`);
            const size = module.lengthBytesUTF8(recordingText) + 1;
            const text = module._malloc(size);
            module.stringToUTF8(recordingText, text, size);
            const code = module._tw_replay_begin(text);
            module._free(text);
            if (code === -3) throw new Error('the recording does not parse');
            if (code !== 0) throw new Error(explain(module, files, code - 1));
            for (const f of frames) module._tw_replay_want(f);
            module._tw_replay_run(last);
            return { clips, shots };
        };
        tumblewing.replayTo = (frame) => module._tw_replay_run(frame);
        tumblewing.redraw = () => module._tw_replay_redraw();
    }

    tumblewing.clips = [];  // "FRAME FILE" of every clip start
    const module = {
        canvas,
        onClipStarted(frame, name) { tumblewing.clips.push(`${frame} ${name}`); },
        onStarted() {
            tumblewing.started = true;
            $('overlay').hidden = true;
            canvas.focus();
        },
        onFramePainted() {
            if (tumblewing.firstFrameAt === null) tumblewing.firstFrameAt = performance.now();
        },
        onAbort(what) { showProblem(`Tumblewing stopped: ${what}`); },
        print: (text) => console.log(text),
        printErr: (text) => console.warn(text),
    };
    createTumblewing(module).then(async (m) => {
        const names = [];
        for (let i = 0; i < m._tw_asset_count(); ++i) names.push(m.UTF8ToString(m._tw_asset_name(i)));
        const files = await fetchAll(names);
        handOver(m, files);
        tumblewing.state = () => ({
            phase: m._tw_probe(0), storyClock: m._tw_probe(1), x: m._tw_probe(2), frames: m._tw_probe(3),
            painted: m._tw_probe(4), sound: m._tw_probe(5) === 1,
        });
        if (new URLSearchParams(location.search).has('replay')) offerReplay(m, files);
        else playLive(m, files);
        tumblewing.ready = true;
    }, (e) => showProblem(`Tumblewing could not start: ${e}`));
}
