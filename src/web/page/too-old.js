// Tumblewing's first script, in the oldest syntax: a browser that cannot run the game's own scripts is told so in one line.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
'use strict';

(function () {
    // The game's scripts need Safari 14, Chrome 85 or Firefox 79 (??= and ||=); an older browser
    // stops at their first line and would leave "Loading…" for ever. A script that did not come is named instead.
    var notServed = null;
    window.addEventListener('error', function (e) {
        if (e.target && e.target.tagName === 'SCRIPT') notServed = notServed || e.target.src.replace(/^.*\//, '');
    }, true);
    window.addEventListener('load', function () {
        // The page runs with all its scripts: it says itself whatever else goes wrong. Without one of them
        // (settings.js, say) it stops at its first call into it.
        if (window.tumblewing && !notServed) return;
        var missing = [];
        if (typeof WebAssembly !== 'object') missing.push('WebAssembly');
        if (typeof fetch !== 'function' || typeof Promise !== 'function') missing.push('fetch');
        var line = notServed ? 'Tumblewing could not load "' + notServed + '".'
                 : 'This browser is too old for Tumblewing: ' +
                   (missing.length ? 'it has no ' + missing.join(' and ') : 'it cannot run the game\'s scripts') +
                   '. Safari 14, Chrome 85, Firefox 79 or any later browser plays it.';
        window.tumblewing = { problem: line };
        document.getElementById('loading').hidden = true;
        document.getElementById('canvas').hidden = true;
        var problem = document.getElementById('problem');
        problem.textContent = line;
        problem.hidden = false;
    });
})();
