;; Tumblewing narration lexicon: how the narrator says the names of our heroine, villain and worlds.
;; SPDX-FileCopyrightText: 2026 Tumblewing developers
;; SPDX-License-Identifier: MIT
(lex.add.entry '("kestra" n (((k eh s) 1) ((t r ax) 0))))
(lex.add.entry '("vexmor" n (((v eh k s) 1) ((m ao r) 0))))
(lex.add.entry '("vexmor's" n (((v eh k s) 1) ((m ao r z) 0))))
(lex.add.entry '("nimbara" n (((n ih m) 0) ((b aa) 1) ((r ax) 0))))
(lex.add.entry '("thornmere" n (((th ao r n) 1) ((m ih r) 0))))
