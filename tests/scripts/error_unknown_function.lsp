;; A call of a function that nobody defined.
(princ "before")
(setq value (frobnicate 3))
(princ "never printed")
