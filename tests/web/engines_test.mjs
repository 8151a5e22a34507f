// The page in Chromium, Firefox ESR and WebKitGTK: one table of checks, run in the engine named.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: node engines_test.mjs SITE ROOT OUT ENGINE
//   SITE the built site (tools/web), ROOT the source tree, OUT a scratch folder;
//   ENGINE chromium | firefox | webkit (the two in windows on $DISPLAY; firefox reads Puppeteer from $NPM_MODULES)
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { check, failures, finish, launchChromium, launchFirefox, launchWebKit, serve, watched } from './chromium.mjs';

const [site, root, out, engine] = process.argv.slice(2);
const loaded = 'window.tumblewing && (tumblewing.ready || tumblewing.problem) && [tumblewing.problem]';

// Firefox logs "Failed to load 'FILE'. A ServiceWorker intercepted the request and encountered an unexpected
// error." for each file of a load that a reload cuts short after the worker has answered it. The worker never
// hears of it (its answer is given; an answer on the request's abort signal did not silence the line), and the
// page that comes plays. Only that line, only in Firefox and only for a load cut short, is let through.
const cutShort = /^exception: Failed to load ‘[^’]+’\. A ServiceWorker intercepted the request and encountered an unexpected error\.$/;

async function load(page, url) {
    await page.evaluate('window.tumblewing = undefined');
    await page.navigate(url);
    return (await page.until(loaded))[0];
}

// Waits until the first click has started the game and woken its sound.
async function start(page) {
    await page.clickOn('overlay');
    await page.until('tumblewing.started', 10);
    await page.until('tumblewing.state().sound', 10).catch(() => check(false, `${engine}: a click did not wake the sound`));
}

