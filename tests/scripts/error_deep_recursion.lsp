;; Recursion without an end: the host stops it with its stack error.
(defun forever (n) (1+ (forever n)))
(princ "before")
(forever 1)
