;; The module's life cycle through the console: loaded through its entry point, its functions
;; defined in the drawing and called; the family's functions from qvanutil.lsp; a wrong call.
(princ "\nmodule functions: ")
(princ (list (cf:isnumeric "-12.5") (cf:isnumeric "12.5.1") (cf:numval "1250.75")))
(princ "\nwrong argument: ")
(princ (cf:isnumeric 12))
;; The family's support file is loaded and exposed to the module.
(princ "\nfamily functions: ")
(princ (mapcar 'type (list cf:print_line cf:getfiled cf:set_pointsnap cf:qvanutil)))
(cf:print_line usrdir$ "printed by cf:print_line")
(princ "\npoint snap: ")
(princ (list (cf:set_pointsnap 0) qvan_pointsnap (cf:set_pointsnap 1) qvan_pointsnap))
(cf:qvanutil usrdir$ 99)
;; The family's folders are set, each with its final separator.
(princ "\nfolders: ")
(princ (mapcar '(lambda (folder) (wcmatch folder "*\\")) (list lspdir$ usrdir$ tmpdir$)))
(princ "\nunknown function: ")
(princ (vl-catch-all-error-message (vl-catch-all-apply 'qv_nosuch '(1))))
(princ "\n")
