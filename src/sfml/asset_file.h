// Reading an asset file once and decoding it from memory, with one line naming the file for every failure.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include <SFML/Config.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace sf {
class Image;
}

// Every failure below is reported the same way: one line on sf::err(),
//   Failed to load "PATH" (REASON)
// with whatever the decoder said, or the game's own words when it said
// nothing, and the decoder's own lines held back.
void reportFailedLoad(const std::string& path, const std::string& reason);

// The whole file at `path`, read through one descriptor: opened without
// blocking (a FIFO cannot stall start-up), checked to be a regular file on
// that descriptor (a symbolic link to one counts), then read to its end. So
// the file is read once and nothing can be swapped in between the check and
// the read. False, with the failure reported, for a missing or unreadable
// name, anything but a regular file, or a file over 256 MiB.
bool readAsset(const std::string& path, std::vector<char>& bytes);

// A clip decoded whole: interleaved 16-bit samples.
struct ClipSamples {
    std::vector<sf::Int16> samples;
    unsigned channels = 0;
    unsigned sampleRate = 0;
};

// Reads the sound file at `path` and decodes every sample its header
// promises. False, with the failure reported, when it is not a sound file
// the audio library reads, holds no samples, or ends before its header's
// count. Needs no audio device.
bool decodeClip(const std::string& path, ClipSamples& clip);

// Reads the picture at `path` and decodes it. False, with the failure
// reported, when it is not a picture the graphics library reads.
bool decodePicture(const std::string& path, sf::Image& image);

// Holds back what the multimedia library writes to sf::err() from its
// making until released, so that a failure is told on one line, or a
// complaint that is no news is dropped.
class HeldErrors {
public:
    HeldErrors();
    ~HeldErrors() { releaseText(); }
    HeldErrors(const HeldErrors&) = delete;
    HeldErrors& operator=(const HeldErrors&) = delete;
    // Lets sf::err() write again; returns everything held.
    std::string releaseText();
    // Lets sf::err() write again; returns the first line held, shorn of the
    // library's own "Failed to ..." framing, or "" when nothing was said.
    std::string release();
    // Lets sf::err() write again and passes on every line held but those
    // that begin with `noNews`.
    void passOnAllBut(const std::string& noNews);

private:
    std::ostringstream text_;
    std::streambuf* before_;
};
