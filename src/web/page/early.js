// Runs before the page's first paint: a touch screen gets the scene laid out beside its controls from the start, so nothing moves when touch.js comes.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
'use strict';

// The same choice touch.js makes: ?touch=1 anywhere, ?touch=0 never, else a coarse pointer.
(() => {
    const asked = new URLSearchParams(location.search).get('touch');
    const never = asked !== null && ['0', 'off', 'false'].includes(asked);
    if (!never && (asked !== null || matchMedia('(pointer: coarse)').matches)) document.documentElement.classList.add('touch');
})();
