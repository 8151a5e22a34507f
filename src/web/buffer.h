// Buffer: a vector that leaves the elements it grows by unset, for bytes the page writes straight in.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <new>
#include <utility>
#include <vector>

// Growing a std::vector clears every new element first, which for a picture of
// several megabytes costs more than copying it in: a Buffer's resize leaves
// them as they are, to be written at once.
template <typename T>
struct LeftUnset : std::allocator<T> {
    LeftUnset() = default;
    template <typename U>
    LeftUnset(const LeftUnset<U>&) noexcept {}
    template <typename U>
    void construct(U* at) noexcept {
        ::new (static_cast<void*>(at)) U;
    }
    template <typename U, typename... Args>
    void construct(U* at, Args&&... args) {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
    template <typename U>
    struct rebind {
        using other = LeftUnset<U>;
    };
};

template <typename T>
using Buffer = std::vector<T, LeftUnset<T>>;
