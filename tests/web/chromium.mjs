// Headless Chromium driven over the DevTools protocol through a pipe, Firefox and WebKit driven alike, and a small static server for the site.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
import { spawn } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, statSync } from 'node:fs';
import { createHash } from 'node:crypto';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import { gzipSync } from 'node:zlib';

// Chromium as verified on Debian: SwiftShader for WebGL, nothing fetched from anywhere.
const chromiumArgs = [
    '--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--disable-gpu-sandbox', '--no-first-run', '--disable-background-networking', '--disable-component-update',
    '--disable-sync', '--disable-default-apps', '--mute-audio', '--window-size=820,660',
];

// `args`: more of Chromium's switches, e.g. a screen of several pixels to the page's one.
export async function launchChromium({ sound = false, args: more = [] } = {}) {
    const profile = mkdtempSync(join(tmpdir(), 'tumblewing-chromium-'));
    const args = [...chromiumArgs, ...more, `--user-data-dir=${profile}`, '--remote-debugging-pipe'];
    if (sound) args.push('--autoplay-policy=no-user-gesture-required');
    const child = spawn(process.env.CHROMIUM || 'chromium', [...args, 'about:blank'],
                        { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
    let stderr = '';
    child.stderr.on('data', (d) => { stderr += d; });
    const browser = new Browser(child, child.stdio[3], child.stdio[4]);
    browser.profile = profile;
    browser.stderr = () => stderr;
    await browser.send('Target.setDiscoverTargets', { discover: true });
    return browser;
}

class Browser {
    constructor(child, toBrowser, fromBrowser) {
        this.child = child;
        this.toBrowser = toBrowser;
        this.nextId = 1;
        this.waiting = new Map();
        this.listeners = new Set();
        let buffer = '';
        fromBrowser.on('data', (chunk) => {
            buffer += chunk.toString('utf8');
            let end;
            while ((end = buffer.indexOf('\0')) >= 0) {
                const message = JSON.parse(buffer.slice(0, end));
                buffer = buffer.slice(end + 1);
                this.receive(message);
            }
        });
    }

    receive(message) {
        if (message.id !== undefined) {
            const w = this.waiting.get(message.id);
            this.waiting.delete(message.id);
            if (message.error) w.reject(new Error(`${w.method}: ${message.error.message}`));
            else w.resolve(message.result);
            return;
        }
        for (const l of this.listeners) l(message);
    }

    send(method, params = {}, sessionId = undefined) {
        const id = this.nextId++;
        const message = { id, method, params };
        if (sessionId) message.sessionId = sessionId;
        this.toBrowser.write(JSON.stringify(message) + '\0');
        return new Promise((resolve, reject) => this.waiting.set(id, { resolve, reject, method }));
    }

    // A new tab on `url`, with its console, exceptions and requests recorded; `prepare(page)`
    // runs before the page loads (to emulate a device, say).
    async open(url, prepare = async () => {}) {
        const { targetId } = await this.send('Target.createTarget', { url: 'about:blank' });
        const { sessionId } = await this.send('Target.attachToTarget', { targetId, flatten: true });
        const page = new Page(this, targetId, sessionId);
        await page.send('Runtime.enable');
        await page.send('Log.enable');
        await page.send('Network.enable');
        await page.send('Page.enable');
        await prepare(page);
        await page.send('Page.navigate', { url });
        return page;
    }

    async close() {
        this.child.kill();
        await new Promise((resolve) => this.child.once('exit', resolve));
        try { rmSync(this.profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 }); } catch { /* a helper process may still be writing */ }
    }
}

// What a page offers in every engine, given its own evaluate and click.
class Driven {
    // Polls `expression` until it is truthy; fails after `seconds`.
    // A page between two loads may not answer: that is a no too.
    async until(expression, seconds = 30) {
        let error = null;
        for (const stop = Date.now() + seconds * 1000; Date.now() < stop; await sleep(50)) {
            const v = await this.evaluate(expression).catch((e) => { error = e; });
            if (v) return v;
        }
        throw new Error(`gave up waiting for ${expression}${error ? ` (last: ${error.message})` : ''}`);
    }

    // Clicks the element with `id` where it shows; fails when something else is there.
    async clickOn(id) {
        const at = await this.evaluate(`(() => { const e = document.getElementById('${id}');
            const r = e.getBoundingClientRect(), x = r.x + r.width / 2, y = r.y + r.height / 2;
            return e.contains(document.elementFromPoint(x, y)) && [x, y]; })()`);
        if (!at) throw new Error(`#${id} is hidden or covered`);
        await this.click(...at);
    }

    // The game's readings: phase, story clock, Kestra's place, frames run, ...
    state() { return this.evaluate('tumblewing.state()'); }

    // Waits until the game has run `count` more frames, however slowly a busy machine runs them.
    async framesPass(count) {
        const { frames } = await this.state();
        await this.until(`tumblewing.state().frames >= ${frames + count}`, 30);
    }

    // Checks that Kestra stays where she came to rest once what was sent last has reached the game.
    async staysPut(what) {
        await this.framesPass(3);
        const rest = await this.state();
        await this.framesPass(15);
        const later = await this.state();
        check(later.x === rest.x && later.y === rest.y,
              `${what}: Kestra went on from (${rest.x}, ${rest.y}) to (${later.x}, ${later.y})`);
    }
}

class Page extends Driven {
    constructor(browser, targetId, sessionId) {
        super();
        Object.assign(this, { browser, targetId, sessionId });
        this.problems = [];  // console errors and warnings, exceptions, failed loads
        this.requests = [];  // every URL asked for
        browser.listeners.add((m) => {
            if (m.sessionId !== sessionId) return;
            const p = m.params;
            if (m.method === 'Runtime.consoleAPICalled' && (p.type === 'error' || p.type === 'warning'))
                this.problems.push(`console ${p.type}: ${p.args.map((a) => a.value ?? a.description).join(' ')}`);
            if (m.method === 'Runtime.exceptionThrown')
                this.problems.push(`exception: ${p.exceptionDetails.exception?.description ?? p.exceptionDetails.text}`);
            if (m.method === 'Log.entryAdded' && p.entry.level === 'error')
                this.problems.push(`log: ${p.entry.text} ${p.entry.url ?? ''}`);
            if (m.method === 'Network.requestWillBeSent') this.requests.push(p.request.url);
        });
    }

    send(method, params = {}) { return this.browser.send(method, params, this.sessionId); }

    // The value of a JavaScript expression in the page (awaited when a promise).
    async evaluate(expression) {
        const r = await this.send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true });
        if (r.exceptionDetails) throw new Error(`${expression}: ${r.exceptionDetails.exception?.description}`);
        return r.result.value;
    }

    async key(type, key, code) {
        const keyCode = { ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Enter: 13 }[key] ?? 0;
        await this.send('Input.dispatchKeyEvent',
                        { type, key, code, windowsVirtualKeyCode: keyCode, nativeVirtualKeyCode: keyCode });
    }

    async click(x, y) {
        for (const type of ['mousePressed', 'mouseReleased'])
            await this.send('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 });
    }

    // Fingers on a touch screen: `fingers` are all the [x, y, id] still down after the event
    // (none for touchEnd and touchCancel); one left out of a touchMove is lifted.
    async touch(type, fingers = []) {
        await this.send('Input.dispatchTouchEvent',
                        { type, touchPoints: fingers.map(([x, y, id = 0]) => ({ x, y, id })) });
    }

    navigate(url) { return this.send('Page.navigate', { url }); }
    reload() { return this.send('Page.reload'); }
    close() { return this.browser.send('Target.closeTarget', { targetId: this.targetId }); }
}

