#!/usr/bin/env bash
# Tests of the installed game and its Debian package: what cmake --install and cpack lay down, and that it starts from anywhere.
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
#
# usage: install.sh BUILD XWINDOW SOURCE VERSION CASE [ARG]
#   metadata     the installed menu entry, AppStream metadata, manual page and icons are valid and agree on VERSION;
#                the menu entry offers captions and full screen, and the launcher passes its arguments on
#   window [ARG] installed under a prefix with a space, the launcher started from / (with ARG, e.g. --captions)
#                opens the window, and a close request ends it with 0
#   broken FILE  a copied tree, started through a symbolic link from /: without FILE it ends with 1 and
#                stderr names FILE; without the data folder it ends with 1 and names the folder
#   deb          the .deb holds exactly the game's files with their modes, depends on the SFML runtime,
#                and lintian finds no error
# window and broken must run inside an X display (ctest wraps them in xvfb-run).
set -euo pipefail

build=$(realpath "$1")
xwindow=$(realpath "$2")
source=$(realpath "$3")
version=$4
case_name=$5
arg=${6:-}
title="Tumblewing Game"
id=org.tumblewing.Tumblewing
export ALSOFT_DRIVERS=null  # no sound card here

work=$(mktemp -d)
pid=
cleanup() {
    if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then kill -9 "$pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$work/a prefix/usr"
install_tree() { cmake --install "$build" --prefix "$prefix" >/dev/null; }

# Starts LAUNCHER from / and waits up to 20 s for it to end; sets rc, keeps stderr in err.log.
rc=
run_from_root() {
    rc=0
    (cd / && exec timeout 20 "$1") >"$work/out.log" 2>"$work/err.log" || rc=$?
    [[ $rc != 124 ]] || fail "$1 did not end within 20 s"
}

case $case_name in
metadata)
    install_tree
    share="$prefix/share"
    desktop-file-validate "$share/applications/$id.desktop"
    for action in "Play with captions=tumblewing --captions" "Play full screen=tumblewing --fullscreen"; do
        grep -A2 "^Name=${action%%=*}$" "$share/applications/$id.desktop" | grep -qx "Exec=${action#*=}" ||
            fail "the menu entry has no action '${action%%=*}' running '${action#*=}'"
    done
    said=$("$prefix/games/tumblewing" --version) || fail "the launcher's --version failed"
    [[ $said == "tumblewing $version" ]] || fail "the launcher's --version says '$said', expected tumblewing $version"
    appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
    newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$share/metainfo/$id.metainfo.xml" | head -n 1)
    [[ $newest == "$version" ]] || fail "the newest release in the metadata is $newest, the project is $version"
    zcat "$share/man/man6/tumblewing.6.gz" | grep -q "\"Tumblewing $version\"" || fail "the manual page is not for $version"
    # Each screenshot is one of the README's pictures.
    shots=$(sed -n 's|.*<image>.*/\(tests/golden/[^<]*\)</image>.*|\1|p' "$share/metainfo/$id.metainfo.xml")
    [[ -n $shots ]] || fail "no screenshots in the metadata"
    for shot in $shots; do [[ -f $source/$shot ]] || fail "the metadata shows $shot, which is not in the tree"; done
    # The manual page formats without a warning, as lintian checks it.
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$share/man/man6/tumblewing.6.gz" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "the manual page: $warnings"
    for size in 16 32 48 64 128 256; do
        file "$share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -q "PNG image data, $size x $size," ||
            fail "the ${size}x${size} icon is not a $size px PNG"
    done
    echo "menu entry, metadata ($(echo "$shots" | wc -w) screenshots, release $newest), manual page and icons valid"
    ;;
