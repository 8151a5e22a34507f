// Animation callbacks a second of the game's page against a plain WebGL page, in turn in one headless Chromium.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: tools/web && node bench/gl_bench.mjs [ROUNDS] [SECONDS] [SITE] [PAGES]
//   ROUNDS   how many times each page is measured at each window size (5), after a round not counted
//   SECONDS  how long each measure counts callbacks (5), after a second to settle
//   SITE     the built site (build/web/site)
// With BEFORE_SITE set to another build's site, the page "before" is the game's page of that build.
//   PAGES    which pages, comma-separated (game,plain,opaque,exact): the game's page, and the plain page
//            with antialias off (plain), with the game's context attributes too (opaque), and with the game's
//            fragment shader too (exact); see `variants` for more
// With TRACE=N set, each page is also traced for N seconds at each window size (after its last round): the
// events of Chromium's GPU process (categories gpu, viz, cc and their detailed ones), the longest in total
// first, to see where the two pages' costs part.
// The game's page is measured on its start screen, clicked so that its overlay is gone; the plain page draws
// as many full-canvas pictures as the game paints there. Each line gives the median and the spread of the
// callbacks a second and of the CPU milliseconds all Chromium's processes spent on each callback.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { launchChromium, serve, sleep } from '../tests/web/chromium.mjs';
import { treeCpu } from './process_cpu.mjs';

const root = new URL('..', import.meta.url).pathname;
const rounds = Number(process.argv[2] ?? 5);
const seconds = Number(process.argv[3] ?? 5);
const site = process.argv[4] ?? join(root, 'build/web/site');
const wanted = (process.argv[5] ?? 'game,plain,opaque,exact').split(',');
const sizes = [[1024, 768], [1920, 1080]];

const plain = join(root, 'bench/plain_gl');
const server = await serve(site, { '/plain.html': readFileSync(join(plain, 'index.html')),
                                   '/plain.js': readFileSync(join(plain, 'plain.js')) });
const beforeServer = process.env.BEFORE_SITE ? await serve(process.env.BEFORE_SITE) : null;
const browser = await launchChromium();

// Counts the page's animation callbacks for `seconds`, and the CPU every Chromium process spends on each
// (which depends much less than the count on what else the machine runs).
async function measure(page) {
    await sleep(1000);
    const cpu = treeCpu(browser.child.pid);
    const { callbacks, elapsed } = await page.evaluate(`new Promise((done) => {
        let n = 0;
        const count = () => { n += 1; requestAnimationFrame(count); };
        requestAnimationFrame(count);
        const t0 = performance.now();
        setTimeout(() => done({ callbacks: n, elapsed: (performance.now() - t0) / 1000 }), ${seconds * 1000});
    })`);
    return { rate: callbacks / elapsed, cpu: (treeCpu(browser.child.pid) - cpu) / callbacks * 1000 };
}

// The GPU process's events while `page` runs for `seconds`: [name, total ms, count], longest first.
async function trace(seconds) {
    const events = [];
    const done = new Promise((resolve) => {
        const listen = (m) => {
            if (m.method === 'Tracing.dataCollected') events.push(...m.params.value);
            if (m.method !== 'Tracing.tracingComplete') return;
            browser.listeners.delete(listen);
            resolve();
        };
        browser.listeners.add(listen);
    });
    const categories = ['gpu', 'viz', 'cc', 'disabled-by-default-gpu.service', 'disabled-by-default-gpu.device',
                        'disabled-by-default-viz.gpu_composite_time', 'disabled-by-default-gpu_decoder', '__metadata'];
    await browser.send('Tracing.start', { transferMode: 'ReportEvents', traceConfig: { includedCategories: categories } });
    await sleep(seconds * 1000);
    await browser.send('Tracing.end');
    await done;
    const gpu = new Set(events.filter((e) => e.name === 'process_name' && /GPU/i.test(e.args?.name)).map((e) => e.pid));
    const totals = new Map(), open = new Map();
    const add = (name, ms) => {
        const t = totals.get(name) ?? [name, 0, 0];
        t[1] += ms;
        t[2] += 1;
        totals.set(name, t);
    };
    for (const e of events.filter((e) => gpu.has(e.pid))) {
        if (e.ph === 'X') add(e.name, (e.dur ?? 0) / 1000);
        if (e.ph === 'B') open.set(`${e.tid} ${e.name}`, e.ts);
        if (e.ph === 'E' && open.has(`${e.tid} ${e.name}`)) add(e.name, (e.ts - open.get(`${e.tid} ${e.name}`)) / 1000);
    }
    return [...totals.values()].sort((a, b) => b[1] - a[1]);
}

