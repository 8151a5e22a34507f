// Measures the browser version: the site's size, load to first frame, and CPU per frame in headless Chromium.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: tools/web && node bench/web_bench.mjs [FRAMES]
// CPU is that of every Chromium process (browser, renderer, GPU process with SwiftShader) while the
// page paints one held frame of the winning recording on each animation callback, FRAMES times.
import { readFileSync, readdirSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launchChromium, serve } from '../tests/web/chromium.mjs';
import { treeCpu } from './process_cpu.mjs';

const root = new URL('..', import.meta.url).pathname;
const site = join(root, 'build/web/site');
const frames = Number(process.argv[2] ?? 600);

function files(dir) {
    return readdirSync(dir).flatMap((n) => statSync(join(dir, n)).isDirectory() ? files(join(dir, n)) : [join(dir, n)]);
}
const kib = (n) => `${(n / 1024).toFixed(0)} KiB`;
let total = 0, compressed = 0;
for (const f of files(site).filter((f) => !/\.(br|gz)$/.test(f))) {  // the compressed copies are only how files travel
    const bytes = readFileSync(f);
    total += bytes.length;
    compressed += gzipSync(bytes, { level: 9 }).length;
}
const wasm = readFileSync(join(site, 'tumblewing.wasm'));
console.log(`site: ${kib(total)}, gzip -9: ${kib(compressed)}; wasm ${kib(wasm.length)}, gzip -9: ${kib(gzipSync(wasm, { level: 9 }).length)}`);

const server = await serve(site);
const browser = await launchChromium();
const loads = [];
for (let i = 0; i < 3; ++i) {
    const page = await browser.open(server.origin + '/index.html');
    await page.until('window.tumblewing && window.tumblewing.firstFrameAt');
    loads.push(await page.evaluate('tumblewing.firstFrameAt'));
    await page.close();
}
console.log(`load to first frame: ${loads.map((t) => `${t.toFixed(0)} ms`).join(', ')}`);

const recording = readFileSync(join(root, 'tests/inputs/win.keys'), 'utf8');
for (const [name, frame] of [['start screen', 1], ['wave 6, busy', 9252]]) {
    const page = await browser.open(server.origin + '/index.html?replay');
    await page.until('window.tumblewing && window.tumblewing.ready');
    await page.evaluate(`tumblewing.replay(${JSON.stringify(recording)}, [], ${frame}).then(() => 0)`);
    const paint = (n) => page.evaluate(`new Promise((done) => { let left = ${n};
        const step = () => { tumblewing.redraw(); if (--left > 0) requestAnimationFrame(step); else done(); };
        requestAnimationFrame(step); })`);
    await paint(60);  // warm up
    const cpu = treeCpu(browser.child.pid);
    const t0 = performance.now();
    await paint(frames);
    const seconds = (performance.now() - t0) / 1000;
    const used = treeCpu(browser.child.pid) - cpu;
    const painted = await page.evaluate('tumblewing.state().painted');
    console.log(`${name} (frame ${frame}, ${painted} draws painted): ${(used / frames * 1000).toFixed(2)} ms CPU a frame, ` +
                `${(frames / seconds).toFixed(1)} frames a second`);
    await page.close();
}
await browser.close();
server.close();
