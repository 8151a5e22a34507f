// A gamepad on the page in headless Chromium: a scripted standard pad, put in place of navigator.getGamepads before the page loads.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: node pad_test.mjs SITE    (SITE: the built site, tools/web)
import { launchChromium, serve, sleep } from './chromium.mjs';

const [site] = process.argv.slice(2);
const failures = [];
const check = (ok, what) => { if (!ok) failures.push(what); };

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

// What the pad does, held for a second each, and which way Kestra goes meanwhile.
const steps = [
    { what: 'a resting stick drifting a little', pad: { axes: [0.12, -0.1] }, moves: 0 },
    { what: 'the d-pad right (button 15)', pad: { pressed: [15] }, moves: 1 },
    { what: 'everything let go', pad: {}, moves: 0 },
    { what: 'the stick leaning left', pad: { axes: [-0.8, 0.05] }, moves: -1 },
    { what: 'A alone', pad: { pressed: [0] }, moves: 0 },
    { what: 'the d-pad right, then the pad unplugged', pad: { pressed: [15] }, moves: 1, unplug: true },
];

const padClass = "document.documentElement.classList.contains('gamepad')";
const x = (page) => page.evaluate('tumblewing.state().x');

const browser = await launchChromium();
const server = await serve(site);
try {
    const page = await browser.open('about:blank');
    await page.send('Page.addScriptToEvaluateOnNewDocument', { source: scriptedPad });
    await page.send('Page.navigate', { url: `${server.origin}/index.html` });
    await page.until('window.tumblewing && (window.tumblewing.ready || window.tumblewing.problem)');
    check(!(await page.evaluate(padClass)), 'the page shows a gamepad before one is connected');
    await page.evaluate('scriptedPad.connected = true');
    await page.until(padClass, 5).catch(() => check(false, 'no class "gamepad" with a pad connected'));
    await page.click(400, 300);
    await page.until('tumblewing.started', 5);
    for (const step of steps) {
        await page.evaluate(`scriptedPad.set(${JSON.stringify(step.pad)})`);
        await sleep(200);  // a callback or more, however slow, picks the change up
        const before = await x(page);
        await sleep(1000);
        if (step.unplug) {
            await page.evaluate('scriptedPad.connected = false');
            await page.until(`!${padClass}`, 5).catch(() => check(false, 'the class "gamepad" stays after unplugging'));
            await sleep(200);
        }
        const after = await x(page);
        const moved = after - before;
        const ok = step.moves === 0 ? Math.abs(moved) < 1 : moved * step.moves > 15;
        check(ok, `${step.what}: Kestra went from x ${before} to ${after}`);
        if (step.unplug) {
            await sleep(500);
            check(await x(page) === after, 'Kestra kept moving after the pad was unplugged');
        }
    }
    check(page.problems.length === 0, `console: ${page.problems.join('; ')}`);
    await page.close();
} catch (e) {
    failures.push(e.stack);
} finally {
    server.close();
    await browser.close();
}
for (const f of failures) console.error(`FAILED: ${f}`);
process.exit(failures.length ? 1 : 0);
