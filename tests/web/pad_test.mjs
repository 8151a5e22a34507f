// A gamepad on the page in headless Chromium: a scripted standard pad, put in place of navigator.getGamepads before the page loads.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: node pad_test.mjs SITE    (SITE: the built site, tools/web)
import { check, failures, finish, launchChromium, serve, sleep } from './chromium.mjs';

const [site] = process.argv.slice(2);

// The page's only pad: `window.scriptedPad.set({axes, pressed})` changes what it reports, `connected` plugs it in.
const scriptedPad = `(() => {
    const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
    const pad = { id: 'scripted standard pad', index: 0, connected: true, mapping: 'standard', timestamp: 0,
                  axes: [0, 0, 0, 0], buttons };
    window.scriptedPad = {
        connected: false,
        set({ axes = [0, 0], pressed = [] }) {
            pad.axes = [...axes, 0, 0];
            buttons.forEach((b, i) => { b.pressed = pressed.includes(i); b.value = b.pressed ? 1 : 0; });
            pad.timestamp += 1;
        },
    };
    Object.defineProperty(navigator, 'getGamepads',
                          { value: () => [window.scriptedPad.connected ? pad : null, null, null, null] });
})();`;

// What the pad does, and which way Kestra goes meanwhile. Counted in game frames, not seconds: a busy
// machine may run only a few a second.
const steps = [
    { what: 'a resting stick drifting a little', pad: { axes: [0.12, -0.1] }, moves: 0 },
    { what: 'the d-pad right (button 15)', pad: { pressed: [15] }, moves: 1 },
    { what: 'everything let go', pad: {}, moves: 0 },
    { what: 'the stick leaning left', pad: { axes: [-0.8, 0.05] }, moves: -1 },
    { what: 'A alone', pad: { pressed: [0] }, moves: 0 },
    { what: 'the d-pad right again', pad: { pressed: [15] }, moves: 1 },
    { what: 'the pad unplugged with the d-pad held', pad: { pressed: [15] }, unplug: true, moves: 0 },
];

const padClass = "document.documentElement.classList.contains('gamepad')";
const x = (page) => page.evaluate('tumblewing.state().x');

// A fresh tab with `script` run before the page's own, the page loaded.
async function openWith(browser, server, script) {
    const page = await browser.open('about:blank');
    await page.send('Page.addScriptToEvaluateOnNewDocument', { source: script });
    await page.send('Page.navigate', { url: `${server.origin}/index.html` });
    await page.until('window.tumblewing && (window.tumblewing.ready || window.tumblewing.problem)');
    return page;
}

const browser = await launchChromium();
const server = await serve(site);
try {
    const page = await openWith(browser, server, scriptedPad);
    check(!(await page.evaluate(padClass)), 'the page shows a gamepad before one is connected');
    await page.evaluate('scriptedPad.connected = true');
    await page.until(padClass, 5).catch(() => check(false, 'no class "gamepad" with a pad connected'));
    await page.click(400, 300);
    await page.until('tumblewing.started', 5);
    for (const step of steps) {
        await page.evaluate(`scriptedPad.set(${JSON.stringify(step.pad)})`);
        if (step.unplug) {
            await page.evaluate('scriptedPad.connected = false');
            await page.until(`!${padClass}`, 5).catch(() => check(false, 'the class "gamepad" stays after unplugging'));
        }
        await page.framesPass(3);  // the change is read on the next callback and seen by the next frame
        const before = await x(page);
        if (step.moves === 0) {
            await page.framesPass(10);
            const after = await x(page);
            check(after === before, `${step.what}: Kestra went from x ${before} to ${after}`);
        } else {
            // Three steps of 3 px the right way; a wrong way or no move at all never gets there.
            await page.until(`(tumblewing.state().x - ${before}) * ${step.moves} >= 9`, 30)
                .catch(() => check(false, `${step.what}: Kestra did not move from x ${before}`));
        }
    }
    check(page.problems.length === 0, `console: ${page.problems.join('; ')}`);
    await page.close();

    // Embedded where the gamepad is denied, every reading throws: the game plays on without it.
    const denied = await openWith(browser, server, `Object.defineProperty(navigator, 'getGamepads',
        { value: () => { throw new DOMException('denied', 'SecurityError'); } });`);
    await denied.click(400, 300);
    await denied.until('tumblewing.started', 5);
    await denied.framesPass(10).catch(() => check(false, 'the game stopped where gamepads may not be read'));
    check(denied.problems.length === 0, `console, gamepads denied: ${denied.problems.join('; ')}`);
    await denied.close();
} catch (e) {
    failures.push(e.stack);
}
await finish(server, browser);
