// The SFML window's events as the core reads them.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"

#include <SFML/Window/Event.hpp>

// A close, a key going down or up with the core's name for it (Unknown for a
// key the core has no name for), or Other for everything else: resizes,
// focus, the mouse, text.
Event toCoreEvent(const sf::Event& e);
