;; A string where a number belongs.
(defun add-one (x) (+ x 1))
(princ "before")
(add-one "seven")
