// The live page's pace in headless Chromium: 60 game frames a second of real time at a half and a third of the browser's callback rate, and a key let go in another tab.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: node pace_test.mjs SITE CASE
//   SITE  the built site (tools/web)
//   CASE  rates | elsewhere
import { check, failures, finish, launchChromium, serve, sleep } from './chromium.mjs';
import { measurePace, openAtRate } from './callback_rate.mjs';

const [site, which] = process.argv.slice(2);
const ready = 'window.tumblewing && window.tumblewing.ready && window.tumblewing.state().frames > 0';

const cases = {
    // Whatever the callback rate, the game runs 60 frames for every second of the page's clock. Time lost
    // in a stall of the whole machine (a quarter of a second or more without a callback) is left out:
    // the game does not make that up, by design.
    async rates(browser, origin) {
        for (const divisor of [1, 2, 3]) {
            const page = await openAtRate(browser, origin + '/index.html', divisor);
            await page.until(ready);
            await sleep(500);
            const p = await measurePace(page, 3);
            const line = `one callback in ${divisor}: ${p.framesPerSecond.toFixed(1)} game frames a second ` +
                         `(${p.steadyPerSecond.toFixed(1)} leaving out ${p.stalls.toFixed(2)} s of stalls), ` +
                         `${p.callbacksPerSecond.toFixed(1)} callbacks a second`;
            console.log(line);
            check(Math.abs(p.steadyPerSecond - 60) <= 60 * 0.03, line);
            check(page.problems.length === 0, `one callback in ${divisor}: ${page.problems.join('; ')}`);
            await page.close();
        }
    },

    // An arrow held in the game and let go in another tab no longer moves Kestra once the game's tab is
    // back; pressed again, it does.
    async elsewhere(browser, origin) {
        const page = await browser.open(origin + '/index.html');
        await page.until(ready);
        await page.click(400, 300);
        await page.until('tumblewing.started', 5);
        await page.key('keyDown', 'ArrowRight', 'ArrowRight');
        await page.until('tumblewing.state().x > 100', 10);
        const other = await browser.open('about:blank');
        await browser.send('Target.activateTarget', { targetId: other.targetId });
        await page.until("document.visibilityState === 'hidden' || !document.hasFocus()", 10);
        await other.key('keyUp', 'ArrowRight', 'ArrowRight');
        await browser.send('Target.activateTarget', { targetId: page.targetId });
        await page.until("document.visibilityState === 'visible'", 10);
        // A few frames for the page's focus events to reach the game, however busy the machine.
        await page.until(`tumblewing.state().frames > ${(await page.state()).frames + 5}`, 10);
        const back = await page.state();
        await page.until(`tumblewing.state().frames > ${back.frames + 30}`, 10);
        const later = await page.state();
        check(later.x === back.x, `the key let go in another tab still moves Kestra: x ${back.x}, ` +
                                  `${later.frames - back.frames} frames later x ${later.x}`);
        await page.key('keyDown', 'ArrowRight', 'ArrowRight');
        await page.until(`tumblewing.state().frames > ${later.frames + 10}`, 10);
        await page.key('keyUp', 'ArrowRight', 'ArrowRight');
        const again = await page.state();
        check(again.x > later.x, `pressed again, the key does not move Kestra (x ${later.x}, then ${again.x})`);
        check(page.problems.length === 0, `console: ${page.problems.join('; ')}`);
        await other.close();
        await page.close();
    },
};

if (!cases[which]) {
    console.error(`no case ${which}; cases: ${Object.keys(cases).join(' ')}`);
    process.exit(2);
}
const server = await serve(site);
const browser = await launchChromium();
try {
    await cases[which](browser, server.origin);
} catch (e) {
    failures.push(e.stack);
}
await finish(server, browser);