const rows = [
    { name: 'ready with no problem', path: '/index.html', async run(page, problem) {
        check(problem === null, `the page says "${problem}"`);
    } },
    // Counted in frames however slowly a busy machine draws them; never more than the game's 60 a second
    // (and a quarter of a second's worth caught up late, a frame taken a little early).
    { name: 'game frames a second', async run(page) {
        const { frames, seconds } = await page.evaluate(`new Promise((done) => {
            const from = tumblewing.state().frames, at = performance.now();
            const look = () => { const n = tumblewing.state().frames - from;
                                 if (n >= 120) done({ frames: n, seconds: (performance.now() - at) / 1000 }); else setTimeout(look, 20); };
            look();
        })`);
        console.log(`${engine}: ${frames} frames in ${seconds.toFixed(2)} s, ${(frames / seconds).toFixed(1)} a second`);
        check(frames <= 60 * seconds + 17, `${frames} frames in ${seconds} s`);
    } },
    { name: 'arrows fly', async run(page) {
        await start(page);
        await page.key('keyDown', 'ArrowRight');
        await page.until('tumblewing.state().x > 140', 20).catch(() => check(false, 'an arrow held did not move Kestra'));
        await page.key('keyUp', 'ArrowRight');
    } },
    { name: 'the first clip starts with sound running', async run(page) {
        const clips = await page.until("tumblewing.clips.some((c) => c.endsWith(' abeautiful.ogg')) && tumblewing.clips", 10)
            .catch(() => []);
        check(clips.length > 0, 'clip 1 did not start');
        check((await page.state()).sound, 'the sound is not running');
    } },
    { name: 'a reload served by the worker', async run(page) {
        await page.until('navigator.serviceWorker.ready.then((r) => r.active.state === "activated")');
        await page.evaluate('window.tumblewing = undefined');
        await page.reload();
        const [problem] = await page.until(loaded);
        check(problem === null && await page.evaluate('navigator.serviceWorker.controller !== null'),
              `after a reload the worker does not answer the page, which says "${problem}"`);
    } },
    // A reload whose loads the worker answers, cut short by another as soon as its scripts have started them:
    // the page the second brings plays.
    { name: 'a reload cutting a load short', tolerate: engine === 'firefox' ? cutShort : null, async run(page) {
        await page.evaluate("(window.tumblewing = undefined, sessionStorage.setItem('cut', 'yes'), setTimeout(() => location.reload(), 0))");
        const [again] = await page.until(`sessionStorage.getItem('cut') === null && ${loaded}`);
        check(again === null, `after a load cut short the page says "${again}"`);
    } },
    { name: '?captions=1', path: '/index.html?captions=1', async run(page, problem) {
        check(problem === null && await page.evaluate("document.getElementById('captions').getAttribute('aria-pressed') === 'true'" +
                                                      ' && tumblewing.captionsLoaded'), `no captions; the page says "${problem}"`);
    } },
    // The button goes full screen in each (Firefox too: BiDi's click counts as the player's).
    { name: 'Full screen', async run(page) {
        check(!(await page.evaluate("document.getElementById('fullscreen').hidden")), 'no Full screen button');
        await page.clickOn('fullscreen');
        await page.until("document.fullscreenElement && document.getElementById('fullscreen').getAttribute('aria-pressed') === 'true'", 10)
            .catch(() => check(false, 'the Full screen button does not go full screen'));
        await page.evaluate('document.fullscreenElement && document.exitFullscreen()');
        await page.until('!document.fullscreenElement', 10);
    } },
    // The click wakes the sound (a finger made up in the page would not count as the player's); the finger flies.
    { name: 'a finger on the touch d-pad', path: '/index.html?touch=1', async run(page) {
        await start(page);
        const from = await page.state();
        const [x, y] = await page.evaluate(`(() => { const r = document.querySelector('[aria-label=Right]').getBoundingClientRect();
                                                     return [r.x + r.width / 2, r.y + r.height / 2]; })()`);
        await page.touch('touchStart', [[x, y]]);
        await page.until(`tumblewing.state().x > ${from.x + 30}`, 20).catch(() => check(false, 'a finger on Right did not move Kestra'));
        await page.touch('touchEnd');
        await page.staysPut('the finger lifted');
    } },
    // The replay mode's first frame, as tests/golden/start-screen.png, by the render test's measure.
    { name: 'the start screen against the golden', path: '/index.html?replay', async run(page) {
        const text = readFileSync(join(root, 'tests/inputs/win.keys'), 'utf8');
        const { shots } = await page.evaluate(`tumblewing.replay(${JSON.stringify(text)}, [1], 1)`);
        const drawn = join(out, `start-screen-${engine}.png`);
        writeFileSync(drawn, Buffer.from(shots[1].split(',')[1], 'base64'));
        let changed;
        try {
            changed = execFileSync('compare', ['-metric', 'AE', '-fuzz', '1%', join(root, 'tests/golden/start-screen.png'), drawn,
                                               join(out, `start-screen-${engine}-difference.png`)], { stdio: 'pipe' });
        } catch (e) {
            changed = e.stderr;
        }
        changed = String(changed).trim() || '0';
        check(changed === '0', `${changed} pixels changed; see ${drawn}`);
    } },
];

mkdirSync(out, { recursive: true });
const launch = { chromium: () => launchChromium(), firefox: () => launchFirefox(process.env.NPM_MODULES), webkit: launchWebKit }[engine];
if (!launch) {
    console.error(`no engine ${engine}: chromium, firefox or webkit`);
    process.exit(2);
}
const server = await serve(site, watched(site));
const browser = await launch();
const page = await browser.open('about:blank');
for (const row of rows) {
    const what = `${engine}, ${row.name}`;
    const before = failures.length;
    try {
        await row.run(page, row.path ? await load(page, server.origin + row.path) : null);
    } catch (e) {
        failures.push(`${what}: ${e.stack}`);
    }
    // No script error, warning or refused load: what the engine reports and what the page's own listener kept.
    const problems = [...page.problems.splice(0), ...await page.evaluate('window.pageProblems?.splice(0) ?? []').catch(() => [])];
    const wrong = problems.filter((p) => !row.tolerate?.test(p));
    if (wrong.length < problems.length) console.log(`${what}: let through ${problems.length - wrong.length} lines as ${row.tolerate}`);
    check(wrong.length === 0, `${wrong.join('; ')}`);
    for (let i = before; i < failures.length; ++i) if (!failures[i].startsWith(what)) failures[i] = `${what}: ${failures[i]}`;
    console.log(`${failures.length === before ? 'ok' : 'FAILED'}: ${what}`);
}
await finish(browser, server);
