;; An error handler of the script sees the message; the script still stops there.
(defun *error* (message) (princ (strcat "\n*error* saw: " message)) (princ))
(defun check (depth / local) (setq local depth) (substr "abc" 0))
(check 2)
(princ "never printed")