// A PulseAudio server of its own with a sink that plays to nowhere, for a browser's sound on a machine without any.
async function startPulse() {
    const dir = mkdtempSync(join(tmpdir(), 'tumblewing-pulse-'));
    const socket = join(dir, 'socket');
    const child = spawn('pulseaudio', ['-n', '--daemonize=no', '--exit-idle-time=-1', '--use-pid-file=no', '--load=module-null-sink',
                                       `--load=module-native-protocol-unix socket=${socket} auth-anonymous=1`],
                        { stdio: 'ignore', env: { ...process.env, HOME: dir, XDG_RUNTIME_DIR: dir } });
    for (let t = 0; t < 400 && !existsSync(socket); ++t) await sleep(50);
    if (!existsSync(socket)) throw new Error('PulseAudio did not start');
    return {
        env: { ...process.env, PULSE_SERVER: `unix:${socket}` },
        stop() { child.kill(); rmSync(dir, { recursive: true, force: true }); },
    };
}

// Firefox ESR through Puppeteer (WebDriver BiDi; Puppeteer from `modules`, the tests' node_modules), in a
// window on the X display of $DISPLAY: headless, it has no WebGL here.
export async function launchFirefox(modules) {
    const puppeteer = createRequire(join(modules, 'tests.js'))('puppeteer-core');
    const pulse = await startPulse();
    const browser = await puppeteer.launch({ browser: 'firefox', executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
                                             headless: false, args: ['--width=820', '--height=720'], env: pulse.env,
                                             timeout: 120000, protocolTimeout: 300000 });
    return {
        async open(url) {
            const page = new FirefoxPage((await browser.pages())[0] ?? await browser.newPage());
            await page.navigate(url);
            return page;
        },
        async close() { await browser.close(); pulse.stop(); },
    };
}

