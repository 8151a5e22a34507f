// The page's key events waiting for the frames that read them, each stamped with the browser time it came.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"

#include <array>
#include <cstddef>

// A fixed ring of events, oldest first. While it is full a press is turned
// away (a key held down keeps repeating), but a release never is: the
// newest press waiting makes room for it, for a release lost is a key that
// sticks until pressed again.
class InputQueue {
public:
    static constexpr std::size_t Capacity = 64;

    void push(const Event& event, double at) {
        if (count_ == Capacity) {
            if (event.type != Event::KeyReleased || !dropNewestPress()) return;
        }
        waiting_[(first_ + count_) % Capacity] = {event, at};
        count_ += 1;
    }

    // The oldest event that came by `until`, if there is one.
    bool pop(Event& event, double until) {
        if (count_ == 0 || waiting_[first_].at > until) return false;
        event = waiting_[first_].event;
        first_ = (first_ + 1) % Capacity;
        count_ -= 1;
        return true;
    }

    std::size_t size() const { return count_; }

private:
    bool dropNewestPress() {
        for (std::size_t i = count_; i-- > 0;) {
            if (waiting_[(first_ + i) % Capacity].event.type != Event::KeyPressed) continue;
            for (std::size_t j = i + 1; j < count_; ++j)
                waiting_[(first_ + j - 1) % Capacity] = waiting_[(first_ + j) % Capacity];
            count_ -= 1;
            return true;
        }
        return false;
    }

    struct Waiting {
        Event event;
        double at;
    };
    std::array<Waiting, Capacity> waiting_{};
    std::size_t first_ = 0;
    std::size_t count_ = 0;
};
