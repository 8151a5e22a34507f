#!/usr/bin/env bash
# Smoke tests of the real tumblewing executable in a virtual X display with a silent sound backend.
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
#
# usage: smoke.sh TUMBLEWING XWINDOW ASSETS CASE [ARG]
#   window          the window appears at 800x600 with the game's icon, prints nothing, and a close request
#                   ends it with 0
#   missing FILE    without FILE start-up fails with 1
#   recased FILE    FILE present only under another letter case counts as missing
#   fly             holding Right moves Kestra right across the start screen
#   narration       the first arrow press starts the opening narration (recorded by the wave backend)
#   silent          with no audio device the game plays, says so in one line and ends with 0
#   no-display      with no display the game says so in one line and ends with 2: no abort, no core file, an
#                   earlier recording at its --record file kept
#   options         --help and --version answer on stdout with 0; a wrong option gets the usage on stderr and 64
#   captions        --captions loads captions/ after the game's files: a broken caption file ends start-up with 1,
#                   naming it; without the option the folder is never read
#   fullscreen      --fullscreen covers the screen with the scene letterboxed at 4:3; F11 returns to the
#                   800x600 window (run it in a 1920x1080 display)
#   display-fails   a display lost mid-play ends the game with 2, one without OpenGL (GLX) ends it, and the
#                   replay with 3, before any window is made: one line each, no crash
#   destroyed       a window destroyed by another client ends the game as a close does: 0, no X error printed
#   focus           an arrow held when focus goes to another window and let go there no longer moves Kestra;
#                   pressed again back in the game it does
#   muted           with --volume 0 the first clip starts (the recording says so) and nothing is heard
#   half            --volume 50 plays the first clip's first second at half the amplitude of full volume
#   settings REPLAY with --keys and --record, D (for right) flies Kestra; REPLAY plays the recording back to the
#                   live game's clip starts, and a picture the live window showed near the end is one of its frames
# Must run inside an X display (ctest wraps it in xvfb-run), except no-display and display-fails, which start
# their own.
set -euo pipefail

game=$(realpath "$1")
xwindow=$(realpath "$2")
assets=$(realpath "$3")
case_name=$4
arg=${5:-}
title="Tumblewing Game"
icon_png=$(realpath "$(dirname "$0")/../../dist/icons/hicolor/64x64/apps/org.tumblewing.Tumblewing.png")
export ALSOFT_DRIVERS=null  # no sound card here

