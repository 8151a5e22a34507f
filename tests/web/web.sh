#!/usr/bin/env bash
# Runs one case of the browser test against the built site; the replay case first records the desktop replay's clip logs.
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
#
# usage: web.sh ROOT REPLAY OUT CASE
#   ROOT    the source tree; the site must be built (tools/web) in ROOT/build/web/site
#   REPLAY  the desktop's tumblewing-replay, for the clip logs the page's must equal
#   OUT     scratch folder: drawn moments, difference pictures, clip logs
#   CASE    replay | live | missing | hidden | keys | access (see browser_test.mjs), or
#           engine-chromium | engine-firefox | engine-webkit (engines_test.mjs, the last two on an X display)
set -euo pipefail
root=$(realpath "$1")
replay=$(realpath "$2")
out=$(realpath -m "$3/$4")
rm -rf "$out"
mkdir -p "$out"
if [[ $4 == replay ]]; then
    for recording in win.keys lose.keys; do
        mkdir -p "$out/desktop-$recording"
        xvfb-run -a -s "-noreset -screen 0 1280x1024x24" "$replay" "$root/tests/inputs/$recording" \
            --assets "$root/assets" --out "$out/desktop-$recording"
    done
fi
if [[ $4 == access || $4 == engine-* ]]; then
    # The accessibility rules engine and Puppeteer at the versions tests/web/package-lock.json pins, installed once
    # into the build tree (again only when the lock file changes).
    npm_dir=$(realpath -m "$3/npm")
    if ! cmp -s "$root/tests/web/package-lock.json" "$npm_dir/installed.json"; then
        rm -rf "$npm_dir"
        mkdir -p "$npm_dir"
        cp "$root/tests/web/package.json" "$root/tests/web/package-lock.json" "$npm_dir/"
        (cd "$npm_dir" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
        cp "$root/tests/web/package-lock.json" "$npm_dir/installed.json"
    fi
    export AXE="$npm_dir/node_modules/axe-core/axe.min.js" NPM_MODULES="$npm_dir/node_modules"
fi
if [[ $4 == engine-* ]]; then
    exec node "$root/tests/web/engines_test.mjs" "$root/build/web/site" "$root" "$out" "${4#engine-}"
fi
exec node "$root/tests/web/browser_test.mjs" "$root/build/web/site" "$root" "$out" "$4"
