// Counts every heap allocation of the process, for tests that prove a frame allocates nothing.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

// Link alloc_count.cpp into the test binary: it replaces the global
// operator new and delete. The count starts at program start.
long allocationCount();
