;; Tumblewing narrator voice: the US English HTS voice "slt", slowed a little to a relaxed storybook pace.
;; SPDX-FileCopyrightText: 2026 Tumblewing developers
;; SPDX-License-Identifier: MIT
(voice_cmu_us_slt_arctic_hts)
;; hts_engine speech rate: below 1.0 is slower than the voice's natural pace.
(set! hts_engine_params (append hts_engine_params '(("-r" 0.9))))
