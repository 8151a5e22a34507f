// Reads each asset through one non-blocking descriptor, decodes it from memory, and names the file on any failure.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/asset_file.h"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <ostream>

namespace {

constexpr off_t MostBytes = off_t{256} << 20;

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

// Closes the descriptor however the read ends.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
};

// Reads the regular file behind `fd` to its end; a file that grows or
// shrinks while being read is taken as it reads. Empty when a read fails.
std::string readAll(int fd, off_t size, std::vector<char>& bytes) {
    bytes.resize(static_cast<std::size_t>(size) + 1);  // one more byte to see the end
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) bytes.resize(bytes.size() * 2);
        if (bytes.size() > static_cast<std::size_t>(MostBytes) + 1) return "larger than 256 MiB";
        const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::strerror(errno);
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return {};
}

}  // namespace

void reportFailedLoad(const std::string& path, const std::string& reason) {
    sf::err() << "Failed to load \"" << path << "\" (" << reason << ")" << std::endl;
}

bool readAsset(const std::string& path, std::vector<char>& bytes) {
    bytes.clear();
    const Descriptor file{open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat info {};
    std::string problem;
    if (file.fd < 0 || fstat(file.fd, &info) != 0)
        problem = std::strerror(errno);
    else if (!S_ISREG(info.st_mode))
        problem = std::string(kindOf(info.st_mode)) + ", not a regular file";
    else if (info.st_size > MostBytes)
        problem = "larger than 256 MiB";
    else
        problem = readAll(file.fd, info.st_size, bytes);
    if (problem.empty() && bytes.empty()) problem = "the file is empty";
    if (problem.empty()) return true;
    bytes.clear();
    reportFailedLoad(path, problem);
    return false;
}

bool decodeClip(const std::string& path, ClipSamples& clip) {
    clip = ClipSamples{};
    std::vector<char> bytes;
    if (!readAsset(path, bytes)) return false;
    HeldErrors held;
    sf::InputSoundFile input;
    const bool opened = input.openFromMemory(bytes.data(), bytes.size());
    const std::string said = held.release();
    if (!opened) {
        reportFailedLoad(path, said.empty() ? "not a sound file the game can read" : said);
        return false;
    }
    const sf::Uint64 promised = input.getSampleCount();
    if (promised == 0 || input.getChannelCount() == 0 || input.getSampleRate() == 0) {
        reportFailedLoad(path, "a sound file with no samples");
        return false;
    }
    // Read in chunks, never trusting the header's count with one allocation.
    std::array<sf::Int16, 4096> chunk;
    while (const sf::Uint64 n = input.read(chunk.data(), chunk.size())) {
        clip.samples.insert(clip.samples.end(), chunk.data(), chunk.data() + n);
        if (clip.samples.size() > promised) break;
    }
    if (clip.samples.size() != promised) {
        reportFailedLoad(path, "its header promises " + std::to_string(promised) + " samples, it holds " +
                                   std::to_string(clip.samples.size()));
        clip = ClipSamples{};
        return false;
    }
    clip.channels = input.getChannelCount();
    clip.sampleRate = input.getSampleRate();
    return true;
}

bool decodePicture(const std::string& path, sf::Image& image) {
    std::vector<char> bytes;
    if (!readAsset(path, bytes)) return false;
    HeldErrors held;
    const bool decoded = image.loadFromMemory(bytes.data(), bytes.size());
    const std::string said = held.release();
    if (decoded) return true;
    reportFailedLoad(path, said.empty() ? "not a picture the game can read" : said);
    return false;
}

HeldErrors::HeldErrors() : before_(sf::err().rdbuf(text_.rdbuf())) {}

std::string HeldErrors::releaseText() {
    if (before_ != nullptr) sf::err().rdbuf(before_);
    before_ = nullptr;
    return text_.str();
}

std::string HeldErrors::release() {
    std::string line = releaseText();
    line = line.substr(0, line.find('\n'));
    // "Failed to load image from memory. Reason: X" and "Failed to open sound
    // file from memory (X)" both come down to X.
    const std::size_t because = line.find("Reason: ");
    if (because != std::string::npos) return line.substr(because + 8);
    const std::size_t open = line.find("from memory (");
    if (open != std::string::npos && line.back() == ')') return line.substr(open + 13, line.size() - open - 14);
    return line;
}

void HeldErrors::passOnAllBut(const std::string& noNews) {
    std::istringstream lines(releaseText());
    for (std::string line; std::getline(lines, line);)
        if (line.compare(0, noNews.size(), noNews) != 0) sf::err() << line << std::endl;
}
