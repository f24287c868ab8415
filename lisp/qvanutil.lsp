;;; qvanutil.lsp -- the Quorvane family's support functions, loaded into every drawing.
;;; The module calls them through the host (acedInvoke), so each is exposed with vl-acad-defun.
;;; Every function takes the user folder (usrdir$) first where the module passes it.

;; cf:print_line: prints a line of text on the command line.
(defun cf:print_line (usrdir text)
  (if (eq (type text) 'STR)
    (princ (strcat "\n" text))
    (princ (strcat "\n" (vl-princ-to-string text))))
  (princ))

;; cf:getfiled: asks for a file with the host's file dialog. Returns the path chosen, or nil when
;; the person cancels. Sets qvan_new_file to "1" when the file does not exist yet (a new file),
;; else to "0", and remembers the folder of the choice in qvan_last_folder.
(defun cf:getfiled (usrdir title default ext flags / chosen cut)
  (if (not (eq (type ext) 'STR)) (setq ext ""))
  (setq chosen (getfiled title default ext flags))
  (if chosen
    (progn
      (setq qvan_new_file (if (findfile chosen) "0" "1"))
      (setq cut (strlen chosen))
      (while (and (> cut 0) (not (member (substr chosen cut 1) '("\\" "/" ":"))))
        (setq cut (1- cut)))
      (setq qvan_last_folder (substr chosen 1 cut))))
  chosen)

;; cf:set_pointsnap: switches the family's point snap off (0) or on (1). The state is kept in
;; qvan_pointsnap; while it is off, the family's point-picking commands do not snap to points.
;; Returns the new state.
(defun cf:set_pointsnap (on)
  (setq qvan_pointsnap (if (and on (/= on 0)) 1 0)))

;; cf:qvanutil: runs one of the family's utilities by its code. 38 shows the family's folders
;; (lspdir$, usrdir$, tmpdir$) on the command line. Returns T, or nil for an unknown code.
(defun cf:qvanutil (usrdir code)
  (cond
    ((= code 38)
     (foreach entry (list (cons "LISP folder" lspdir$) (cons "User folder" usrdir)
                          (cons "Temporary folder" tmpdir$))
       (princ (strcat "\n" (car entry) ": "
                      (if (eq (type (cdr entry)) 'STR) (cdr entry) "(not set)"))))
     (princ)
     T)
    (T (princ (strcat "\nQuorvane utility " (vl-princ-to-string code) " is not available."))
       (princ)
       nil)))

(vl-acad-defun 'cf:print_line)
(vl-acad-defun 'cf:getfiled)
(vl-acad-defun 'cf:set_pointsnap)
(vl-acad-defun 'cf:qvanutil)
(princ)
