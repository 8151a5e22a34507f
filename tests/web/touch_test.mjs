// The touch controls in headless Chromium: an emulated phone and tablet held sideways and upright, several fingers, no scrolling; none on a desktop.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: node touch_test.mjs SITE      SITE the built site (tools/web)
import { check, failures, finish, launchChromium, serve } from './chromium.mjs';

const [site] = process.argv.slice(2);

const controls = ['Left', 'Right', 'Up', 'Down', 'Strike'];

// Safari on an iPhone: its name, no Fullscreen API, and (`installed`) opened from the home screen.
const iPhone = 'Mozilla/5.0 (iPhone; CPU iPhone OS 18_0 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/18.0 Mobile/15E148 Safari/604.1';
const asIPhone = (installed) => async (page) => {
    await page.send('Emulation.setUserAgentOverride', { userAgent: iPhone });
    await page.send('Page.addScriptToEvaluateOnNewDocument', { source: 'delete Element.prototype.requestFullscreen; ' +
        `Object.defineProperty(Document.prototype, 'fullscreenEnabled', { get: () => undefined }); navigator.standalone = ${installed};` });
};
const hint = "!document.getElementById('update').hidden && document.getElementById('update').textContent";

// A phone or tablet of `width` by `height` CSS pixels, fingers for a mouse, before the page loads.
const device = (width, height, iphone) => async (page) => {
    if (iphone) await asIPhone(iphone.installed)(page);
    const landscape = width > height;
    await page.send('Emulation.setDeviceMetricsOverride', {
        width, height, deviceScaleFactor: 1, mobile: true,
        screenOrientation: { type: landscape ? 'landscapePrimary' : 'portraitPrimary', angle: landscape ? 90 : 0 },
    });
    await page.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
};

// Where everything is, and whether the page has moved or zoomed under the fingers.
const layout = (page) => page.evaluate(`(() => {
    const box = (e) => Object.assign(e.getBoundingClientRect().toJSON(), { shown: e.getClientRects().length > 0 });
    const $ = (id) => box(document.getElementById(id));
    const controls = Object.fromEntries(${JSON.stringify(controls)}.map((c) => [c, box(document.querySelector('[aria-label=' + c + ']'))]));
    const v = visualViewport, page = document.documentElement;
    return { controls, scene: $('canvas'), bar: $('bar'), line: $('touchline'), keysLine: $('controls'),
             overlay: document.getElementById('overlay').textContent, fullscreen: !!document.fullscreenElement,
             width: innerWidth, height: innerHeight, fits: page.scrollWidth <= innerWidth && page.scrollHeight <= innerHeight,
             moved: [scrollX, scrollY, v.offsetLeft, v.offsetTop, v.scale - 1] };
})()`);

const overlaps = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
const centre = (r, dx = 0, dy = 0) => [r.left + r.width / 2 + dx, r.top + r.height / 2 + dy];
const see = (page, expression, what) => page.until(expression, 10).catch(() => check(false, what));

// The controls sit beside the scene (sideways) or beneath it (upright), never over it, at least 44 px,
// all on the screen; the page does not scroll, and its line names the touch controls.
function checkLayout(name, l, landscape) {
    for (const [control, r] of Object.entries(l.controls)) {
        const place = !landscape ? r.top >= l.scene.bottom : control === 'Strike' ? r.left >= l.scene.right : r.right <= l.scene.left;
        check(r.shown && place && r.width >= 44 && r.height >= 44 && r.left >= 0 && r.top >= 0 && r.right <= l.width &&
              r.bottom <= l.height, `${name}: ${control} is ${JSON.stringify(r)}, the scene ${JSON.stringify(l.scene)}`);
    }
    check(l.controls.Left.right <= l.controls.Right.left && l.controls.Up.bottom <= l.controls.Down.top,
          `${name}: the d-pad's arms are out of place`);
    if (!l.fullscreen) {
        check(l.line.shown && l.line.top >= l.bar.top && l.line.bottom <= l.bar.bottom && !l.keysLine.shown,
              `${name}: the bar does not name the touch controls in its room`);
        check(!overlaps(l.bar, l.scene) && l.bar.bottom <= l.height, `${name}: the bar is over the scene or off the screen`);
    }
    check(l.fits, `${name}: the page is larger than the screen`);
    check(l.overlay === 'Tap to play', `${name}: the overlay says "${l.overlay}"`);
}

