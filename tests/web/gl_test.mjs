// The page's WebGL in headless Chromium: a lost context drawn again when it comes back, a reload asked for when it does not, and WebGL that refuses the game's shaders or a picture.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: node gl_test.mjs SITE
//   SITE  the built site (tools/web)
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { check, failures, finish, launchChromium, serve, sleep } from './chromium.mjs';

const [site] = process.argv.slice(2);

// The page's WebGL context and its WEBGL_lose_context extension (kept: a lost context offers none).
const loseContext = "(window.loser ??= document.getElementById('canvas').getContext('webgl').getExtension('WEBGL_lose_context'))";
const contextLost = "document.getElementById('canvas').getContext('webgl').isContextLost()";
const frames = async (page) => page.evaluate('tumblewing.state().frames');

// What the player sees of the scene: a screenshot of the canvas where it shows.
async function scene(page) {
    const clip = await page.evaluate(`(() => { const r = document.getElementById('canvas').getBoundingClientRect();
                                               return { x: r.x, y: r.y, width: r.width, height: r.height, scale: 1 }; })()`);
    return (await page.send('Page.captureScreenshot', { format: 'png', clip })).data;
}

// Waits until the game has run `count` more frames, so that what shows was drawn after now.
async function framesLater(page, count) {
    const from = await frames(page);
    await page.until(`tumblewing.state().frames >= ${from + count}`, 20);
}

const scratch = mkdtempSync(join(tmpdir(), 'tumblewing-gl-'));
const golden = new URL('../golden/start-screen.png', import.meta.url).pathname;

// On a screen of `scale` pixels to the page's one, with the scene at 800x600 page pixels, the canvas is the
// screen's own pixels and shows the start screen with each scene pixel a square of scale by scale.
async function wholePixels(page, scale) {
    await page.send('Emulation.setDeviceMetricsOverride', { width: 800, height: 639, deviceScaleFactor: 0, mobile: false });
    await page.click(400, 300);  // the overlay away
    await page.until('tumblewing.started', 10);
    const size = `${800 * scale}x${600 * scale}`;
    const canvasSize = "(({ width, height }) => width + 'x' + height)(document.getElementById('canvas'))";
    await page.until(`${canvasSize} === '${size}'`, 20)
        .catch(async () => check(false, `the canvas is ${await page.evaluate(canvasSize)}, not ${size}`));
    await framesLater(page, 5);
    const shot = join(scratch, `scene-${scale}x.png`), expected = join(scratch, `start-screen-${scale}x.png`);
    writeFileSync(shot, Buffer.from(await scene(page), 'base64'));
    execFileSync('convert', [golden, '-filter', 'point', '-resize', `${100 * scale}%`, expected]);
    let changed;
    try {
        changed = execFileSync('compare', ['-metric', 'AE', '-fuzz', '1%', expected, shot, 'null:'], { stdio: 'pipe' });
    } catch (e) {
        changed = e.stderr;
    }
    changed = String(changed).trim() || '0';
    check(changed === '0', `the scene is not the start screen ${scale} by ${scale}: ${changed} pixels differ (${shot})`);
}

const cases = [
    // The bar beneath the scene is 2.6em of 15 px: a page of 800x639 has its scene at 800x600.
    { name: 'on a screen of twice the page\'s pixels every scene pixel is two by two of the screen\'s', scale: 2, run: wholePixels },
    { name: 'on a screen of three times the page\'s pixels every scene pixel is three by three', scale: 3, run: wholePixels },
    {
        name: 'a context lost and given back draws the start screen again',
        path: '/index.html?captions=1',  // the caption pictures are built again too
        async run(page) {
            await framesLater(page, 10);
            const before = await scene(page);
            await page.evaluate(`${loseContext}.loseContext()`);
            await page.until(contextLost, 20);
            await framesLater(page, 5);  // the game goes on without its pictures
            check(await scene(page) !== before, 'lost: the canvas still shows the start screen, so nothing was lost');
            await page.evaluate(`${loseContext}.restoreContext()`);
            await page.until(`!${contextLost}`, 20);
            await framesLater(page, 10);
            check(await scene(page) === before, 'restored: the start screen is not drawn as it was');
            check(await page.evaluate('tumblewing.problem') === null, 'restored: the page shows a problem');
        },
    },
    {
        name: 'a context that never comes back asks for a reload',
        async run(page) {
            await page.evaluate(`${loseContext}.loseContext()`);
            await page.until(contextLost, 20);
            await sleep(1000);
            check(await page.evaluate('tumblewing.problem') === null, 'the reload line came before five seconds');
            const line = await page.until('tumblewing.problem', 20);
            check(/Reload the page/.test(line), `the page says "${line}"`);
        },
    },
    {
        name: 'shaders the browser will not compile stop the game at the first press',
        start: true,  // asked then, as for a texture, when the answer no longer waits on the GPU
        before: `WebGLRenderingContext.prototype.getShaderParameter = () => false;
                 WebGLRenderingContext.prototype.getProgramParameter = () => false;`,
        line: "this browser's WebGL could not build the game's shader",
    },
    {
        name: 'a texture the browser refuses stops the game at the first press, naming the picture',
        // Every upload answered with GL_OUT_OF_MEMORY: the first picture loaded is the one named. The page
        // asks only once the player starts, when asking no longer waits on the GPU.
        start: true,
        before: `const upload = WebGLRenderingContext.prototype.texImage2D;
                 let refused = false;
                 WebGLRenderingContext.prototype.texImage2D = function (...a) { refused = true; return upload.apply(this, a); };
                 const getError = WebGLRenderingContext.prototype.getError;
                 WebGLRenderingContext.prototype.getError = function () {
                     if (refused) { refused = false; return 0x0505; }
                     return getError.call(this);
                 };`,
        line: 'could not load "BLACK.png": this browser\'s WebGL refused it as a texture',
    },
];

const server = await serve(site);
const browser = await launchChromium();
try {
    for (const c of cases) {
        const failed = failures.length;
        // A screen of several pixels to the page's one takes a browser of its own.
        const own = c.scale ? await launchChromium({ args: [`--force-device-scale-factor=${c.scale}`] }) : null;
        const page = await (own ?? browser).open('about:blank');
        if (c.before) await page.send('Page.addScriptToEvaluateOnNewDocument', { source: c.before });
        await page.send('Page.navigate', { url: server.origin + (c.path ?? '/index.html') });
        try {
            await page.until('window.tumblewing && (window.tumblewing.ready || window.tumblewing.problem)');
            if (c.start) {
                await page.click(400, 300);
                await page.until('tumblewing.problem', 10);
            }
            if (c.run) {
                await c.run(page, c.scale);
            } else {
                const line = await page.evaluate('tumblewing.problem');
                check(line?.includes(c.line), `${c.name}: the page says "${line}"`);
            }
        } catch (e) {
            failures.push(`${c.name}: ${e.stack}`);
        }
        console.log(`${failures.length === failed ? 'ok' : 'FAILED'}: ${c.name}`);
        await page.close();
        await own?.close();
    }
} catch (e) {
    failures.push(e.stack);
}
if (failures.length === 0) rmSync(scratch, { recursive: true, force: true });  // else the pictures stay to be looked at
await finish(server, browser);
