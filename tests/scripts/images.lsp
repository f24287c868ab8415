;; Raster images through the module: the raster module, attaching a file stretched over a
;; rectangle and keeping its proportions, and files that cannot be attached.
(princ "\nraster module before: ")
(prin1 (list (cf:moduleloaded "acismui.arx") (cf:moduleloaded "quorvane")))
;; A GIF file's header, written as text: 8272 x 8256 pixels ("P " and "@ " read as 16-bit
;; numbers). The size is all an attach reads from the file.
(setq photo (strcat tmpdir$ "site.photo.gif"))
(setq file (open photo "w"))
(write-line "GIF89aP @ " file)
(close file)
(princ "\nattached: ")
(prin1 (list (cf:attachimage photo '(10.0 20.0 5.0) '(4.0 26.0 5.0))
             (cf:attachimage photo '(1.0 2.0) '(1.0 2.0) T)))
(princ "\nraster module after: ")
(prin1 (list (cf:moduleloaded "ACISMUI.ARX") (cf:moduleloaded "acismui")))
(princ "\nmissing file: ")
(prin1 (cf:attachimage "C:\\maps\\none.tif" '(1.0 2.0 3.0) '(4.0 5.0 6.0)))
(princ "\nnot an image: ")
(prin1 (cf:attachimage "images.lsp" '(1.0 2.0) '(4.0 5.0)))
(princ "\nflat rectangle: ")
(prin1 (cf:attachimage photo '(1.0 2.0) '(4.0 2.0)))
(princ "\nwrong call: ")
(prin1 (cf:attachimage photo "corner" '(4.0 5.0)))
(princ "\n")
