// The browser version in headless Chromium: golden pictures and clip logs of the replay mode, live play, failed loads, a hidden tab.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: node browser_test.mjs SITE ROOT OUT CASE
//   SITE  the built site (tools/web), ROOT the source tree, OUT a scratch folder; for the replay case OUT
//         also holds desktop-RECORDING/clips.txt, tumblewing-replay's clip log of each whole recording
//   CASE  replay | live | missing | hidden | keys | access (access reads axe-core from $AXE)
import { execFileSync, spawnSync } from 'node:child_process';
import { mkdirSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { brotliDecompressSync, deflateSync, gunzipSync } from 'node:zlib';
import { launchChromium, serve, sleep } from './chromium.mjs';

const [site, root, out, which] = process.argv.slice(2);

const failures = [];
const check = (ok, what) => { if (!ok) failures.push(what); };

// One browser for the whole case; each page a fresh tab on a server of its own.
let browser = null;
async function withPage(path, { replace = {}, prepare } = {}, body) {
    const server = await serve(site, replace);
    try {
        const page = await browser.open(server.origin + path, prepare);
        await page.until('window.tumblewing && (window.tumblewing.ready || window.tumblewing.problem)');
        await body(page, server);
        await page.close();
    } finally {
        server.close();
    }
}

// A gray PNG `width` pixels wide and one high.
function widePng(width) {
    const crcTable = Array.from({ length: 256 }, (_, n) => {
        for (let k = 0; k < 8; ++k) n = n & 1 ? 0xedb88320 ^ (n >>> 1) : n >>> 1;
        return n >>> 0;
    });
    const crc = (bytes) => ~bytes.reduce((c, b) => crcTable[(c ^ b) & 0xff] ^ (c >>> 8), ~0) >>> 0;
    const chunk = (type, data) => {
        const body = Buffer.concat([Buffer.from(type), data]);
        const framed = Buffer.alloc(body.length + 8);
        framed.writeUInt32BE(data.length, 0);
        body.copy(framed, 4);
        framed.writeUInt32BE(crc(body), body.length + 4);
        return framed;
    };
    const header = Buffer.alloc(13);
    header.writeUInt32BE(width, 0);
    header.writeUInt32BE(1, 4);
    header.set([8, 0, 0, 0, 0], 8);  // 8-bit gray
    const row = Buffer.alloc(width + 1, 128);
    row[0] = 0;  // no filter
    return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', header),
                          chunk('IDAT', deflateSync(row)), chunk('IEND', Buffer.alloc(0))]);
}

const captionsPressed = (page) => page.evaluate("document.getElementById('captions').getAttribute('aria-pressed')");

// Every request went to the page's own server.
function checkRequests(page, server) {
    for (const url of page.requests)
        check(url.startsWith(server.origin + '/') || url.startsWith('data:'), `a request to another host: ${url}`);
}

// Presses and lets go a key as a keyboard would, its character included (Enter and Space work buttons by it).
async function press(page, key) {
    const k = { Enter: { code: 'Enter', text: '\r', keyCode: 13 }, ' ': { code: 'Space', text: ' ', keyCode: 32 } }[key];
    for (const type of ['keyDown', 'keyUp']) {
        await page.send('Input.dispatchKeyEvent', { type, key, code: k.code, windowsVirtualKeyCode: k.keyCode,
                                                    nativeVirtualKeyCode: k.keyCode, ...(type === 'keyDown' && { text: k.text }) });
    }
}
const noticeShown = "!document.getElementById('notice').hidden && document.getElementById('notice').textContent";