// Plays with the fingers: a tap starts, a hold moves, two fingers fly diagonally, a slide turns,
// a lifted finger and a cancel let go; swipes, pinches and double taps move nothing.
async function play(name, page) {
    let l = await layout(page);
    const at = Object.fromEntries(Object.entries(l.controls).map(([c, r]) => [c, centre(r)]));
    const scene = centre(l.scene);

    await page.touch('touchStart', [scene]);
    await page.touch('touchEnd');
    await see(page, 'tumblewing.started', `${name}: a tap did not start the game`);
    await see(page, 'tumblewing.state().sound', `${name}: a tap did not wake the sound`);

    const start = await page.state();
    await page.touch('touchStart', [at.Right]);
    await see(page, `tumblewing.state().x > ${start.x + 30}`, `${name}: holding Right did not move Kestra`);
    await page.touch('touchEnd');
    await page.staysPut(`${name}, Right let go`);

    // Up and Right with two fingers, then Strike with a third; Strike lifted alone leaves the diagonal.
    let from = await page.state();
    await page.touch('touchStart', [[...at.Up, 0]]);
    await page.touch('touchStart', [[...at.Up, 0], [...at.Right, 1]]);
    await see(page, `tumblewing.state().x > ${from.x + 15} && tumblewing.state().y < ${from.y - 25}`,
              `${name}: Up and Right together did not fly Kestra up and right`);
    await page.touch('touchMove', [[...at.Up, 0], [...at.Right, 1], [...at.Strike, 2]]);
    await page.touch('touchMove', [[...at.Up, 0], [...at.Right, 1]]);
    from = await page.state();
    await see(page, `tumblewing.state().x > ${from.x + 15}`, `${name}: lifting Strike let go of the d-pad too`);
    await page.touch('touchEnd');
    await page.staysPut(`${name}, two fingers let go`);

    // A finger slid from Right across the d-pad to Left turns her; a cancel lets go.
    from = await page.state();
    await page.touch('touchStart', [at.Right]);
    await page.until(`tumblewing.state().x > ${from.x + 10}`, 10);
    await page.touch('touchMove', [centre(l.controls.Up, 0, l.controls.Up.height)]);  // the d-pad's middle
    await page.touch('touchMove', [at.Left]);
    const turned = await page.state();
    await see(page, `tumblewing.state().x < ${turned.x - 20}`, `${name}: sliding from Right to Left did not turn Kestra`);
    await page.touch('touchCancel');
    await page.staysPut(`${name}, cancelled`);

    // Gestures that would move a web page.
    const [sx, sy] = scene;
    for (let i = 0; i <= 5; ++i) await page.touch(i ? 'touchMove' : 'touchStart', [[sx - 20 * i, sy - 30 * i]]);
    await page.touch('touchEnd');
    for (let i = 0; i <= 5; ++i) await page.touch(i ? 'touchMove' : 'touchStart', [[sx - 25 * i, sy, 0], [sx + 25 * i, sy, 1]]);
    await page.touch('touchEnd');
    for (let i = 0; i < 2; ++i) {
        await page.touch('touchStart', [at.Strike]);
        await page.touch('touchEnd');
    }
    await page.framesPass(5);
    l = await layout(page);
    check(l.moved.every((v) => v === 0), `${name}: the page moved or zoomed: ${l.moved}`);

    // Full screen: the bar goes, the controls stay beside or beneath the scene.
    const [fx, fy] = centre(await page.evaluate("document.getElementById('fullscreen').getBoundingClientRect().toJSON()"));
    await page.touch('touchStart', [[fx, fy]]);
    await page.touch('touchEnd');
    await see(page, 'document.fullscreenElement', `${name}: a tap on Full screen did nothing`);
    await page.framesPass(2);
    checkLayout(`${name}, full screen`, await layout(page), l.width > l.height);
    check(page.problems.length === 0, `${name}: ${page.problems.join('; ')}`);
}