work=$(mktemp -d)
pid=
xserver=
cleanup() {
    if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then kill -9 "$pid" 2>/dev/null || true; fi
    if [[ -n $xserver ]] && kill -0 "$xserver" 2>/dev/null; then kill "$xserver" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# A display number nobody uses.
free_display() {
    local n=$1
    while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
    echo ":$n"
}

# Starts a virtual display of our own (extra Xvfb arguments allowed) and points DISPLAY at it.
own_display() {
    local display
    display=$(free_display 220)
    Xvfb "$display" -noreset -screen 0 1280x1024x24 "$@" >"$work/xvfb.log" 2>&1 &
    xserver=$!
    for _ in $(seq 100); do
        [[ -e /tmp/.X11-unix/X${display#:} ]] && break
        sleep 0.1
    done
    export DISPLAY=$display
}

# What the program said on stderr (never SFML's notice that vertical sync cannot be set).
said() { cat "$work/err.log"; }

# Copies the assets so a case can remove or rename one of them.
stage_assets() {
    mkdir -p "$work/assets"
    cp -r "$assets"/. "$work/assets/"
}

start_game() {
    (cd "$work/assets" && exec "$game" "$@") >"$work/out.log" 2>"$work/err.log" &
    pid=$!
}

# The mean brightness (0 to 1) of the game window now.
brightness() {
    import -window "$wid" "$work/shot.png"
    convert "$work/shot.png" -colorspace Gray -format '%[fx:mean]' info:
}

# Waits up to $1 seconds for the game to exit and sets rc to its exit code.
rc=
wait_exit() {
    local waited=0
    while kill -0 "$pid" 2>/dev/null; do
        sleep 0.1
        waited=$((waited + 1))
        if ((waited > $1 * 10)); then fail "the game did not exit within $1 s"; fi
    done
    rc=0
    wait "$pid" || rc=$?
    pid=
}

expect_load_failure() {
    start_game "$@"
    wait_exit 20
    [[ $rc == 1 ]] || fail "exit code $rc, expected 1"
    [[ ! -s $work/out.log ]] || fail "the game printed to stdout: $(cat "$work/out.log")"
    echo "exit 1; stderr: $(head -c 300 "$work/err.log")"
}

# Starts the game, waits for its window and gives it the keyboard; sets wid.
wid=
start_playing() {
    start_game "$@"
    "$xwindow" wait "$title" 20 >/dev/null || fail "no window"
    sleep 1  # let it run some frames
    kill -0 "$pid" 2>/dev/null || fail "the game ended on its own"
    wid=$(xdotool search --name "$title" | head -n 1)
    xdotool windowfocus "$wid" 2>/dev/null || true
}

# Holds a key long enough for the game to poll it in at least one frame.
hold() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

# Asks the window to close, as a window manager would, and expects exit 0.
close_and_expect_0() {
    "$xwindow" close "$title"
    wait_exit 10
    [[ $rc == 0 ]] || fail "exit code $rc after the close request"
    [[ ! -s $work/out.log ]] || fail "the game printed: $(cat "$work/out.log")"
}

# Kestra's x in shot $1, found along her row as her picture in shot $2 (taken on the start screen).
kestra_x() {
    convert "$2" -crop 45x45+80+300 +repage "$work/kestra.png"
    convert "$1" -crop 800x45+0+300 +repage "$work/row.png"
    local found
    found=$(compare -metric RMSE -dissimilarity-threshold 1 -subimage-search "$work/row.png" "$work/kestra.png" null: 2>&1 || true)
    echo "$found" | sed -n 's/.*@ \([0-9]*\),\([0-9]*\).*/\1/p'
}

stage_assets
case $case_name in
window)
    start_playing
    size=$("$xwindow" wait "$title" 1)
    [[ $size == 800x600 ]] || fail "window is $size"
    # The game's icon pixel for pixel: the width, the height, then each pixel as one ARGB number.
    icon=$(xprop -id "$wid" -notype -f _NET_WM_ICON 32c ' $0+\n' _NET_WM_ICON | sed 's/^_NET_WM_ICON *//' | tr -d ' ')
    want=$(convert "$icon_png" -depth 8 rgba:- | od -An -v -tu1 -w4 |
        awk 'BEGIN { printf "64,64" } { printf ",%.0f", $4 * 16777216 + $1 * 65536 + $2 * 256 + $3 } END { print "" }')
    [[ $icon == "$want" ]] || fail "_NET_WM_ICON is not the game's icon: $(head -c 200 <<<"$icon")"
    close_and_expect_0
    [[ ! -s $work/err.log ]] || fail "the game printed on stderr: $(head -n 5 "$work/err.log")"
    echo "window $size with the game's 64x64 icon, nothing on stderr, exit 0 after WM_DELETE_WINDOW"
    ;;
muted | half)
    # Plays the first clip for a second or more at --volume $1, heard by OpenAL Soft's wave backend in heard-$1.wav.
    hear() {
        printf '[wave]\nfile = %s\n' "$work/heard-$1.wav" >"$work/alsoft.conf"
        rm -f "$work/run.keys"
        export ALSOFT_CONF="$work/alsoft.conf" ALSOFT_DRIVERS=wave
        start_playing --volume "$1" --record "$work/run.keys"
        for _ in $(seq 600); do grep -q '^1 clock ' "$work/run.keys" && break; sleep 0.1; done
        hold Up 0.2
        for _ in $(seq 600); do grep -q '^# [0-9]* clip abeautiful.ogg' "$work/run.keys" && break; sleep 0.1; done
        grep -q '^# [0-9]* clip abeautiful.ogg' "$work/run.keys" || fail "clip 1 did not start: $(head -c 300 "$work/run.keys")"
        sleep 1.5
        close_and_expect_0
        [[ -s $work/heard-$1.wav ]] || fail "no sound was written"
    }
    # The loudest sample of the first second after the silence before the clip.
    first_second_peak() {
        sox "$work/heard-$1.wav" -n silence 1 0.01 0.001 trim 0 1 stat 2>&1 | sed -n 's/^Maximum amplitude: *//p'
    }
    if [[ $case_name == half ]]; then
        hear 100
        hear 50
        full=$(first_second_peak 100)
        half=$(first_second_peak 50)
        awk -v f="$full" -v h="$half" 'BEGIN { exit !(f > 0.05 && h > 0.45 * f && h < 0.55 * f) }' ||
            fail "at --volume 50 the peak is $half against $full at full volume"
        echo "the first second's peak: $full at full volume, $half at --volume 50"
    else
        hear 0
        peak=$(sox "$work/heard-0.wav" -n stat 2>&1 | sed -n 's/^Maximum amplitude: *//p')
        awk -v p="$peak" 'BEGIN { exit !(p == 0) }' || fail "sound at --volume 0 (peak $peak)"
        echo "clip 1 started at --volume 0 and nothing was heard (peak $peak)"
    fi
    ;;
settings)
    start_playing --keys left=A,right=D,up=W,down=S,strike=Space --volume 50 --record "$work/run.keys"
    # Lines come once a second of play: the first frame's clock line once frames run, a clip's once it starts.
    until_recorded() {
        for _ in $(seq 600); do grep -q "$1" "$work/run.keys" && return; sleep 0.1; done
        fail "no '$1' in the recording within a minute: $(head -c 300 "$work/run.keys")"
    }
    until_recorded '^1 clock '
    import -window "$wid" "$work/before.png"
    hold d 0.6
    until_recorded '^# [0-9]* clip '
    # The window's picture while the game stands still, then the end of the game.
    kill -STOP "$pid"
    import -window "$wid" "$work/live.png"
    kill -CONT "$pid"
    close_and_expect_0
    x=$(kestra_x "$work/live.png" "$work/before.png")
    [[ -n $x ]] || fail "could not find Kestra in the live window"
    ((x >= 110)) || fail "Kestra is at x=$x after D, expected her to fly right from 80"
    grep -q '^[0-9]* press Right$' "$work/run.keys" || fail "no Right in the recording: $(head "$work/run.keys")"
    last=$(sed -n 's/^end //p' "$work/run.keys")
    [[ -n $last ]] || fail "the recording has no end: $(tail -n 3 "$work/run.keys")"
    from=$((last > 150 ? last - 150 : 1))
    "$arg" "$work/run.keys" --assets "$work/assets" \
        --out "$work/replay" --frames "$from-$last" >/dev/null 2>&1 || fail "the replay of the recording failed"
    sed -n 's/^# \([0-9]*\) clip /\1 /p' "$work/run.keys" >"$work/live-clips.txt"
    [[ -s $work/live-clips.txt ]] || fail "the live game started no clip"
    cmp -s "$work/live-clips.txt" "$work/replay/clips.txt" ||
        fail "clip starts differ: live $(tr '\n' ' ' <"$work/live-clips.txt"), replay $(tr '\n' ' ' <"$work/replay/clips.txt")"
    shown=
    for f in "$work"/replay/frame-*.png; do
        [[ $(compare -metric AE "$work/live.png" "$f" null: 2>&1 || true) == 0 ]] && shown=$f
    done
    [[ -n $shown ]] || fail "no frame from $from to $last of the replay is the picture the live window showed"
    echo "D flew Kestra to x=$x; $(wc -l <"$work/live-clips.txt") clip starts replayed alike; the live picture is ${shown##*/} of $last"
    ;;
missing)
    rm "$work/assets/$arg"
    expect_load_failure
    ;;