// Holds `key` for about `seconds`; says how many frames ran with it surely down (from the
// first press's arrival to the last repeat's), however few a busy machine let run.
async function holdKey(page, key, seconds) {
    await page.key('keyDown', key, key);
    const from = (await page.state()).frames;
    for (let t = 0; t < seconds; t += 0.1) {  // the browser's key repeat
        await sleep(100);
        await page.send('Input.dispatchKeyEvent', { type: 'keyDown', key, code: key, autoRepeat: true,
                                                    windowsVirtualKeyCode: 39, nativeVirtualKeyCode: 39 });
    }
    const held = (await page.state()).frames - from;
    await page.key('keyUp', key, key);
    return held;
}

const cases = {
    // The golden moments drawn by the page match the desktop's golden pictures, those with --captions
    // drawn with captions on; every clip start of both whole recordings comes on the same frame as in
    // tumblewing-replay, captions or not.
    async replay() {
        const moments = readFileSync(join(root, 'tests/golden/moments.txt'), 'utf8').split('\n')
            .filter((l) => l.trim() && !l.startsWith('#')).map((l) => l.trim().split(/\s+/));
        const unknown = moments.flatMap((m) => m.slice(3)).filter((o) => o !== '--captions');
        check(unknown.length === 0, `moments.txt has options the page does not know: ${unknown.join(' ')}`);
        // The site's files are the game's, packed smaller: every picture (WebP or PNG) each pixel of its
        // source, the poster each pixel of the golden start screen, every compressed copy its file's bytes.
        const pictures = [['poster.webp', 'tests/golden/start-screen.png'],
                          ...readdirSync(join(root, 'assets')).filter((f) => f.endsWith('.png')).map((f) => [`assets/${f}`, `assets/${f}`])];
        for (const [mine, source] of pictures) {
            const changed = spawnSync('compare', ['-metric', 'AE', join(site, mine), join(root, source), 'null:'],
                                      { encoding: 'utf8' }).stderr.trim();  // the count, whether or not any differ
            check(changed === '0', `${mine}: ${changed} pixels differ from ${source}`);
        }
        for (const copy of readdirSync(site, { recursive: true }).filter((f) => /\.(br|gz)$/.test(f))) {
            const unpacked = (copy.endsWith('.br') ? brotliDecompressSync : gunzipSync)(readFileSync(join(site, copy)));
            check(unpacked.equals(readFileSync(join(site, copy.slice(0, -3)))), `${copy} is not its file`);
        }
        // One run of the page for each recording and set of options.
        const runs = [...new Set(moments.map((m) => [m[1], ...m.slice(3)].join(' ')))].map((r) => r.split(' '));
        for (const [recording, ...options] of runs) {
            const text = readFileSync(join(root, 'tests/inputs', recording), 'utf8');
            const end = Number(/^end (\d+)/m.exec(text)[1]);
            const mine = moments.filter((m) => [m[1], ...m.slice(3)].join(' ') === [recording, ...options].join(' '));
            const captions = options.includes('--captions');
            const run = recording + (captions ? ' with captions' : '');
            await withPage('/index.html?replay', {}, async (page) => {
                const result = await page.evaluate(`tumblewing.replay(${JSON.stringify(text)}, ` +
                    `${JSON.stringify(mine.map((m) => Number(m[2])))}, ${end}, { captions: ${captions} })`);
                const log = result.clips.join('\n') + '\n';
                const logFile = join(out, `web-${recording}${captions ? '-captioned' : ''}.clips.txt`);
                writeFileSync(logFile, log);
                const desktop = readFileSync(join(out, `desktop-${recording}`, 'clips.txt'), 'utf8');
                check(log === desktop, `${run}: the clip log differs from tumblewing-replay's ` +
                      `(diff ${out}/desktop-${recording}/clips.txt ${logFile})`);
                check(page.problems.length === 0, `${run}: ${page.problems.join('; ')}`);
                for (const [name, , frame] of mine) {
                    const drawn = join(out, `${name}.png`);
                    writeFileSync(drawn, Buffer.from(result.shots[frame].split(',')[1], 'base64'));
                    // The render test's measure: a pixel counts as changed when a channel moves by more than 1 %.
                    let changed;
                    try {
                        changed = execFileSync('compare', ['-metric', 'AE', '-fuzz', '1%', join(root, 'tests/golden', `${name}.png`),
                                                           drawn, join(out, `${name}-difference.png`)], { stdio: 'pipe' });
                    } catch (e) {
                        changed = e.stderr;
                    }
                    changed = String(changed).trim() || '0';
                    const same = changed === '0';
                    console.log(`${same ? 'same' : 'DIFFERENT'}: ${name} (${recording} frame ${frame}), ${changed} pixels changed`);
                    check(same, `${name}: ${changed} pixels changed; see ${out}/${name}-difference.png`);
                }
            });
        }
    },

    // The page loads; a click lifts the overlay and wakes the sound; the Captions switch turns captions
    // on; an arrow held for a second moves Kestra and starts the story with clip 1, its caption drawn
    // over the frame; nothing is logged as an error; nothing comes from elsewhere.
    async live() {
        // However late the frame after the arrow press comes, the narration starts clip 1 on it.
        await withPage('/index.html', {}, async (page, server) => {
            const first = await page.state();
            check(!(await page.evaluate("document.getElementById('overlay').hidden")), 'no overlay over the start screen');
            check(first.phase === 0 && first.x === 80, `the start screen is not at its start: ${JSON.stringify(first)}`);
            await page.click(400, 300);
            await page.until('tumblewing.started', 5);
            check(await page.evaluate("document.getElementById('overlay').hidden"), 'the overlay stays after a click');
            await page.until('tumblewing.state().sound', 5).catch(() => check(false, 'the sound stays suspended after a click'));
            check(await captionsPressed(page) === 'false', 'captions are on before the switch is pressed');
            await page.clickOn('captions');
            await page.until("document.getElementById('captions').getAttribute('aria-pressed') === 'true' && " +
                             "!document.getElementById('captions').hasAttribute('aria-busy')", 10)
                .catch(() => check(false, 'the Captions switch does not turn on'));
            check(await page.evaluate("localStorage.getItem('tumblewing-captions')") === 'on', 'captions on are not remembered');
            // Kestra flies 3 px a frame: counted in frames, not seconds, as a busy machine may run few.
            // Frames run late to catch up read the keys by their own deadlines, so up to a quarter of a
            // second's frames (15) run after the press may not see it.
            const pressed = Date.now();
            const held = await holdKey(page, 'ArrowRight', 1);
            await sleep(200);
            const moved = await page.state();
            check(moved.x > 80 && moved.x >= 80 + 3 * (held - 15),
                  `an arrow held for ${held} frames moved Kestra only to x ${moved.x}`);
            check(moved.storyClock < (Date.now() - pressed) / 1000 + 0.5,
                  `the story did not start at the press (story clock ${moved.storyClock})`);
            const clips = await page.evaluate('tumblewing.clips');
            check(clips.some((c) => c.endsWith(' abeautiful.ogg')), `clip 1 did not start: ${JSON.stringify(clips)}`);
            if (clips.length > 0) {
                await page.until('tumblewing.state().captions === 1', 5)
                    .catch(() => check(false, 'no caption drawn while clip 1 plays'));
            }
            check(page.problems.length === 0, `console: ${page.problems.join('; ')}`);
            checkRequests(page, server);
        });
    },

    // A file that does not come or does not decode stops start-up where the desktop's would, and one
    // line names it instead of the game; the game's own script and WebAssembly alike. Captions only
    // remembered from an earlier visit are the exception: the game starts without them, the bar names the file.
    async missing() {
        const cut = readFileSync(join(site, 'assets/withvexmorcooked.ogg')).subarray(0, 100);
        const noise = Buffer.from(Array.from({ length: 4000 }, (_, i) => (i * 7919 + 13) % 251));
        const picture = readFileSync(join(site, 'assets/youwin.png'));
        const rows = [
            { replace: { '/tumblewing.js': null }, named: 'tumblewing.js', why: '404' },
            { replace: { '/tumblewing.wasm': null }, named: 'tumblewing.wasm', why: '404' },
            { replace: { '/voice.wasm': null }, named: 'voice.wasm', why: '404' },  // the clips' decoder, in its worker
            // 40 MB grows the game's memory while the caption pictures are handed over.
            { path: '/index.html?captions=1', replace: { '/assets/captions/abeautiful-2.png': Buffer.alloc(40 << 20, 7) },
              named: 'captions/abeautiful-2.png', why: 'caption picture' },
            { remembered: true, replace: { '/assets/captions/withaflash-1.png': null }, named: 'captions/withaflash-1.png',
              why: '404' },
            { replace: { '/assets/Column.png': null }, named: 'Column.png', why: '404' },
            // Captions asked for by the link: their files come after the game's, and end start-up alike.
            { path: '/index.html?captions=1', replace: { '/assets/captions/withaflash-1.png': null },
              named: 'captions/withaflash-1.png', why: '404' },
            { path: '/index.html?captions=1', replace: { '/assets/captions/abeautiful-2.png': noise },
              named: 'captions/abeautiful-2.png', why: 'caption picture' },
            { path: '/index.html?captions=1', replace: { '/assets/captions/captions.txt': noise },
              named: 'captions/captions.txt', why: 'caption table' },
            { path: '/index.html?captions=1',
              replace: { '/assets/captions/captions.txt': null, '/assets/enemy.jpg': null }, named: 'enemy.jpg', why: '404' },
            // Wider than the browser's WebGL takes (SwiftShader's MAX_TEXTURE_SIZE is 8192).
            { replace: { '/assets/Column.png': widePng(8200) }, named: 'Column.png', why: 'larger than this browser' },
            { replace: { '/assets/abeautiful.ogg': null }, named: 'abeautiful.ogg', why: '404' },
            { replace: { '/assets/withvexmorcooked.ogg': cut }, named: 'withvexmorcooked.ogg', why: 'decode' },
            { replace: { '/assets/itismuch.ogg': picture }, named: 'itismuch.ogg', why: 'decode' },
            // A browser that cannot parse the game's scripts (??= needs Safari 14) is said to be too old;
            // one that did not get them names the script.
            { replace: { '/page.js': Buffer.from('tumblewing ??= ?? 1;') }, why: 'This browser is too old for Tumblewing' },
            { replace: { '/page.js': null }, named: 'page.js', why: 'could not load' },
            // The first failure in load order is the one named.
            { replace: { '/assets/lightningcloudbest.png': null, '/assets/BestGriffin.png': noise },
              named: 'BestGriffin.png', why: 'decode' },
        ];
        // The bar's line in every task that changed it: each file is counted (and decoded) in a task of its own.
        const counted = async (page) => page.send('Page.addScriptToEvaluateOnNewDocument', { source: `window.counted = [];
            new MutationObserver(() => { const line = document.getElementById('loaded')?.textContent;
                if (line && line !== counted.at(-1)) counted.push(line); }).observe(document, { subtree: true, childList: true });` });
        for (const row of rows) {
            await withPage(row.path ?? '/index.html', { replace: row.replace, prepare: counted }, async (page) => {
                if (row.remembered) {  // the page again, now that the player left captions on
                    await page.evaluate("localStorage.setItem('tumblewing-captions', 'on')");
                    await page.send('Page.navigate', { url: `${await page.evaluate('location.origin')}/index.html?again` });
                    await page.until("location.search === '?again' && window.tumblewing && tumblewing.ready");
                }
                const line = await page.until(row.remembered ? noticeShown : 'tumblewing.problem', 30);
                const what = Object.keys(row.replace).join(', ');
                const steps = (await page.evaluate('counted')).map((l) => /^Loading (\d+) of/.exec(l)?.[1]).filter(Boolean).map(Number);
                if (row.named && !/\.(js|wasm)$/.test(row.named))  // past the game's own scripts
                    check(steps.length >= 47 && steps.every((n, i) => n === i + 1), `${what}: the bar counted ${steps.join(' ')}`);
                check((!row.named || line.includes(`"${row.named}"`)) && line.includes(row.why), `${what}: the page says "${line}"`);
                check(await page.evaluate("document.getElementById('canvas').hidden") === !row.remembered,
                      `${what}: the game ${row.remembered ? 'does not start' : 'still shows'}`);
                if (row.remembered) check(await captionsPressed(page) === 'false', `${what}: the switch stays on`);
            });
        }
        // Turned on mid-game, a caption file that fails is named beneath the game, which goes on; each
        // press tries them again as the server then answers, and once every file comes, captions are on.
        const served = {};
        await withPage('/index.html', { replace: served }, async (page) => {
            const presses = [
                { replace: { '/assets/captions/itismuch-1.png': null }, named: 'captions/itismuch-1.png', why: '404' },
                { replace: { '/assets/captions/abeautiful-2.png': noise }, named: 'captions/abeautiful-2.png', why: 'caption picture' },
                { replace: { '/assets/captions/captions.txt': null }, named: 'captions/captions.txt', why: '404' },
                { replace: {}, on: true },
            ];
            for (const [i, p] of presses.entries()) {
                for (const path of Object.keys(served)) delete served[path];
                Object.assign(served, p.replace);
                await page.clickOn('captions');
                await page.until("!document.getElementById('captions').hasAttribute('aria-busy')", 20);
                const line = await page.evaluate(noticeShown);
                const what = `mid-game press ${i + 1}`;
                check(await captionsPressed(page) === String(Boolean(p.on)), `${what}: the switch is not ${p.on ? 'on' : 'off'}`);
                if (!p.on) check(line && line.includes(`"${p.named}"`) && line.includes(p.why), `${what}: the page says "${line}"`);
                else check(!line, `${what}: the page says "${line}"`);
            }
            check(!(await page.evaluate("document.getElementById('canvas').hidden")) &&
                  (await page.evaluate('tumblewing.problem')) === null, 'mid-game: a caption file stopped the game');
            check(!page.problems.some((p) => p.startsWith('exception')), `mid-game: ${page.problems.join('; ')}`);
        });
    },

    // Enter and Space work a focused button before the game starts and during play; while a button has
    // the focus the game leaves the arrows alone, and a click on the scene gives them back.
    async keys() {
        await withPage('/index.html', {}, async (page) => {
            for (const when of ['before play', 'during play']) {
                if (when === 'during play') {
                    await page.click(400, 300);
                    await page.until('tumblewing.started', 5);
                }
                for (const [id, key] of [['captions', 'Enter'], ['captions', ' '], ['fullscreen', 'Enter'], ['fullscreen', ' ']]) {
                    const button = `document.getElementById('${id}')`;
                    const was = await page.evaluate(`${button}.getAttribute('aria-pressed')`);
                    await page.evaluate(`${button}.focus()`);
                    await press(page, key);
                    await page.until(`!${button}.hasAttribute('aria-busy') && ${button}.getAttribute('aria-pressed') !== '${was}'`, 20)
                        .catch(() => check(false, `${when}: ${key === ' ' ? 'Space' : key} does not work the ${id} button`));
                    if (id === 'fullscreen') {  // full screen hides the bar; back to the window for the next press
                        await page.evaluate('document.fullscreenElement && document.exitFullscreen()');
                        await page.until(`${button}.getAttribute('aria-pressed') === 'false'`, 5);
                    }
                }
            }
            await page.evaluate("document.getElementById('captions').focus()");
            const on = await page.state();
            await holdKey(page, 'ArrowRight', 0.5);
            check((await page.state()).x === on.x, 'an arrow pressed on the Captions button moved Kestra');
            await page.click(400, 300);
            await page.key('keyDown', 'ArrowRight', 'ArrowRight');
            await page.until(`tumblewing.state().x > ${on.x}`, 10)
                .catch(() => check(false, 'after a click on the scene an arrow does not move Kestra'));
            await page.key('keyUp', 'ArrowRight', 'ArrowRight');
            check(!page.problems.some((p) => p.startsWith('exception')), page.problems.join('; '));
        });
    },

    // axe-core, the accessibility rules engine, finds nothing wrong with the page on a desktop's
    // window and on a phone, before the game starts and during play.
    async access() {
        const axe = readFileSync(process.env.AXE, 'utf8');
        const screens = {
            desktop: { width: 1024, height: 768, deviceScaleFactor: 1, mobile: false },
            phone: { width: 390, height: 844, deviceScaleFactor: 3, mobile: true },
        };
        for (const [name, metrics] of Object.entries(screens)) {
            await withPage('/index.html', {}, async (page) => {
                await page.send('Emulation.setDeviceMetricsOverride', metrics);
                await page.send('Emulation.setTouchEmulationEnabled', { enabled: metrics.mobile, maxTouchPoints: 5 });
                await page.evaluate(axe);
                for (const when of ['before play', 'during play']) {
                    if (when === 'during play') {
                        await page.click(metrics.width / 2, metrics.height / 3);
                        await page.until('tumblewing.started', 5);
                    }
                    const found = await page.evaluate('axe.run(document).then((r) => r.violations.map((v) => ' +
                                                      "`${v.id} (${v.nodes.map((n) => n.target.join(' ')).join(', ')})`))");
                    check(found.length === 0, `${name}, ${when}: axe-core finds ${found.join('; ')}`);
                }
            });
        }
    },

    // Hidden for ten seconds mid-story, the game stands still and goes on where it was.
    async hidden() {
        await withPage('/index.html', {}, async (page) => {
            await page.click(400, 300);
            await page.until('tumblewing.started', 5);
            await holdKey(page, 'ArrowRight', 0.3);
            await page.until('tumblewing.state().phase === 1', 20);
            const before = await page.state();
            const { targetId } = await page.browser.send('Target.createTarget', { url: 'about:blank' });
            await page.until("document.visibilityState === 'hidden'", 5);
            const hidden = await page.state();
            await sleep(10000);
            const stillHidden = await page.state();
            check(stillHidden.frames === hidden.frames, 'frames ran while the page was hidden');
            check(!stillHidden.sound, 'the sound went on while the page was hidden');
            await page.browser.send('Target.closeTarget', { targetId });
            await page.browser.send('Target.activateTarget', { targetId: page.targetId });
            await page.until("document.visibilityState === 'visible'", 5);
            const after = await page.state();
            check(after.phase === before.phase, `phase ${before.phase} before hiding, ${after.phase} after`);
            check(after.storyClock - before.storyClock < 1.5,
                  `the story clock read ${before.storyClock} s before hiding and ${after.storyClock} s after`);
            // However few frames a busy machine lets run, the game goes on.
            await page.until(`tumblewing.state().frames > ${after.frames + 5}`, 20).catch(() => {});
            const later = await page.state();
            check(later.frames > after.frames + 5 && later.storyClock > after.storyClock,
                  `the game did not go on after the page was shown: ${JSON.stringify([after, later])}`);
            check(later.sound, 'the sound did not come back');
        });
    },
};

mkdirSync(out, { recursive: true });
if (!cases[which]) {
    console.error(`no case ${which}; cases: ${Object.keys(cases).join(' ')}`);
    process.exit(2);
}
browser = await launchChromium({ sound: which === 'hidden' });
try {
    await cases[which]();
} catch (e) {
    failures.push(e.stack);
} finally {
    await browser.close();
}
for (const f of failures) console.error(`FAILED: ${f}`);
process.exit(failures.length ? 1 : 0);
