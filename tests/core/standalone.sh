#!/usr/bin/env bash
# The core and the shared host pieces use nothing but the C++ standard library and src/, and every
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
# folder includes only the folders beneath it.
set -euo pipefail
root=$1
cxx=${2:-c++}
cd "$root"
status=0
for source in src/geometry/*.cpp src/play/*.cpp src/story/*.cpp src/presentation/*.cpp src/shell/*.cpp \
              src/host/*.cpp; do
    deps=$("$cxx" -std=c++17 -Isrc -M "$source" | sed 's/\\$//' | tr ' ' '\n' | sed '/^$/d' | tail -n +2)
    while read -r dep; do
        case "$dep" in
        src/*) ;;                                    # the game's own
        /usr/include/c++/* | /usr/lib/gcc/*) ;;      # the C++ standard library
        /usr/include/*-linux-gnu/*) ;;               # the C library's machine part
        /usr/include/linux/* | /usr/include/asm-generic/*) ;;
        /usr/include/*/*) echo "$source includes $dep"; status=1 ;;  # a library of its own
        /usr/include/*.h) ;;                         # the C library
        *) echo "$source includes $dep"; status=1 ;;
        esac
    done <<<"$deps"
done
# The core's sources never name SFML, and the core's library links nothing.
if git -C "$root" grep -n "SFML/\|sf::" -- src/geometry src/play src/story src/presentation src/shell src/host; then
    echo "the lines above name SFML in the core"
    status=1
fi
# Arrows run one way: a folder includes only itself and the folders listed before it. Each host's
# folder (sfml, web, ...) sits on top and may include anything beneath, but never another host.
layers=(geometry shell/state play story presentation shell host)
below() {  # whether folder $2 lies at or beneath folder $1 in the layer list
    local i j
    for i in "${!layers[@]}"; do [[ ${layers[$i]} == "$1" ]] && break; done
    for j in "${!layers[@]}"; do [[ ${layers[$j]} == "$2" ]] && { ((j <= i)); return; }; done
    return 1
}
while read -r file; do
    folder=$(dirname "${file#src/}")
    known=0
    for layer in "${layers[@]}"; do [[ $layer == "$folder" ]] && known=1; done
    while read -r included; do
        target=$(dirname "$included")
        if ((known)); then
            below "$folder" "$target" || { echo "$file includes $included, which lies above it"; status=1; }
        elif [[ $target != "$folder" ]] && ! below host "$target"; then
            echo "$file includes $included from another host"; status=1
        fi
    done < <(sed -n 's/^#include "\(.*\)"/\1/p' "$file")
done < <(git -C "$root" ls-files 'src/*.h' 'src/*.cpp')
exit $status
