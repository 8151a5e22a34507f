// The random sequence the desktop's C library deals for a seed, so a recording replays identically in the browser.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

// The game draws every layout from rand(). A recording holds only the seed,
// so the browser must deal the same values for it as the desktop's C library
// does: an additive feedback generator over 31 words (r[i] = r[i-3] + r[i-31]),
// its words filled from the seed by a multiplicative step modulo 2^31 - 1, and
// the first 310 values thrown away; each value is the top 31 bits of a word.
class RandomSequence {
public:
    explicit RandomSequence(unsigned seed = 1) { reseed(seed); }

    void reseed(unsigned seed) {
        std::int32_t word = seed == 0 ? 1 : static_cast<std::int32_t>(seed);
        words_[0] = static_cast<std::uint32_t>(word);
        for (std::size_t i = 1; i < Degree; ++i) {
            // 16807 * word mod (2^31 - 1), without overflow
            const std::int32_t hi = word / 127773;
            const std::int32_t lo = word % 127773;
            word = 16807 * lo - 2836 * hi;
            if (word < 0) word += 2147483647;
            words_[i] = static_cast<std::uint32_t>(word);
        }
        front_ = Separation;
        rear_ = 0;
        for (int i = 0; i < 10 * static_cast<int>(Degree); ++i) next();
    }

    // The next value, 0 .. 2^31 - 1.
    int next() {
        words_[front_] += words_[rear_];
        const int value = static_cast<int>(words_[front_] >> 1);
        front_ = (front_ + 1) % Degree;
        rear_ = (rear_ + 1) % Degree;
        return value;
    }

private:
    static constexpr std::size_t Degree = 31;
    static constexpr std::size_t Separation = 3;
    std::array<std::uint32_t, Degree> words_{};
    std::size_t front_ = 0;
    std::size_t rear_ = 0;
};
