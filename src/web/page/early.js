// Runs before the page's first paint: the address's switches read one way; a touch screen gets the scene laid out beside its controls from the start, so nothing moves when touch.js comes.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
'use strict';

// A switch in the address (?captions=1, ?touch=off): true when on (no value, 1, on, true), false when
// off (0, off, false), in any case; null when the address does not say. Any other value counts as
// unsaid, and `problems` gets a line naming it for the bar.
function tumblewingSwitch(params, name, problems) {
    if (!params.has(name)) return null;
    const value = params.get(name);
    if (['', '1', 'on', 'true'].includes(value.toLowerCase())) return true;
    if (['0', 'off', 'false'].includes(value.toLowerCase())) return false;
    problems.push(`?${name}=${value} in the address is neither on (1, on, true) nor off (0, off, false); it was passed over.`);
    return null;
}

// The same choice touch.js makes: ?touch=1 anywhere, ?touch=0 never, else a coarse pointer.
(() => {
    const asked = tumblewingSwitch(new URLSearchParams(location.search), 'touch', []);  // touch.js names a wrong value
    if (asked === true || (asked === null && matchMedia('(pointer: coarse)').matches)) document.documentElement.classList.add('touch');
})();
