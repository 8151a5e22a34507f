// The page as an app in headless Chromium: installable, kept by its worker, played with the server stopped, updated, zipped.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: node offline_test.mjs ROOT OUT
//   ROOT  the source tree, its site and zip built (tools/web zip); OUT a scratch folder
// One browser and one tab go through it all in order, as a player would: the first visit, a reload, the
// server gone, a new build at the same address, then the zip unpacked on another server. Every load is
// checked alike: no refusal by the page's policy, nothing logged as an error. It prints how long each kind
// of load took to the first frame and how large the cache is (BENCHMARKS.md).
import { execFileSync } from 'node:child_process';
import { appendFileSync, cpSync, mkdirSync, readdirSync, readFileSync, rmSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { check, failures, finish, launchChromium, serve, sleep } from './chromium.mjs';

const [root, out] = process.argv.slice(2);
const site = join(root, 'build/web/site');
const version = /^project\(tumblewing VERSION ([0-9.]+)/m.exec(readFileSync(join(root, 'CMakeLists.txt'), 'utf8'))[1];
const zip = join(root, `build/web/tumblewing-web-${version}.zip`);


const filesOf = (dir) => readdirSync(dir, { recursive: true }).filter((f) => statSync(join(dir, f)).isFile()).sort();
// The cache of the build in `dir`, served at the first server's address.
const cacheName = (dir) => `${/cache: '([^']+)'/.exec(readFileSync(join(dir, 'worker.js'), 'utf8'))[1]} ${origin}/`;

// Every load of the tab is watched for the policy's refusals from its first line on.
const browser = await launchChromium();
const page = await browser.open('about:blank');
await page.send('Page.addScriptToEvaluateOnNewDocument', { source:
    "window.refused = []; addEventListener('securitypolicyviolation', " +
    "(e) => refused.push(`${e.violatedDirective} ${e.blockedURI}`), true);" +
    'const persist = navigator.storage.persist.bind(navigator.storage); ' +
    'navigator.storage.persist = () => { window.persistAsked = true; return persist(); };' +
    'const register = navigator.serviceWorker.register.bind(navigator.serviceWorker); ' +
    'navigator.serviceWorker.register = (...a) => { window.registeredAt ??= performance.now(); return register(...a); };' });

// Loads `url` and answers the page's problem line, or (`problem` false) checks there is none and answers the
// time of its first frame; `reload` reloads the page instead. What the last load left in the console or the policy refused is a failure.
let lastLoad = '';
async function load(url, what, { problem = false, reload = false } = {}) {
    await finishLoad();
    lastLoad = what;
    await page.evaluate('window.tumblewing = undefined');
    await (reload ? page.send('Page.reload') : page.send('Page.navigate', { url }));
    const line = await page.until('window.tumblewing && (tumblewing.ready || tumblewing.problem) && [tumblewing.problem]');
    if (problem) return line[0];
    check(line[0] === null, `${what}: the page says "${line[0]}"`);
    return page.until('tumblewing.firstFrameAt', 30);
}
async function finishLoad() {
    const refused = lastLoad ? await page.evaluate('window.refused ?? []') : [];
    check(refused.length === 0, `${lastLoad}: the policy refused ${refused.join(', ')}`);
    check(page.problems.length === 0, `${lastLoad}: ${page.problems.join('; ')}`);
    page.problems.length = 0;
}


// A click starts the game and its sound; the right arrow, held until it moves Kestra or for ten seconds,
// moves her (however slowly a busy machine draws).
async function play(what) {
    await page.click(400, 300);
    await page.until('tumblewing.started', 5).catch(() => check(false, `${what}: a click did not start the game`));
    await page.until('tumblewing.state().sound', 5).catch(() => check(false, `${what}: no sound after a click`));
    await page.key('keyDown', 'ArrowRight', 'ArrowRight');
    let x = 80;
    for (let t = 0; t < 100 && x <= 80; ++t, await sleep(100)) {
        await page.send('Input.dispatchKeyEvent', { type: 'keyDown', key: 'ArrowRight', code: 'ArrowRight',
                                                    autoRepeat: true, windowsVirtualKeyCode: 39, nativeVirtualKeyCode: 39 });
        ({ x } = await page.evaluate('tumblewing.state()'));
    }
    await page.key('keyUp', 'ArrowRight', 'ArrowRight');
    check(x > 80, `${what}: an arrow held did not move Kestra`);
}
const captionsOn = "document.getElementById('captions').getAttribute('aria-pressed') === 'true' && " +
                   "!document.getElementById('captions').hasAttribute('aria-busy')";
const cacheList = () => page.evaluate('caches.keys().then((k) => k.sort())').then(JSON.stringify);
// The caches once the worker's clean-up is over: it runs when a new build takes over, after the load that
// brought it has been answered.
const settledCaches = (want) => page.until(`caches.keys().then((k) => JSON.stringify(k.sort()) === '${JSON.stringify(want.sort())}')`, 30)
    .catch(() => false);
// Which build the page shows, and which build's file a fetch during play gets (the second build sets --build).
const builds = () => page.evaluate(`fetch('page.css').then((r) => r.text()).then((text) => [text.includes('--build'),
    getComputedStyle(document.documentElement).getPropertyValue('--build').trim() === '2']).then(JSON.stringify)`);

const firstFrame = {};
let server = await serve(site);
const { origin } = server;
const port = Number(new URL(origin).port);
rmSync(out, { recursive: true, force: true });
mkdirSync(out, { recursive: true });
try {
    // The first visit: Chromium finds nothing against installing it and offers to (the bar's Install button);
    // the worker keeps every file but itself.
    firstFrame.online = await load(`${origin}/index.html`, 'first visit');
    let errors = [];
    for (let tries = 0; tries < 50; ++tries, await sleep(100)) {
        ({ installabilityErrors: errors } = await page.send('Page.getInstallabilityErrors'));
        if (errors.length === 0) break;
    }
    check(errors.length === 0, `not installable: ${errors.map((e) => e.errorId).join(', ')}`);
    const { errors: manifest } = await page.send('Page.getAppManifest');
    check(manifest.length === 0, `the manifest: ${manifest.map((e) => e.message).join('; ')}`);
    await page.until("!document.getElementById('install').hidden", 10)
        .catch(() => check(false, 'Chromium offers to install the game, and the bar has no Install button'));
    // The policy is in force: an inline style is refused, so that no refusal anywhere else means something.
    await page.evaluate(`document.body.insertAdjacentHTML('beforeend', '<b style="color: red"></b>')`);
    await page.until('window.refused.length > 0', 5).catch(() => check(false, 'the page let an inline style in'));
    for (let t = 0; t < 50 && !page.problems.some((p) => p.includes('Content Security Policy')); ++t) await sleep(100);
    await page.evaluate('window.refused.length = 0');
    page.problems.length = 0;  // Chromium logged the refusal too
    await page.until('navigator.serviceWorker.ready.then((r) => r.active.state === "activated")', 30);
    // Not beside the game's own loading: the worker's installation fetches every file again.
    check(await page.evaluate('window.registeredAt >= tumblewing.firstFrameAt'), 'the worker is registered before the first frame');
    await page.until('window.persistAsked', 10).catch(() => check(false, 'kept for offline play, the page does not ask to keep its storage'));
    const built = cacheName(site);
    const siteFiles = filesOf(site).filter((f) => f !== 'worker.js' && !/\.(br|gz)$/.test(f));  // each file once
    check(await cacheList() === JSON.stringify([built]), `not one cache named ${built}`);
    const kept = await page.evaluate(`caches.open('${built}').then((c) => c.keys())
        .then((keys) => keys.map((r) => new URL(r.url).pathname.slice(1)).sort())`);
    check(JSON.stringify(kept) === JSON.stringify(siteFiles), `the cache misses ${siteFiles.filter((f) => !kept.includes(f))}`);
    check(siteFiles.filter((f) => /^assets\/[^/]+$/.test(f)).length === 47, 'the site has not the 47 files');
    const kib = siteFiles.reduce((sum, f) => sum + statSync(join(site, f)).size, 0) / 1024;

    // A reload comes under the worker.
    firstFrame.worker = await load(`${origin}/index.html`, 'reload', { reload: true });
    check(await page.evaluate('navigator.serviceWorker.controller !== null'), 'after a reload the worker does not control the page');

    // The server stopped and the browser's HTTP cache off: the game plays, captions turned on during play,
    // and asked for by the link.
    await server.stop();
    await page.send('Network.setCacheDisabled', { cacheDisabled: true });
    firstFrame.offline = await load(`${origin}/index.html`, 'offline');
    await play('offline');
    await page.evaluate("document.getElementById('captions').click()");
    await page.until(captionsOn, 10).catch(() => check(false, 'offline: the Captions switch does not turn on'));
    await load(`${origin}/index.html?captions=1`, 'offline with ?captions=1');
    check(await page.evaluate(captionsOn), 'offline with ?captions=1: no captions');
    await play('offline with ?captions=1');

    // A file neither the network nor the cache has is named as without the worker.
    await page.evaluate(`caches.open('${built}').then((c) => c.delete('assets/Column.png'))`);
    const line = await load(`${origin}/index.html`, 'offline, a file lost', { problem: true });
    check(/"Column\.png": it could not be fetched/.test(line ?? ''), `offline, a file lost: the page says "${line}"`);
    page.problems.length = 0;  // the failed fetch is logged too, as it should be

    // A second build at the same address: the page that plays the first hears of it, still gets the first
    // build's files, and the next load is the second build's, every file of it. Another build's cache
    // under another path of this address is left alone.
    const next = join(out, 'next');
    cpSync(site, next, { recursive: true });
    appendFileSync(join(next, 'page.css'), '\n:root { --build: 2; }\n');
    execFileSync(join(root, 'tools/web'), ['worker', next]);
    check(cacheName(next) !== built, 'a changed file leaves the cache name as it was');
    const beta = `tumblewing-${version}-0 ${origin}/beta/`;
    await page.evaluate(`caches.open('${beta}')`);
    server = await serve(next, {}, port);
    await page.send('Network.setCacheDisabled', { cacheDisabled: false });
    await load(`${origin}/index.html`, 'second build waiting');
    const said = await page.until("!document.getElementById('update').hidden && document.getElementById('update').textContent", 30)
        .catch(() => null);
    check(said === 'A new version is ready: reload to play it', `the new build is announced as "${said}"`);
    check(await builds() === '[false,false]', `the first build got a file of the second: ${await builds()}`);
    await load(`${origin}/index.html`, 'second build', { reload: true });
    check(await builds() === '[true,true]', `the next load is not the second build: ${await builds()}`);
    check(await settledCaches([cacheName(next), beta]), `the caches after the update: ${await cacheList()}`);
    check(await page.evaluate("document.getElementById('update').hidden"), 'the second build announces itself');
    await server.stop();

    // A file the worker cannot keep (missing, or another build's bytes: a site caught half-way through an
    // update) leaves the online page playing, and no cache behind.
    for (const [what, bytes] of [['missing', null], ["another build's", Buffer.from('not this build\n')]]) {
        server = await serve(site, { '/assets/captions/sheseesa-1.png': bytes });
        await load(`${server.origin}/index.html`, `a file ${what}`);
        if (bytes === null) await play('a file the worker cannot keep');
        const ended = await page.evaluate(`navigator.serviceWorker.register('worker.js').then((r) => new Promise((end) => {
            const w = r.installing ?? r.waiting ?? r.active;
            const check = () => { if (w.state !== 'installing') end(w.state); };
            w.addEventListener('statechange', check);
            check();
        }))`);
        check(ended === 'redundant' && await cacheList() === '[]',
              `a worker with a file ${what} ended ${ended}, caches ${await cacheList()}`);
        await server.stop();
    }

    // The zip: index.html at its root, every path relative, unpacked and served it plays.
    const entries = execFileSync('unzip', ['-Z1', zip], { encoding: 'utf8' }).split('\n').filter((e) => e && !e.endsWith('/'));
    check(entries.includes('index.html') && entries.length < 1000 &&
          entries.every((e) => !e.startsWith('/') && !e.split('/').includes('..')), `the zip holds ${entries}`);
    const unpacked = join(out, 'zip');
    execFileSync('unzip', ['-q', zip, '-d', unpacked]);
    check(JSON.stringify(filesOf(unpacked)) === JSON.stringify(filesOf(site)), 'the zip is not the site');
    server = await serve(unpacked);
    await load(`${server.origin}/index.html`, 'the zip unpacked');
    await play('the zip unpacked');
    await finishLoad();
    await server.stop();

    const ms = (t) => `${Math.round(t)} ms`;
    console.log(`first frame: online cold ${ms(firstFrame.online)}, with the worker ${ms(firstFrame.worker)}, ` +
                `offline ${ms(firstFrame.offline)}; the cache: ${siteFiles.length} files, ${Math.round(kib)} KiB`);
} catch (e) {
    failures.push(e.stack);
}
await finish(server, browser);
