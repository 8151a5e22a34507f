// CPU seconds of a process and all its descendants, read from /proc: what a browser spends, whoever else runs.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
import { readFileSync, readdirSync } from 'node:fs';

export function treeCpu(pid) {
    const stats = readdirSync('/proc').filter((d) => /^\d+$/.test(d)).map((d) => {
        try {
            const s = readFileSync(`/proc/${d}/stat`, 'utf8');
            const f = s.slice(s.lastIndexOf(')') + 2).split(' ');
            return { pid: Number(d), ppid: Number(f[1]), ticks: Number(f[11]) + Number(f[12]) };
        } catch { return null; }
    }).filter(Boolean);
    const inTree = new Set([pid]);
    for (let grew = true; grew;) {
        grew = false;
        for (const s of stats) if (!inTree.has(s.pid) && inTree.has(s.ppid)) { inTree.add(s.pid); grew = true; }
    }
    return stats.filter((s) => inTree.has(s.pid)).reduce((a, s) => a + s.ticks, 0) / 100;  // USER_HZ
}
