;; Loading a file that does not exist.
(princ "before")
(load "no-such-file.lsp")