async function sized(url, [width, height]) {
    const page = await browser.open('about:blank');
    const { windowId } = await browser.send('Browser.getWindowForTarget', { targetId: page.targetId });
    await browser.send('Browser.setWindowBounds', { windowId, bounds: { width, height } });
    await page.send('Page.navigate', { url });
    return page;
}

// How many pictures the game paints on its start screen.
let pictures = 0;
const pages = {
    game: (size) => gamePage(server, size),
    before: (size) => gamePage(beforeServer, size),
};
async function gamePage(from, size) {
    const page = await sized(from.origin + '/index.html', size);
    await page.until('window.tumblewing && window.tumblewing.ready');
    await page.click(size[0] / 2, size[1] / 3);
    await page.until('tumblewing.started', 10);
    pictures = await page.evaluate('tumblewing.state().painted');
    return page;
}
// The plain page's variants: its context attributes and fragment shader.
const gameAttributes = { alpha: false, depth: false, stencil: false, antialias: false, premultipliedAlpha: false };
const variants = {
    plain: { antialias: false },
    'as-game': [{ antialias: false }, 'plain', 2],  // two full-canvas pictures and four small, as the game's start screen
    defaults: {},  // WebGL's own: antialiased
    opaque: gameAttributes,
    'opaque-only': { antialias: false, alpha: false },
    exact: [gameAttributes, 'exact'],
    unblended: [{ antialias: false }, 'plain', undefined, 0],  // each picture replaces what is beneath
};
for (const [name, v] of Object.entries(variants)) {
    const [attributes, shader, full, blend = 1] = Array.isArray(v) ? v : [v, 'plain'];
    pages[name] = (size) => plainPage(size, `&shader=${shader}&attributes=${encodeURIComponent(JSON.stringify(attributes))}` +
                                            `&blend=${blend}` + (full === undefined ? '' : `&full=${full}`));
}
async function plainPage(size, options) {
    const page = await sized(`${server.origin}/plain.html?pictures=${pictures || 6}${options}`, size);
    await page.until('window.plain && window.plain.ready');
    return page;
}

const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
try {
    for (const size of sizes) {
        const results = Object.fromEntries(wanted.map((w) => [w, []]));
        // A first round not counted: the browser's own start (its caches, compiling the pages' code) falls on it.
        for (let r = -1; r < rounds; ++r) {
            for (const which of wanted) {  // in turn, so that a busy spell of the machine falls on all alike
                const page = await pages[which](size);
                const m = await measure(page);
                if (r >= 0) results[which].push(m);
                if (r === rounds - 1 && process.env.TRACE) {
                    const events = await trace(Number(process.env.TRACE));
                    console.log(`${size.join('x')} ${which}: the GPU process over ${process.env.TRACE} s, ms in all (times)`);
                    for (const [name, ms, count] of events.slice(0, 12)) console.log(`    ${ms.toFixed(0).padStart(6)} ${name} (${count})`);
                }
                await page.close();
            }
        }
        for (const which of wanted) {
            const spread = (xs) => `median ${median(xs).toFixed(1)}, ${Math.min(...xs).toFixed(1)}–${Math.max(...xs).toFixed(1)}`;
            const rates = results[which].map((m) => m.rate), cpus = results[which].map((m) => m.cpu);
            console.log(`${size.join('x')} ${which.padEnd(8)} callbacks a second ${spread(rates)} ` +
                        `(${rates.map((x) => x.toFixed(1)).join(' ')}); CPU ms a callback ${spread(cpus)}`);
        }
        if (wanted.includes('game')) console.log(`${size.join('x')} the game paints ${pictures} pictures on its start screen`);
    }
} finally {
    await browser.close();
    server.close();
    beforeServer?.close();
}
