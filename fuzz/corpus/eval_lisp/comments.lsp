;| block |; (princ "\101\n") ; comment
(repeat 3 (princ 1))