// The page with its animation callbacks thinned to one in N, and how many game frames it runs a second of real time.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT

// Put into the page before its own scripts: only every `divisor`th
// animation callback reaches the page, as on a display or a browser that
// calls back at a half or a third of its rate. Each callback that reaches
// it is logged with its time and the game frames run once it returns.
function thinner(divisor) {
    return `(() => {
        const raf = window.requestAnimationFrame.bind(window);
        const log = window.tumblewingPace = { callbacks: [], raw: 0 };
        let passed = 0;
        window.requestAnimationFrame = (callback) => raf(function wait(t) {
            log.raw += 1;
            if (++passed < ${divisor}) { raf(wait); return; }
            passed = 0;
            callback(t);
            const frames = window.tumblewing && window.tumblewing.state ? window.tumblewing.state().frames : 0;
            if (log.callbacks.length < 100000) log.callbacks.push([t, frames]);
        });
    })();`;
}

// A new tab on `url` with one animation callback in `divisor` let through.
export async function openAtRate(browser, url, divisor) {
    const page = await browser.open('about:blank');
    await page.send('Page.addScriptToEvaluateOnNewDocument', { source: thinner(divisor) });
    await page.send('Page.navigate', { url });
    return page;
}

// Game frames and animation callbacks a second over the next `seconds` of
// the page's clock (the callbacks' own times, on performance.now()'s
// timeline). `stalls` is the time lost in gaps of a quarter of a second or
// more between callbacks, which the game does not make up (a busy machine,
// not the game); `steadyPerSecond` leaves it out.
export async function measurePace(page, seconds) {
    const [calls, raw] = await page.evaluate(`new Promise((done) => {
        const log = window.tumblewingPace, from = log.callbacks.length, raw = log.raw;
        setTimeout(() => done([log.callbacks.slice(from), log.raw - raw]), ${seconds * 1000});
    })`);
    if (calls.length < 2) return { framesPerSecond: 0, steadyPerSecond: 0, callbacksPerSecond: 0, rawPerSecond: raw / seconds, stalls: seconds };
    const span = (calls.at(-1)[0] - calls[0][0]) / 1000;
    let stalls = 0;
    for (let i = 1; i < calls.length; ++i) {
        const gap = (calls[i][0] - calls[i - 1][0]) / 1000;
        // A stall is a gap the game did not make up: it ran one frame at its end.
        if (gap >= 0.25 && calls[i][1] - calls[i - 1][1] <= 1) stalls += gap - 1 / 60;
    }
    return {
        framesPerSecond: (calls.at(-1)[1] - calls[0][1]) / span,
        // frames a second over the time the game was not stalled
        steadyPerSecond: (calls.at(-1)[1] - calls[0][1]) / Math.max(span - stalls, 1e-3),
        callbacksPerSecond: (calls.length - 1) / span,
        rawPerSecond: raw / seconds,
        stalls,
    };
}
