;; Tumblewing narration: a text2wave hook that logs each sentence's length in samples and its words, for the captions.
;; SPDX-FileCopyrightText: 2026 Tumblewing developers
;; SPDX-License-Identifier: MIT
;; Festival speaks a line one utterance (sentence) at a time and text2wave
;; joins their waves in order, so the lengths add up to where each begins.
;; Set sentence_log to the file to append to before loading this.
(define (log_sentence utt)
  (let ((fd (fopen sentence_log "a"))
        (info (wave.info (utt.wave utt))))
    (format fd "%d %d" (get_param 'num_samples info 0) (get_param 'sample_rate info 0))
    (mapcar (lambda (w) (format fd " %s" (item.name w))) (utt.relation.items utt 'Word))
    (format fd "\n")
    (fclose fd))
  utt)
(set! tts_hooks (append tts_hooks (list log_sentence)))