window)
    install_tree
    # shellcheck disable=SC2086  # no ARG, no argument
    (cd / && exec "$prefix/games/tumblewing" $arg) >"$work/out.log" 2>"$work/err.log" &
    pid=$!
    size=$("$xwindow" wait "$title" 20) || fail "no window; stderr: $(head -c 300 "$work/err.log")"
    "$xwindow" close "$title"
    waited=0
    while kill -0 "$pid" 2>/dev/null; do
        sleep 0.1
        waited=$((waited + 1))
        ((waited < 100)) || fail "the game did not end within 10 s of the close request"
    done
    rc=0
    wait "$pid" || rc=$?
    pid=
    [[ $rc == 0 ]] || fail "exit code $rc after the close request"
    echo "the launcher under '$prefix' opened a $size window from /${arg:+ with $arg}; exit 0 after the close request"
    ;;
broken)
    install_tree
    # The copy must stand alone: the original tree goes.
    cp -a "$work/a prefix" "$work/a copy"
    rm -rf "$work/a prefix"
    mkdir "$work/bin"
    ln -s "$work/a copy/usr/games/tumblewing" "$work/bin/tumblewing"
    data="$work/a copy/usr/share/games/tumblewing"

    rm "$data/$arg"
    run_from_root "$work/bin/tumblewing"
    [[ $rc == 1 ]] || fail "exit code $rc without $arg, expected 1"
    named=$(grep "\"$arg\"" "$work/err.log") || fail "stderr does not name $arg: $(head -c 300 "$work/err.log")"

    rm -rf "$data"
    run_from_root "$work/bin/tumblewing"
    [[ $rc == 1 ]] || fail "exit code $rc without the data folder, expected 1"
    grep -q "no data folder" "$work/err.log" || fail "stderr does not name the data folder: $(cat "$work/err.log")"
    echo "exit 1 without $arg ($named) and without the data folder"
    ;;
deb)
    (cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
    deb=$(echo "$work"/deb/tumblewing_*.deb)
    [[ -f $deb ]] || fail "cpack made no tumblewing .deb"

    # Exactly the game's files, with their modes; directories aside.
    {
        echo "-rwxr-xr-x ./usr/games/tumblewing"
        echo "-rwxr-xr-x ./usr/lib/games/tumblewing/tumblewing"
        for f in "$source"/assets/* "$source"/assets/captions/*; do
            if [[ -f $f ]]; then echo "-rw-r--r-- ./usr/share/games/tumblewing/${f#"$source"/assets/}"; fi
        done
        echo "-rw-r--r-- ./usr/share/applications/$id.desktop"
        echo "-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/$id.svg"
        for size in 16 32 48 64 128 256; do echo "-rw-r--r-- ./usr/share/icons/hicolor/${size}x${size}/apps/$id.png"; done
        echo "-rw-r--r-- ./usr/share/metainfo/$id.metainfo.xml"
        echo "-rw-r--r-- ./usr/share/man/man6/tumblewing.6.gz"
        echo "-rw-r--r-- ./usr/share/doc/tumblewing/copyright"
        echo "-rw-r--r-- ./usr/share/doc/tumblewing/changelog.gz"
    } | sort -k 2 >"$work/expected"
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $6 }' | sort -k 2 >"$work/actual"
    diff "$work/expected" "$work/actual" || fail "the package's files differ from the game's (< expected, > packed)"
    assets=$(grep -c ' ./usr/share/games/tumblewing/[^/]*$' "$work/actual")
    [[ $assets == 47 ]] || fail "$assets data files packed, expected 47"

    while read -r field pattern; do
        value=$(dpkg-deb -f "$deb" "$field")
        # shellcheck disable=SC2053  # the right side is a pattern
        [[ $value == $pattern ]] || fail "$field is '$value', expected $pattern"
    done <<FIELDS
Package      tumblewing
Version      $version
Section      games
Architecture $(dpkg --print-architecture)
Depends      *libsfml-audio2.5*
Depends      *libsfml-graphics2.5*
Depends      *libsfml-system2.5*
Depends      *libsfml-window2.5*
FIELDS

    lintian --fail-on error "$deb" 2>/dev/null || fail "lintian finds errors"
    echo "$(basename "$deb"): $(wc -l <"$work/actual") files ($assets data files), $(du -h "$deb" | cut -f1);" \
        "Depends: $(dpkg-deb -f "$deb" Depends)"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