recased)
    mv "$work/assets/$arg" "$work/assets/$(echo "$arg" | tr '[:lower:][:upper:]' '[:upper:][:lower:]')"
    expect_load_failure
    ;;
fly)
    start_playing
    import -window "$wid" "$work/before.png"
    hold Right 0.6
    sleep 0.3
    import -window "$wid" "$work/after.png"
    close_and_expect_0
    # Kestra is drawn over the curtain, so her picture is the same in both
    # shots: find it again along her row.
    x=$(kestra_x "$work/after.png" "$work/before.png")
    [[ -n $x ]] || fail "could not find Kestra after Right"
    ((x >= 110)) || fail "Kestra is at x=$x, expected her to fly right from 80"
    echo "Kestra flew from x=80 to x=$x"
    ;;
focus)
    start_playing
    import -window "$wid" "$work/start.png"
    xdotool keydown Right
    sleep 0.6
    # Another window takes the keyboard, and the key is let go there.
    xmessage -geometry +0+0 -title Elsewhere "elsewhere" &
    other=$!
    for _ in $(seq 100); do
        elsewhere=$(xdotool search --name Elsewhere 2>/dev/null | head -n 1 || true)
        [[ -n $elsewhere ]] && break
        sleep 0.1
    done
    [[ -n $elsewhere ]] || fail "no other window"
    xdotool windowfocus --sync "$elsewhere"
    xdotool keyup Right
    sleep 0.5
    import -window "$wid" "$work/away.png"
    sleep 1
    import -window "$wid" "$work/later.png"
    xdotool windowfocus --sync "$wid"
    hold Right 0.3
    sleep 0.3
    import -window "$wid" "$work/back.png"
    kill "$other" 2>/dev/null || true
    close_and_expect_0
    away=$(kestra_x "$work/away.png" "$work/start.png")
    later=$(kestra_x "$work/later.png" "$work/start.png")
    back=$(kestra_x "$work/back.png" "$work/start.png")
    [[ -n $away && -n $later && -n $back ]] || fail "could not find Kestra (x $away, $later, $back)"
    ((away >= 110 && away < 600)) || fail "Kestra is at x $away after the key was held for 0.6 s"
    ((later <= away + 3)) || fail "the key let go elsewhere still moves Kestra: x $away, a second later x $later"
    ((back >= later + 20)) || fail "pressed again after focus came back, the key did not move Kestra (x $later to $back)"
    echo "Kestra flew to x=$away, stayed at x=$later with the key let go elsewhere, flew on to x=$back"
    ;;