class FirefoxPage extends Driven {
    constructor(tab) {
        super();
        this.tab = tab;
        this.problems = [];
        tab.on('console', (m) => { if (['error', 'warn'].includes(m.type())) this.problems.push(`console ${m.type()}: ${m.text()}`); });
        tab.on('pageerror', (e) => this.problems.push(`exception: ${e.message}`));
    }
    evaluate(expression) { return this.tab.evaluate(expression); }
    navigate(url) { return this.tab.goto(url); }
    reload() { return this.tab.reload(); }
    click(x, y) { return this.tab.mouse.click(x, y); }
    key(type, key) { return type === 'keyDown' ? this.tab.keyboard.down(key) : this.tab.keyboard.up(key); }
    // One finger, through BiDi's touch actions, which reach the page as touch events.
    touch(type, [[x, y] = []] = []) {
        const screen = this.tab.touchscreen;
        return type === 'touchStart' ? screen.touchStart(x, y) : type === 'touchMove' ? screen.touchMove(x, y) : screen.touchEnd();
    }
    close() {}
}

// WebKitGTK's MiniBrowser through WebKitWebDriver (W3C WebDriver over HTTP), in a window on $DISPLAY.
export async function launchWebKit() {
    const pulse = await startPulse();
    const port = await new Promise((resolve) => {
        const probe = createServer().listen(0, '127.0.0.1', () => { const p = probe.address().port; probe.close(() => resolve(p)); });
    });
    const driver = spawn('WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore', env: pulse.env });
    const call = async (method, path, body) => {
        const r = await fetch(`http://127.0.0.1:${port}${path}`, { method, body: body && JSON.stringify(body),
                                                                  headers: { 'Content-Type': 'application/json' } });
        const { value } = await r.json();
        if (value?.error) throw new Error(`WebDriver ${path}: ${value.error}: ${value.message}`);
        return value;
    };
    for (let t = 0; t < 100; ++t, await sleep(100)) if (await call('GET', '/status').then(() => true, () => false)) break;
    const { sessionId } = await call('POST', '/session', { capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': {
        binary: process.env.MINIBROWSER || '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'] } } } });
    const session = (method, path, body) => call(method, `/session/${sessionId}${path}`, body);
    await session('POST', '/window/rect', { width: 820, height: 720 });
    await session('POST', '/timeouts', { script: 120000 });
    return {
        async open(url) {
            const page = new WebKitPage(session);
            await page.navigate(url);
            return page;
        },
        async close() {
            await session('DELETE', '').catch(() => {});
            driver.kill();
            pulse.stop();
        },
    };
}

