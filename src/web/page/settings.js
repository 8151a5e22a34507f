// Tumblewing's page: the player's own keys from the address, and the volume's slider and mute button, remembered.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
'use strict';

// Hands the game the keys (?keys=left:a,right:d,...) and the volume (?volume=N, else the slider's last
// setting) before it starts, and works the Mute button and the slider. What the address asks for and the
// game does not take is said in one line through `say`; the game then keeps its own keys or volume.
// `withText(text, call)` calls `call` with a copy of `text` in the game's memory; `earlier` are lines
// about the address found before the game loaded.
function tumblewingSettings(module, params, say, withText, earlier = []) {
    const $ = (id) => document.getElementById(id);
    const stored = (key) => { try { return localStorage.getItem(key); } catch { return null; } };
    const store = (key, value) => { try { localStorage.setItem(key, value); } catch { /* not remembered */ } };
    const takeVolume = (text) => withText(text, (at) => module._tw_volume(at)) === 0;

    const problems = [...earlier];
    if (params.has('keys')) {
        const why = module.UTF8ToString(withText(params.get('keys'), (at) => module._tw_keys(at)));
        if (why) problems.push(`The keys in the address were not taken (${why}); the arrows and Return play.`);
    }
    let volume = 100;
    const remembered = stored('tumblewing-volume');
    if (remembered !== null && takeVolume(remembered)) volume = Number(remembered);
    if (params.has('volume')) {
        if (takeVolume(params.get('volume'))) volume = Number(params.get('volume'));
        else problems.push(`The volume in the address is not a whole number from 0 to 100; it stays at ${volume}.`);
    }
    let muted = stored('tumblewing-muted') === 'on';

    const slider = $('volume');
    const mute = $('mute');
    const apply = () => {
        takeVolume(String(muted ? 0 : volume));
        slider.value = String(volume);
        mute.setAttribute('aria-pressed', String(muted));
    };
    slider.addEventListener('input', () => {
        volume = Number(slider.value);
        muted = false;
        store('tumblewing-volume', String(volume));
        store('tumblewing-muted', 'off');
        apply();
    });
    mute.addEventListener('click', () => {
        muted = !muted;
        store('tumblewing-muted', muted ? 'on' : 'off');
        apply();
    });
    apply();
    if (problems.length > 0) say(problems.join(' '));
}
