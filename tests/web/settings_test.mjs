// The player's settings in the page, in headless Chromium: keys from the address, the volume, Mute, remembered.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: node settings_test.mjs SITE   (the built site, tools/web)
import { check, failures, finish, launchChromium, serve, sleep } from './chromium.mjs';

const [site] = process.argv.slice(2);

const pressed = (page, id) => page.evaluate(`document.getElementById('${id}').getAttribute('aria-pressed')`);
const noticeLine = (page) => page.evaluate("document.getElementById('notice').hidden ? '' : " +
                                           "document.getElementById('notice').textContent");

// A letter key's event fields: what it shows, where it lies, Ctrl (2) or other modifiers held.
const letter = (key, code, modifiers = 0) => ({ key, code, modifiers, windowsVirtualKeyCode: code.at(-1).charCodeAt(0) });

// Holds a letter key, with the browser's key repeats, until `done` holds in the page or a minute has passed
// (a busy machine may run few frames a second).
async function holdLetterUntil(page, shown, done) {
    const key = letter(shown, `Key${shown.toUpperCase()}`);
    await page.send('Input.dispatchKeyEvent', { type: 'keyDown', ...key });
    for (const stop = Date.now() + 60_000; Date.now() < stop && !(await page.evaluate(done));) {
        await sleep(100);
        await page.send('Input.dispatchKeyEvent', { type: 'keyDown', autoRepeat: true, ...key });
    }
    await page.send('Input.dispatchKeyEvent', { type: 'keyUp', ...key });
}
const gain = async (page) => Math.round((await page.state()).gain);  // OpenAL keeps it as a float

const browser = await launchChromium({ sound: true });
const server = await serve(site);
async function open(query) {
    const page = await browser.open(`${server.origin}/index.html${query}`);
    await page.until('window.tumblewing && (window.tumblewing.ready || window.tumblewing.problem)');
    return page;
}

try {
    // The address's keys and volume; Mute pressed before play silences the first clip, and D flies right.
    let page = await open('?keys=left:a,right:d&volume=50');
    check(await gain(page) === 50, `?volume=50 plays at gain ${await gain(page)}`);
    check(await noticeLine(page) === '', `a line for good settings: ${await noticeLine(page)}`);
    await page.clickOn('mute');
    check(await pressed(page, 'mute') === 'true', 'Mute does not show pressed');
    await page.click(400, 300);
    await page.until('tumblewing.started', 10);
    await holdLetterUntil(page, 'd', 'tumblewing.state().x > 80 + 3 * 20');
    await page.until("tumblewing.clips.some((c) => c.endsWith(' abeautiful.ogg'))", 60)
        .catch(() => check(false, 'D did not start the story'));
    const moved = await page.state();
    check(moved.x > 80 + 3 * 20, `D held moved Kestra only to x ${moved.x}`);
    check(moved.gain === 0, `muted, the first clip plays at gain ${moved.gain}`);

    // A chosen key with Ctrl held is the browser's; a key let go as another letter (the layout switched
    // while it was down) still lets go; a click on the slider leaves the arrows flying Kestra.
    await page.send('Input.dispatchKeyEvent', { type: 'keyDown', ...letter('d', 'KeyD', 2) });
    await page.staysPut('Ctrl+D');
    await page.send('Input.dispatchKeyEvent', { type: 'keyUp', ...letter('d', 'KeyD', 2) });
    const { x: still } = await page.state();
    await page.send('Input.dispatchKeyEvent', { type: 'keyDown', ...letter('d', 'KeyD') });
    await page.until(`tumblewing.state().x > ${still}`, 60);
    await page.send('Input.dispatchKeyEvent', { type: 'keyUp', ...letter('q', 'KeyD') });
    await page.staysPut('D let go as Q');
    await page.clickOn('volume');
    const volume = await page.evaluate("document.getElementById('volume').value");
    const { x: before } = await page.state();
    await page.key('keyDown', 'ArrowLeft', 'ArrowLeft');
    await page.until(`tumblewing.state().x < ${before}`, 60).catch(() => check(false, 'after the slider, Left does not fly'));
    await page.key('keyUp', 'ArrowLeft', 'ArrowLeft');
    check(await page.evaluate("document.getElementById('volume').value") === volume, 'the arrows moved the slider');
    if (await pressed(page, 'mute') !== 'true') await page.clickOn('mute');  // a slider moved unmutes
    check(page.problems.length === 0, `console: ${page.problems.join('; ')}`);
    await page.close();

    // Remembered on the next visit: still muted; the slider unmutes at its own volume, remembered too.
    page = await open('');
    check(await pressed(page, 'mute') === 'true' && await gain(page) === 0, 'Mute is not remembered');
    await page.evaluate("(() => { const s = document.getElementById('volume'); s.value = '30';" +
                        " s.dispatchEvent(new Event('input')); })()");
    check(await gain(page) === 30 && await pressed(page, 'mute') === 'false',
          `the slider at 30 plays at gain ${await gain(page)}, Mute ${await pressed(page, 'mute')}`);
    await page.close();
    page = await open('');
    check(await gain(page) === 30, `the slider's 30 is not remembered: gain ${await gain(page)}`);
    await page.close();

    // Settings the game refuses: one line in the bar, and the keys and volume stay the game's own.
    for (const [query, words] of [['?keys=left:f11', 'F11'], ['?keys=strike:tab', 'Tab'], ['?volume=101', 'volume'],
                                  ['?captions=maybe&touch=OFF', '?captions=maybe']]) {
        page = await open(query);
        const line = await noticeLine(page);
        check(line.includes(words), `${query}: the bar says "${line}"`);
        check(await gain(page) === 30, `${query}: the volume left the remembered 30 for ${await gain(page)}`);
        await page.close();
    }
} catch (e) {
    failures.push(e.stack);
}
await finish(server, browser);