narration)
    # OpenAL Soft's wave backend writes everything the game plays to a file.
    printf '[wave]\nfile = %s\n' "$work/heard.wav" >"$work/alsoft.conf"
    export ALSOFT_CONF="$work/alsoft.conf" ALSOFT_DRIVERS=wave
    start_playing
    hold Up 0.2
    sleep 3
    close_and_expect_0
    [[ -s $work/heard.wav ]] || fail "no sound was written"
    # The last two seconds are well inside the opening line.
    peak=$(sox "$work/heard.wav" -n trim -2.5 2 stat 2>&1 | sed -n 's/^Maximum amplitude: *//p')
    awk -v p="$peak" 'BEGIN { exit !(p > 0.05) }' || fail "silence after the first press (peak $peak)"
    echo "narration heard after the first press (peak amplitude $peak)"
    ;;
silent)
    # ALSA with an empty configuration knows no device at all, as on a machine without a sound card:
    # OpenAL Soft and ALSA both have their say, and only the game's one line may show.
    : >"$work/alsa.conf"
    export ALSOFT_DRIVERS=alsa ALSA_CONFIG_PATH=$work/alsa.conf
    start_playing
    before=$(brightness)
    hold Up 0.2  # starts the opening narration, which a silent game plays as nothing
    lifted() { awk -v a="$after" -v b="$before" 'BEGIN { exit !(a > b + 0.1) }'; }
    for _ in $(seq 20); do  # the curtain lifts within a second, on a busy machine perhaps later
        sleep 0.5
        after=$(brightness)
        lifted && break
    done
    close_and_expect_0
    lifted || fail "the curtain did not lift (brightness $before, then $after)"
    lines=$(wc -l <"$work/err.log")
    [[ $lines == 1 ]] && grep -q "without sound" "$work/err.log" ||
        fail "$lines lines on stderr, expected the one that says the game plays without sound: $(head -n 20 "$work/err.log")"
    echo "silent game played (brightness $before, then $after), exit 0, one line: $(cat "$work/err.log")"
    ;;