class WebKitPage extends Driven {
    constructor(session) {
        super();
        this.session = session;
        this.problems = [];  // WebKitWebDriver has no console log: the page's own listener keeps them (see watched)
    }
    async evaluate(expression) {
        const r = await this.session('POST', '/execute/async', { args: [], script: 'const done = arguments[0]; ' +
            `Promise.resolve().then(() => (${expression})).then((v) => done({ v }), (e) => done({ e: String(e) }));` });
        if (r.e) throw new Error(`${expression}: ${r.e}`);
        return r.v;
    }
    navigate(url) { return this.session('POST', '/url', { url }); }
    // WebKitWebDriver's refresh does not come back here: the same address again is the reload.
    async reload() { await this.navigate(await this.evaluate('location.href')); }
    click(x, y) {
        return this.session('POST', '/actions', { actions: [{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' },
            actions: [{ type: 'pointerMove', x: Math.round(x), y: Math.round(y), origin: 'viewport' },
                      { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }] }] });
    }
    key(type, key) {
        const value = { ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015', Enter: '\uE007' }[key];
        return this.session('POST', '/actions', { actions: [{ type: 'key', id: 'keys', actions: [{ type, value }] }] });
    }
    // Its touch actions arrive as mouse events: one finger's touch events are made in the page instead.
    touch(type, [[x, y] = [0, 0]] = []) {
        return this.evaluate(`(() => {
            const type = ${JSON.stringify(type.toLowerCase())}, x = ${x}, y = ${y};
            const target = document.elementFromPoint(x, y) ?? document.body;
            const finger = document.createTouch(window, target, 0, x + scrollX, y + scrollY, x, y);
            const down = type === 'touchstart' || type === 'touchmove';
            const fingers = () => document.createTouchList(...(down ? [finger] : []));
            target.dispatchEvent(new TouchEvent(type, { bubbles: true, cancelable: true, touches: fingers(), targetTouches: fingers(),
                                                        changedTouches: document.createTouchList(finger) }));
        })()`);
    }
    close() {}
}

// The site's page with a listener of its own before any of its scripts: it keeps every error, warning,
// refused load and policy refusal in window.pageProblems, for an engine whose driver cannot read its console;
// it also cuts a load short when asked.
export function watched(site) {
    const page = readFileSync(join(site, 'index.html'), 'utf8');
    const scripts = page.indexOf('<script ');
    const watchedPage = page.slice(0, scripts) + '<script src="watch.js"></script>\n' + page.slice(scripts);
    // The worker keeps index.html only with the digest its build gave it: it is told the watched page's.
    const digest = (text) => `sha256-${createHash('sha256').update(text).digest('base64')}`;
    return {
        '/index.html': watchedPage,
        '/worker.js': readFileSync(join(site, 'worker.js'), 'utf8').replace(digest(page), digest(watchedPage)),
        '/watch.js': `'use strict';
window.pageProblems = [];
addEventListener('error', (e) => pageProblems.push(e.message ? \`exception: \${e.message}\` : \`failed to load \${e.target.src ?? e.target.href}\`), true);
addEventListener('unhandledrejection', (e) => pageProblems.push(\`rejection: \${e.reason}\`));
addEventListener('securitypolicyviolation', (e) => pageProblems.push(\`refused: \${e.violatedDirective} \${e.blockedURI}\`));
// A load the test asks to cut short (sessionStorage cut=yes) is left as soon as the page's scripts have started theirs.
if (sessionStorage.getItem('cut') === 'yes') {
    sessionStorage.removeItem('cut');
    addEventListener('DOMContentLoaded', () => location.reload());
}
for (const level of ['error', 'warn']) {
    const log = console[level];
    console[level] = (...args) => { pageProblems.push(\`console \${level}: \${args.join(' ')}\`); log.apply(console, args); };
}
`,
    };
}

// What every browser test shares: its failures, `check` to note one and go on, and `finish` to close what
// the test opened, name each failure and exit 1 when there was any.
export const failures = [];
export const check = (ok, what) => { if (!ok) failures.push(what); };
export async function finish(...opened) {
    for (const o of opened) await o.close();
    for (const f of failures) console.error(`FAILED: ${f}`);
    process.exit(failures.length ? 1 : 0);
}

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm', '.png': 'image/png',
                '.jpg': 'image/jpeg', '.ogg': 'audio/ogg', '.keys': 'text/plain', '.txt': 'text/plain',
                '.json': 'application/json', '.webmanifest': 'application/manifest+json' };

const readable = (file) => { try { return statSync(file).isFile() ? readFileSync(file) : null; } catch { return null; } };
const compressible = new Set(['.html', '.js', '.css', '.wasm', '.json', '.webmanifest', '.txt', '.keys']);

// Serves `root` on a free local port, or on `port` (a server stopped and started again at one address).
// `replace` maps a path such as "/assets/Column.png" to null (answered 404) or to the bytes to send instead.
// A file's .br or .gz copy beside it goes out in its place to a browser that takes it, as `tools/web serve`
// sends it; with `gzip`, a text file without a copy is compressed as it goes, as most web hosts do.
// `stop()` closes it and every connection the browser keeps open.
export async function serve(root, replace = {}, port = 0, { gzip = false } = {}) {
    const server = createServer((request, response) => {
        const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
        const file = join(root, path.endsWith('/') ? path + 'index.html' : path);
        const headers = { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' };
        const accepted = request.headers['accept-encoding'] ?? '';
        let body = replace[path];
        if (body === undefined) {
            for (const [encoding, suffix] of [['br', '.br'], ['gzip', '.gz']]) {
                if (!accepted.includes(encoding) || (body = readable(file + suffix)) === null) continue;
                headers['Content-Encoding'] = encoding;
                break;
            }
            body ??= readable(file);
            if (body !== null && gzip && !headers['Content-Encoding'] && compressible.has(extname(file)) &&
                accepted.includes('gzip')) {
                body = gzipSync(body);
                headers['Content-Encoding'] = 'gzip';
            }
        }
        if (body === null) {
            response.writeHead(404, { 'Content-Type': 'text/plain' });
            response.end('not found');
            return;
        }
        response.writeHead(200, headers);
        response.end(body);
    });
    await new Promise((resolve) => server.listen(port, '127.0.0.1', resolve));
    server.origin = `http://127.0.0.1:${server.address().port}`;
    server.stop = () => new Promise((resolve) => { server.close(resolve); server.closeAllConnections(); });
    return server;
}
