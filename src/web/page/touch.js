// Tumblewing's touch controls: a d-pad and a Strike button beside or below the scene on phones and tablets.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
'use strict';

(() => {
    const $ = (id) => document.getElementById(id);
    const root = document.documentElement;
    const tumblewing = window.tumblewing;
    const dpad = $('dpad');
    const strike = $('strike');
    const overlay = $('overlay');

    // The keys a control holds, as the game's touch call takes them.
    const Left = 1, Right = 2, Up = 4, Down = 8, Return = 16;
    const arms = [...dpad.querySelectorAll('[data-key]')];

    // ?touch=1 shows the controls anywhere, ?touch=0 never; otherwise a phone or tablet
    // (a coarse pointer) shows them at once, and any other screen after its first touch.
    const asked = tumblewingSwitch(new URLSearchParams(location.search), 'touch', tumblewing.addressProblems);
    const never = asked === false;
    let on = false;
    // The overlay says how to start: a tap on a touch screen; with a gamepad, a key, click or tap
    // first all the same, for the browser lets sound start only for those.
    function sayHowToStart() {
        overlay.textContent = root.classList.contains('gamepad')
            ? 'Press a key, click or tap to play, then play on the gamepad'
            : on ? 'Tap to play' : 'Click or press a key to play';
    }
    function turnOn() {
        if (on || never) return;
        on = true;
        root.classList.add('touch');
        sayHowToStart();
        // A phone that cannot show a page full screen gets no button for it.
        if (!document.fullscreenEnabled) $('fullscreen').hidden = true;
    }
    if (asked === true || (!never && matchMedia('(pointer: coarse)').matches)) turnOn();

    // The d-pad is a 3 by 3 grid: the middle row and column are its arms, the corners the
    // diagonals between them, the centre nothing. A finger counts where it is now.
    function keysAt(x, y) {
        if (!on || root.classList.contains('gamepad')) return 0;
        const s = strike.getBoundingClientRect();
        if (x >= s.left && x < s.right && y >= s.top && y < s.bottom) return Return;
        const d = dpad.getBoundingClientRect();
        if (!(x >= d.left && x < d.right && y >= d.top && y < d.bottom)) return 0;
        const column = Math.floor((3 * (x - d.left)) / d.width);
        const row = Math.floor((3 * (y - d.top)) / d.height);
        return (column === 0 ? Left : column === 2 ? Right : 0) | (row === 0 ? Up : row === 2 ? Down : 0);
    }

    let game = null;  // the running game, once the page has started it
    let held = 0;
    function hold(keys) {
        for (const arm of arms) arm.classList.toggle('held', (keys & Number(arm.dataset.key)) !== 0);
        strike.classList.toggle('held', (keys & Return) !== 0);
        held = keys;
        if (game) game._tw_touch(keys);  // the game passes on only what changed
    }

    // Every touch event rebuilds the whole set from the fingers still down, so a finger slid
    // from one control to another moves from one to the other, and a lifted or cancelled one lets
    // go. A turn of the phone or a resize moves the controls under still fingers: the set is
    // rebuilt then too.
    let fingers = [];
    const holdFingers = () => hold(fingers.reduce((keys, [x, y]) => keys | keysAt(x, y), 0));
    addEventListener('resize', holdFingers);
    addEventListener('orientationchange', holdFingers);
    function onTouch(e) {
        if (never) return;
        turnOn();
        // The switches beneath the scene stay buttons; everywhere else a touch is the game's:
        // no scrolling, zooming, selecting, long-press menu or made-up mouse click.
        const onSwitch = e.target.closest?.('#switches');
        if (e.cancelable && !onSwitch) e.preventDefault();
        fingers = [...e.touches].map((t) => [t.clientX, t.clientY]);
        holdFingers();
        // The first tap lifts the overlay and wakes the sound, as a click does; a finger going
        // up is what the browser counts as the player's gesture. A switch only works the switch.
        if (e.type === 'touchend' && !onSwitch && game && !tumblewing.started) {
            game._tw_start();
            game._tw_touch(held);  // the fingers still down count from now on
        }
    }
    for (const type of ['touchstart', 'touchmove', 'touchend', 'touchcancel'])
        document.addEventListener(type, onTouch, { passive: false });
    document.addEventListener('contextmenu', (e) => { if (on && !e.target.closest?.('#switches')) e.preventDefault(); });

    // Focus gone or the page hidden: the game lets every key go itself; the controls show it.
    // A gamepad connected puts the controls away, and what they held with them.
    const letGo = () => {
        fingers = [];
        hold(0);
    };
    window.addEventListener('blur', letGo);
    document.addEventListener('visibilitychange', () => { if (document.hidden) letGo(); });
    new MutationObserver(() => {
        if (root.classList.contains('gamepad')) letGo();
        sayHowToStart();
    }).observe(root, { attributes: true, attributeFilter: ['class'] });

    tumblewing.onPlay = (module) => {
        game = module;
        if (held) game._tw_touch(held);
    };
})();