no-display)
    # An abort would leave a core file in the asset folder (as far as the hard limit allows one).
    ulimit -c unlimited 2>/dev/null || ulimit -c "$(ulimit -H -c)"
    n=200
    while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
    # An earlier recording at the --record file outlives the run.
    kept=$'seed 7\nend 0'
    for display in "" ":$n"; do
        echo "$kept" >"$work/kept.keys"
        (cd "$work/assets" && if [[ -n $display ]]; then export DISPLAY=$display; else unset DISPLAY; fi &&
            exec "$game" --record "$work/kept.keys") >"$work/out.log" 2>"$work/err.log" &
        pid=$!
        wait_exit 10
        said=$(cat "$work/err.log")
        ((rc == 2)) || fail "DISPLAY='$display': exit code $rc, expected 2; stderr: $said"
        [[ ! -s $work/out.log ]] || fail "DISPLAY='$display': the game printed: $(cat "$work/out.log")"
        [[ $(wc -l <"$work/err.log") == 1 && $said == *display* ]] || fail "DISPLAY='$display': stderr: $said"
        cores=$(find "$work/assets" -name 'core*')
        [[ -z $cores ]] || fail "DISPLAY='$display': core file left: $cores"
        [[ $(cat "$work/kept.keys") == "$kept" && ! -e $work/kept.keys.partial ]] ||
            fail "DISPLAY='$display': the earlier recording was not kept as it was"
        echo "DISPLAY='$display': exit 2, no core file: $said"
    done
    ;;
options)
    # ARGUMENTS, then the exit code, what stdout and stderr must hold ('' for nothing at all)
    version=$("$game" --version)
    while IFS='|' read -r args code out err; do
        rc=0
        # shellcheck disable=SC2086  # the arguments are words
        "$game" $args >"$work/out.log" 2>"$work/err.log" || rc=$?
        [[ $rc == "$code" ]] || fail "'$args': exit code $rc, expected $code"
        for stream in out err; do
            want=${!stream}
            if [[ -z $want ]]; then
                [[ ! -s $work/$stream.log ]] || fail "'$args': std$stream has $(head -c 200 "$work/$stream.log")"
            else
                grep -q -- "$want" "$work/$stream.log" || fail "'$args': std$stream lacks '$want'"
            fi
        done
        echo "'$args': exit $rc"
    done <<ROWS
--help|0|--fullscreen|
--captions --help|0|F11|
--version|0|^tumblewing [0-9]*\.[0-9]*\.[0-9]*\$|
--bogus|64||usage: tumblewing
--help --bogus|64||unknown option --bogus
play|64||unknown option play
--keys left=A,strike=F11|64||--keys left=A,strike=F11: F11 is the game's own key
--volume 101|64||usage: tumblewing
--record $work/no/such/folder/run.keys|64||cannot write the recording $work/no/such/folder/run.keys
ROWS
    echo "version: $version"
    ;;
captions)
    start_playing --captions
    close_and_expect_0
    mv "$work/assets/captions" "$work/captions"
    start_playing  # without the option the folder is never read
    close_and_expect_0
    # FILE and how it is broken, one case a line
    while read -r file how; do
        rm -rf "$work/assets/captions"
        cp -r "$work/captions" "$work/assets/captions"
        broken=$work/assets/captions/$file
        case $how in
        missing) rm "$broken" ;;
        empty) : >"$broken" ;;
        cut) head -c 300 "$work/captions/$file" >"$broken" ;;
        directory) rm "$broken" && mkdir "$broken" ;;
        bad-row) echo "abeautiful.ogg 0 1 ../BLACK.png" >>"$broken" ;;
        esac
        expect_load_failure --captions
        grep -q "\"captions/$file\"" "$work/err.log" || fail "$file $how: stderr does not name it: $(cat "$work/err.log")"
    done <<ROWS
captions.txt missing
captions.txt directory
captions.txt cut
captions.txt bad-row
abeautiful-1.png missing
withvexmorcooked-1.png empty
withvexmorcooked-1.png cut
ROWS
    echo "captions load with --captions, are not read without it, and a broken one ends start-up with 1"
    ;;
