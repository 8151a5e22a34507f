// Measures the live page's pace in headless Chromium: game frames and animation callbacks a second, at the browser's own callback rate and at a half and a third of it.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: tools/web && node bench/web_pace.mjs [SECONDS]
// Each rate in a fresh tab on the start screen, measured over SECONDS (5 unless told) after a second's warm-up.
import { join } from 'node:path';
import { launchChromium, serve, sleep } from '../tests/web/chromium.mjs';
import { measurePace, openAtRate } from '../tests/web/callback_rate.mjs';

const root = new URL('..', import.meta.url).pathname;
const seconds = Number(process.argv[2] ?? 5);
const server = await serve(join(root, 'build/web/site'));
const browser = await launchChromium();
for (const [name, divisor] of [['own rate', 1], ['a half', 2], ['a third', 3]]) {
    const page = await openAtRate(browser, server.origin + '/index.html', divisor);
    await page.until('window.tumblewing && window.tumblewing.ready && window.tumblewing.state().frames > 0');
    await sleep(1000);
    const p = await measurePace(page, seconds);
    console.log(`${name}: ${p.framesPerSecond.toFixed(1)} game frames a second (${p.steadyPerSecond.toFixed(1)} between stalls, ` +
                `${p.stalls.toFixed(2)} s lost in them), ${p.callbacksPerSecond.toFixed(1)} callbacks a second reach the page ` +
                `(of ${p.rawPerSecond.toFixed(1)})`);
    await page.close();
}
await browser.close();
server.close();
