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

    navigator.serviceWorker.register('worker.js').then(watch, async (e) => {
        // Offline, the look for a new build fails; the build kept plays on.
        const kept = await navigator.serviceWorker.getRegistration();
        if (kept?.active) watch(kept);
        else console.warn(`Tumblewing cannot be kept for offline play: ${e}`);
    });
})();
