// Measures the page's start-up as a phone meets it: Lighthouse's mobile and desktop runs, and the page at a 4x slower CPU.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: tools/web && node bench/start_bench.mjs [SITE] [--page]   (--page: only the page at a 4x slower CPU)
// SITE (build/web/site unless told) is served as a compressing web host serves it: a file's .br or .gz copy
// when the site has one, else text and WebAssembly gzipped as they go. Lighthouse 12.2.3 comes from the lock
// in tests/web, installed once into build/bench/npm; it runs Chromium from CHROME_PATH (/usr/bin/chromium).
// Each figure is the median of three runs. "Ready" is the game's first frame on the canvas; "longest task"
// the longest main-thread task the page's PerformanceObserver saw; "bytes" what came over the wire to the
// page and its workers (its service worker's own fetches are another target, not counted).
import { execFile, execFileSync } from 'node:child_process';
import { promisify } from 'node:util';
import { cpSync, existsSync, mkdirSync, readFileSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import { launchChromium, serve } from '../tests/web/chromium.mjs';

const root = new URL('..', import.meta.url).pathname;
const pageOnly = process.argv.includes('--page');
const site = process.argv.slice(2).find((a) => !a.startsWith('--')) ?? join(root, 'build/web/site');
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Lighthouse at the version the lock pins, installed again only when the lock changes.
const npm = join(root, 'build/bench/npm');
const lock = join(root, 'tests/web/package-lock.json');
if (!existsSync(join(npm, 'installed.json')) || !readFileSync(lock).equals(readFileSync(join(npm, 'installed.json')))) {
    rmSync(npm, { recursive: true, force: true });
    mkdirSync(npm, { recursive: true });
    for (const f of ['package.json', 'package-lock.json']) cpSync(join(root, 'tests/web', f), join(npm, f));
    execFileSync('npm', ['ci', '--ignore-scripts', '--no-audit', '--no-fund', '--loglevel=error'], { cwd: npm, stdio: 'inherit' });
    cpSync(lock, join(npm, 'installed.json'));
}

const server = await serve(site, {}, 0, { gzip: true });
const url = `${server.origin}/index.html`;

// Run beside the server, which answers from this process: never a synchronous call while it runs.
async function lighthouse(preset) {
    const flags = '--headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader --mute-audio';
    const args = [url, '--quiet', '--output=json', '--output-path=stdout', '--only-categories=performance',
                  `--chrome-flags=${flags}`, ...(preset === 'desktop' ? ['--preset=desktop'] : [])];
    const { stdout } = await promisify(execFile)(join(npm, 'node_modules/.bin/lighthouse'), args,
        { env: { ...process.env, CHROME_PATH: process.env.CHROME_PATH ?? '/usr/bin/chromium' }, maxBuffer: 1 << 28 });
    const report = JSON.parse(stdout);
    const metric = (id) => report.audits[id].numericValue;
    return { score: report.categories.performance.score, fcp: metric('first-contentful-paint'),
             lcp: metric('largest-contentful-paint'), tbt: metric('total-blocking-time'),
             cls: metric('cumulative-layout-shift'), bytes: metric('total-byte-weight') };
}

for (const preset of pageOnly ? [] : ['mobile', 'desktop']) {
    const runs = [];
    for (let i = 0; i < 3; ++i) runs.push(await lighthouse(preset));
    const m = (key) => median(runs.map((r) => r[key]));
    console.log(`Lighthouse ${preset}: score ${m('score')} (${runs.map((r) => r.score).join(', ')}), first paint ` +
                `${(m('fcp') / 1000).toFixed(1)} s, largest paint ${(m('lcp') / 1000).toFixed(1)} s, blocking ` +
                `${m('tbt').toFixed(0)} ms, layout shift ${m('cls').toFixed(3)}, ${(m('bytes') / 1e6).toFixed(3)} MB`);
}

// The page itself at a CPU four times slower, no network limit, each run in a fresh browser (nothing cached).
const runs = [];
for (let i = 0; i < 3; ++i) {
    const browser = await launchChromium();
    let bytes = 0;
    browser.listeners.add((m) => { if (m.method === 'Network.loadingFinished') bytes += m.params.encodedDataLength; });
    // The page's workers fetch too (decoder.js, voice.wasm): their requests count as the page's.
    browser.listeners.add((m) => {
        if (m.method === 'Target.attachedToTarget' && m.params.targetInfo.type === 'worker')
            browser.send('Network.enable', {}, m.params.sessionId).catch(() => {});
    });
    const page = await browser.open(url, async (p) => {
        // The browser already showing a page, as a phone's is when a link is followed: its first paint
        // (the GPU side of a browser just started, some seconds under SwiftShader) is not the page's.
        await p.send('Page.navigate', { url: 'data:text/html,<p>Tumblewing</p>' });
        await new Promise((resolve) => setTimeout(resolve, 2000));
        await p.send('Target.setAutoAttach', { autoAttach: true, waitForDebuggerOnStart: false, flatten: true });
        await p.send('Emulation.setCPUThrottlingRate', { rate: 4 });
        await p.send('Page.addScriptToEvaluateOnNewDocument', { source: `window.longestTask = 0;
            new PerformanceObserver((list) => { for (const e of list.getEntries())
                window.longestTask = Math.max(window.longestTask, e.duration); }).observe({ type: 'longtask' });` });
    });
    await page.until('window.tumblewing && (tumblewing.firstFrameAt || tumblewing.problem)', 120);
    runs.push({ ready: await page.evaluate('tumblewing.firstFrameAt'), longest: await page.evaluate('longestTask'), bytes });
    await browser.close();
}
const m = (key) => median(runs.map((r) => r[key]));
console.log(`4x slower CPU: ready ${(m('ready') / 1000).toFixed(2)} s (${runs.map((r) => (r.ready / 1000).toFixed(2)).join(', ')}), ` +
            `longest task ${m('longest').toFixed(0)} ms (${runs.map((r) => r.longest.toFixed(0)).join(', ')}), ` +
            `${(m('bytes') / 1e6).toFixed(3)} MB over the wire`);
await server.stop();