const rows = [
    { name: 'phone sideways', path: '/index.html', device: [667, 375], play: true },
    { name: 'phone upright', path: '/index.html', device: [375, 667], play: true },
    { name: 'small phone sideways', path: '/index.html', device: [568, 320] },
    { name: 'tablet sideways', path: '/index.html', device: [1024, 768] },
    { name: 'tablet upright', path: '/index.html', device: [768, 1024] },
    { name: 'phone with a gamepad', path: '/index.html', device: [667, 375], gamepad: true, shown: false },
    { name: 'desktop', path: '/index.html', shown: false },
    { name: 'desktop asking for them', path: '/index.html?touch=1' },
    { name: 'phone declining them', path: '/index.html?touch=0', device: [375, 667], shown: false, tap: true },
    // No Full screen button that throws; the home-screen hint said once, never in the installed game.
    { name: 'iPhone, the installed game', path: '/index.html', device: [844, 390, { installed: true }] },
    { name: 'iPhone declining them', path: '/index.html?touch=0', device: [390, 844, { installed: false }], shown: false, tap: true },
];

const browser = await launchChromium();
const server = await serve(site);
try {
    for (const row of rows) {
        const page = await browser.open(server.origin + row.path, row.device ? device(...row.device) : undefined);
        await page.until('window.tumblewing && (window.tumblewing.ready || window.tumblewing.problem)');
        check(!(await page.evaluate('tumblewing.problem')), `${row.name}: ${await page.evaluate('tumblewing.problem')}`);
        if (row.tap) {  // a touch that would show them on any other screen
            await page.touch('touchStart', [[2, 2]]);
            await page.touch('touchEnd');
        }
        if (row.gamepad) await page.evaluate("document.documentElement.classList.add('gamepad')");
        const l = await layout(page);
        if (row.shown === false) {
            const shown = Object.entries(l.controls).filter(([, r]) => r.shown).map(([c]) => c);
            check(shown.length === 0 && !l.line.shown && l.keysLine.shown, `${row.name}: touch controls show: ${shown}`);
            const says = row.gamepad ? 'Press a key, click or tap to play, then play on the gamepad'
                                     : 'Click or press a key to play';
            check(l.overlay === says, `${row.name}: the overlay says "${l.overlay}"`);
            check(l.scene.bottom <= l.bar.top && l.bar.bottom <= l.height &&
                  (l.scene.width >= 0.95 * l.width || l.scene.height + l.bar.height >= 0.95 * l.height),
                  `${row.name}: the scene and the bar do not fill the screen as on a desktop`);
        } else {
            checkLayout(row.name, l, l.width > l.height);
        }
        if (row.play) await play(row.name, page);
        if (row.device?.[2]) {
            const { installed } = row.device[2];
            check(await page.evaluate("document.getElementById('fullscreen').hidden"), `${row.name}: a Full screen button`);
            const said = await page.evaluate(hint);
            check(installed ? !said : /Share, then Add to Home Screen/.test(said), `${row.name}: the bar says "${said}"`);
            // The icon it names: 180 by 180, no transparency (PNG colour type 2).
            const icon = await page.evaluate("fetch(document.querySelector('link[rel=apple-touch-icon]').href)" +
                                             '.then((r) => r.arrayBuffer()).then((b) => [...new Uint8Array(b, 16, 10)])');
            check(JSON.stringify(icon) === '[0,0,0,180,0,0,0,180,8,2]', `${row.name}: the home-screen icon's header ${icon}`);
            await page.evaluate('window.tumblewing = undefined');
            await page.send('Page.reload');
            await page.until('window.tumblewing && tumblewing.ready');
            check(!(await page.evaluate(hint)), `${row.name}: the hint is said again`);
            check(page.problems.length === 0, `${row.name}: ${page.problems.join('; ')}`);
        }
        await page.close();
    }
} catch (e) {
    failures.push(e.stack);
}
await finish(server, browser);
