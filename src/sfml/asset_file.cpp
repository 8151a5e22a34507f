// Rejects asset names that are not regular files before any decoder sees them; decodes clips without a device.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/asset_file.h"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/System/Err.hpp>

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <ostream>

namespace {
const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}
}  // namespace

bool openableAsset(const char* name) {
    // The loaders open the name again after this check; a file swapped in
    // between is not guarded against.
    struct stat info {};
    if (stat(name, &info) != 0) {
        sf::err() << "Failed to load \"" << name << "\" (" << std::strerror(errno) << ")" << std::endl;
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        sf::err() << "Failed to load \"" << name << "\" (" << kindOf(info.st_mode)
                  << ", not a regular file)" << std::endl;
        return false;
    }
    return true;
}

bool clipDecodes(const char* name) {
    sf::InputSoundFile input;
    if (!input.openFromFile(name)) return false;
    if (input.getSampleCount() == 0 || input.getChannelCount() == 0 || input.getSampleRate() == 0)
        return false;
    std::array<sf::Int16, 4096> chunk;
    sf::Uint64 decoded = 0;
    while (const sf::Uint64 n = input.read(chunk.data(), chunk.size())) decoded += n;
    return decoded == input.getSampleCount();
}
