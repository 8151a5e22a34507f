// The checks asset files pass before the game uses them: only regular files are read; clips decode whole.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

// True when `name` is a regular file (a symbolic link to one counts). A
// directory, FIFO, device or socket under an asset's name would hang or
// stall the decoders, and a missing name has nothing to read: for those it
// writes one line naming the file and the reason to sf::err() and returns
// false, a failed load like any other.
bool openableAsset(const char* name);

// True when the sound file `name` decodes whole: it opens, has samples, and
// every one of them reads, which is what sf::SoundBuffer::loadFromFile
// accepts. Needs no audio device: hosts without one check clips this way.
bool clipDecodes(const char* name);