fullscreen)
    read -r screen_w screen_h < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
    start_playing --fullscreen
    size=$("$xwindow" wait "$title" 1)
    [[ $size == "${screen_w}x$screen_h" ]] || fail "full screen is $size on a ${screen_w}x$screen_h screen"
    hold Up 0.2  # lifts the curtain: the scene is bright, the bars stay black
    # The scene as large as fits at 4:3, centred.
    scale_w=$((screen_h * 4 / 3)) left=$(((screen_w - screen_h * 4 / 3) / 2))
    mean() { convert "$work/screen.png" -crop "$1" +repage -format '%[fx:mean]' info:; }
    bright() { for e in $edges; do awk -v e="$e" 'BEGIN { exit !(e > 0.2) }' || return 1; done; }
    for _ in $(seq 20); do  # the curtain lifts within a second, on a busy machine perhaps later
        sleep 0.5
        import -window root "$work/screen.png"
        edges="$(mean "1x$screen_h+$left+0") $(mean "1x$screen_h+$((left + scale_w - 1))+0")"
        bright && break
    done
    bars="$(mean "${left}x$screen_h+0+0") $(mean "$((screen_w - left - scale_w))x$screen_h+$((left + scale_w))+0")"
    [[ $bars == "0 0" ]] || fail "the bars beside the scene are not black: $bars"
    bright || fail "the scene does not reach its edges: $edges"
    hold F11 0.2
    sleep 1
    size=$("$xwindow" wait "$title" 5)
    [[ $size == 800x600 ]] || fail "after F11 the window is $size"
    close_and_expect_0
    echo "full screen ${screen_w}x$screen_h, the scene ${scale_w}x$screen_h at x=$left (bars $bars, edges $edges); F11: $size"
    ;;
display-fails)
    ulimit -c unlimited 2>/dev/null || ulimit -c "$(ulimit -H -c)"
    replay=$(dirname "$game")/tumblewing-replay
    recording=$(realpath "$(dirname "$0")/../inputs/win.keys")
    mkdir -p "$work/frames"
    # program, Xvfb's extra arguments, whether the display goes mid-play, expected code, words of the one line
    rows=(
        "$game||lost|2|the display was lost"
        "$game|-extension GLX||2|no OpenGL support"
        "$replay|-extension GLX||3|no OpenGL support"
    )
    for row in "${rows[@]}"; do
        IFS='|' read -r program extra lost code words <<<"$row"
        name="$(basename "$program") ${extra:-with GLX}${lost:+, display killed mid-play}"
        # shellcheck disable=SC2086 # the extra arguments are words
        own_display $extra
        args=()
        [[ $program == "$replay" ]] && args=(--until 5 --out "$work/frames" "$recording")
        (cd "$work/assets" && exec "$program" "${args[@]}") >"$work/out.log" 2>"$work/err.log" &
        pid=$!
        if [[ -n $lost ]]; then
            "$xwindow" wait "$title" 20 >/dev/null || fail "$name: no window"
            sleep 1
            kill -0 "$pid" 2>/dev/null || fail "$name: the game ended on its own"
            kill "$xserver"
        fi
        wait_exit 10
        kill "$xserver" 2>/dev/null || true
        wait "$xserver" 2>/dev/null || true
        xserver=
        line=$(said)
        ((rc == code)) || fail "$name: exit code $rc, expected $code; stderr: $(cat "$work/err.log")"
        [[ $(wc -l <<<"$line") == 1 && $line == *"$words"* ]] || fail "$name: stderr: $(cat "$work/err.log")"
        [[ ! -s $work/out.log ]] || fail "$name: printed: $(cat "$work/out.log")"
        cores=$(find "$work/assets" -name 'core*')
        [[ -z $cores ]] || fail "$name: core file left: $cores"
        echo "$name: exit $rc: $line"
    done
    ;;
destroyed)
    start_playing
    xdotool windowclose "$wid"  # destroys it, as a window manager's "destroy" does
    wait_exit 10
    [[ $rc == 0 ]] || fail "exit code $rc after the window was destroyed; stderr: $(cat "$work/err.log")"
    [[ -z $(said) ]] || fail "the game printed: $(said)"
    echo "window destroyed from outside: exit 0, nothing said"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
