// Tumblewing as an app: keeps the game for offline play (worker.js), offers to install it, says when a new version is ready.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
'use strict';

(() => {
    const $ = (id) => document.getElementById(id);

    // The browser's offer to install the game, as a button in the bar while it stands.
    let offer = null;
    const install = $('install');
    window.addEventListener('beforeinstallprompt', (e) => {
        e.preventDefault();
        offer = e;
        install.hidden = false;
    });
    install.addEventListener('click', () => {
        install.hidden = true;
        if (offer) offer.prompt().catch(() => {});
        offer = null;
    });
    window.addEventListener('appinstalled', () => {
        install.hidden = true;
        offer = null;
    });

    // Safari on an iPhone or iPad never offers to install: the bar says once how, never in the installed game.
    const installed = navigator.standalone === true || matchMedia('(display-mode: standalone), (display-mode: fullscreen)').matches;
    const ua = navigator.userAgent;  // an iPad's Safari calls itself a Mac, one with a touch screen
    const iosSafari = (/iP(hone|ad|od)/.test(ua) || (/Macintosh/.test(ua) && navigator.maxTouchPoints > 1)) &&
                      !/CriOS|FxiOS|EdgiOS/.test(ua);
    const hinted = () => { try { return localStorage.getItem('tumblewing-install-hint') === 'said'; } catch { return true; } };
    if (iosSafari && !installed && !hinted()) {
        $('update').textContent = 'To install: Share, then Add to Home Screen';
        $('update').hidden = false;
        try { localStorage.setItem('tumblewing-install-hint', 'said'); } catch { /* said again next time */ }
    }

    // Only a page from a web server can have a worker; file:// says why the game cannot start instead.
    if (!/^https?:$/.test(location.protocol) || !('serviceWorker' in navigator)) return;

    // A newer build installed while this one plays: it comes with the next load, never into this game.
    function announce() {
        $('update').textContent = 'A new version is ready: reload to play it';
        $('update').hidden = false;
        $('controls').hidden = true;
    }
    function watch(registration) {
        // The first build a browser keeps is no update: the page already plays it.
        const updating = () => navigator.serviceWorker.controller !== null;
        if (registration.waiting && updating()) announce();
        const follow = (worker) => worker?.addEventListener('statechange', () => {
            if (worker.state === 'installed' && updating()) announce();
        });
        follow(registration.installing);
        registration.addEventListener('updatefound', () => follow(registration.installing));
        // Each load looks for a new build, and a page left open now and then; without a network it finds none.
        registration.update().catch(() => {});
        setInterval(() => registration.update().catch(() => {}), 60 * 60 * 1000);
    }

    // Kept for offline play (or installed), the game asks the browser not to delete its files and settings
    // when space runs short or the site goes unvisited; the browser may still say no.
    navigator.serviceWorker.ready.then(async () => {
        if (navigator.storage?.persist && !(await navigator.storage.persisted())) await navigator.storage.persist();
    }).catch(() => {});

    // The worker is registered once the page's start-up is over (page.js), not beside it: on a first visit its
    // installation fetches every file of the build again, which would share a phone's network and cores with
    // the game's own loading. By then the browser's cache has the game's files, and a server that says when a
    // file last changed answers the worker's fetches of those with "not changed".
    const startedUp = window.tumblewing?.startedUp ?? Promise.resolve();
    startedUp.then(() => navigator.serviceWorker.register('worker.js')).then(watch, async (e) => {
        // Offline, the look for a new build fails; the build kept plays on.
        const kept = await navigator.serviceWorker.getRegistration();
        if (kept?.active) watch(kept);
        else console.warn(`Tumblewing cannot be kept for offline play: ${e}`);
    });
})();
