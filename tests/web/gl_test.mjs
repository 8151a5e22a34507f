// The page's WebGL in headless Chromium: a lost context drawn again when it comes back, a reload asked for when it does not, and WebGL that refuses the game's shaders or a picture.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: node gl_test.mjs SITE
//   SITE  the built site (tools/web)
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

const cases = [
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
        name: 'shaders the browser will not compile end start-up',
        before: 'WebGLRenderingContext.prototype.getShaderParameter = () => false;',
        line: "this browser's WebGL could not build the game's shader",
    },
    {
        name: 'a texture the browser refuses ends start-up naming the picture',
        // Every upload answered with GL_OUT_OF_MEMORY: the first picture loaded is the one named.
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
        const page = await browser.open('about:blank');
        if (c.before) await page.send('Page.addScriptToEvaluateOnNewDocument', { source: c.before });
        await page.send('Page.navigate', { url: server.origin + (c.path ?? '/index.html') });
        try {
            await page.until('window.tumblewing && (window.tumblewing.ready || window.tumblewing.problem)');
            if (c.run) {
                await c.run(page);
            } else {
                const line = await page.evaluate('tumblewing.problem');
                check(line?.includes(c.line), `${c.name}: the page says "${line}"`);
            }
        } catch (e) {
            failures.push(`${c.name}: ${e.stack}`);
        }
        console.log(`${failures.length === failed ? 'ok' : 'FAILED'}: ${c.name}`);
        await page.close();
    }
} catch (e) {
    failures.push(e.stack);
}
await finish(server, browser);
