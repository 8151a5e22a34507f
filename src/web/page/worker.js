// Tumblewing's service worker: keeps every file of one build in a cache of its own and serves the game from it, network or not.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
'use strict';

// tools/web writes this line: the build's name, after its version and contents, and every file of the
// site with the digest of its bytes.
const build = { cache: 'tumblewing-unbuilt', files: [] };

// The build's cache is named for the build and for the worker's scope: two builds served from one
// address under /stable/ and /beta/ each keep their own, and neither deletes the other's.
const scope = self.registration.scope;
const ownCache = `${build.cache} ${scope}`;
const olderBuild = (name) => name !== ownCache && (name.endsWith(` ${scope}`) ||
                                                   /^tumblewing-[^ ]*$/.test(name));  // named before scopes were

// Every file of the build, fetched past the browser's HTTP cache so that no file of an older build slips
// in, and each checked against its digest, so that a site caught half-way through its update never mixes
// two builds' files. One file that does not come, or does not match, fails the installation and leaves no
// cache behind: the page goes on from the network and the next visit tries again.
self.addEventListener('install', (event) => {
    event.waitUntil((async () => {
        const cache = await caches.open(ownCache);
        try {
            await cache.addAll(build.files.map(([file, integrity]) => new Request(file, { cache: 'no-cache', integrity })));
        } catch (e) {
            await caches.delete(ownCache);
            throw e;
        }
    })());
});

// Once this build is the one in use, the caches of older builds in its scope go.
self.addEventListener('activate', (event) => {
    event.waitUntil((async () => {
        for (const name of await caches.keys())
            if (name.startsWith('tumblewing-') && olderBuild(name)) await caches.delete(name);
    })());
});

// The build in use asks a waiting newer one to take over, and hears the newer one's cache name.
self.addEventListener('message', (event) => {
    if (event.data !== 'take over') return;
    event.ports[0]?.postMessage(ownCache);
    event.waitUntil(self.skipWaiting());
});

// A newer build waits while a page plays this one. When the last such page is reloaded, this worker hands
// that load, and every file the new page asks for until the newer build has taken over, to the newer build's
// cache: the page that comes is the newer build's, every file of it. A page still open elsewhere keeps this
// build until it goes, and so does a page opened beside it (not a reload): the newer build would take that
// one over too. (The newer build takes over only once this worker has answered, so that cannot wait.)
let cacheInUse = ownCache;
async function handOver() {
    const next = self.registration.waiting;
    if (!next || (await self.clients.matchAll({ type: 'window' })).length > 1) return;
    const name = await Promise.race([
        new Promise((resolve) => {
            const channel = new MessageChannel();
            channel.port1.onmessage = (e) => resolve(e.data);
            next.postMessage('take over', [channel.port2]);
        }),
        new Promise((resolve) => setTimeout(resolve, 3000)),  // a newer build that does not answer stays waiting
    ]);
    if (typeof name === 'string') cacheInUse = name;
}

// Cache first: a file of this build comes from its cache; anything else (or a file the cache lost) from
// the network, whose failure reaches the page as it would without the worker. Any page load is the page.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
    event.respondWith((async () => {
        const navigate = request.mode === 'navigate';
        const reload = request.cache === 'no-cache' || request.cache === 'reload';
        if (navigate && reload && cacheInUse === ownCache) await handOver();
        let url = request.url;
        if (navigate && new URL(url).pathname.endsWith('/')) url = new URL('index.html', url).href;
        return (await caches.match(url, { cacheName: cacheInUse, ignoreSearch: navigate })) ?? fetch(request);
    })());
});
