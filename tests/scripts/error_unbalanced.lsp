;; A list left open: the reader reports it with the file and line.
(princ "before")
(defun broken (x)
  (+ x 1)
