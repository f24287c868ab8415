;;; A surveyor's small job with the Quorvane module: import a point file, sort the points,
;;; keep them as a record table, report each leg with its bearing, station, length and grade,
;;; draw the traverse with a leader at a control point, attach the aerial photograph over it,
;;; and remember the folder used and the job in the drawing and in the registry.
;;;
;;; Where files are: survey_dir$ names the folder of survey_points.txt and aerial_photo.png
;;; (default: "data/" when run from this folder, else "examples/data/", from the project's
;;; folder); the record table and the export go to tmpdir$ (default: the current folder).

(if (not survey_dir$)
  (setq survey_dir$ (if (findfile "data/survey_points.txt") "data/" "examples/data/")))
(if (not tmpdir$) (setq tmpdir$ ""))

(defun field (name point) (cdr (assoc name (cdr point))))
(defun coord (name point) (atof (field name point)))

;; The module prints the degree sign of the host's code page (176); a terminal reads "d" better.
(defun plain-degrees (text / at)
  (while (setq at (vl-string-search (chr 176) text))
    (setq text (strcat (substr text 1 at) "d" (substr text (+ at 2)))))
  text)

;; "N 45d00'00\" E" from an azimuth in radians, clockwise from north.
(defun bearing-text (azimuth / bearing quadrant)
  (setq bearing (cf:bearing azimuth)
        quadrant (car bearing))
  (strcat (if (member quadrant '(1 4)) "N " "S ")
          (plain-degrees (cf:angle (cf:degrees (atof (cadr bearing)))))
          (if (member quadrant '(1 2)) " E" " W")))

(defun point-of (point)
  (list (coord "east" point) (coord "north" point) (coord "elevation" point)))

(defun pad (text width)
  (while (< (strlen text) width) (setq text (strcat text " ")))
  text)

;; --- The points: imported, sorted by name, kept as a record table.
(setq points (cf:pointimport (strcat survey_dir$ "survey_points.txt")))
(if (not points) (exit))
(setq points (cf:tablesort points))
(setq table-file (strcat tmpdir$ "survey_points.xml"))
(cf:tablewrite table-file points "points" "survey" "Highway 12 traverse")
(setq points (cf:tableread table-file "points"))

(princ "\nTRAVERSE REPORT - Highway 12")
(princ (strcat "\nSurveyed " (cf:date 7 12 2026 "yyyy-MM-dd")
               ", " (itoa (length points)) " points read back from the record table"))
(princ "\n\nPoint  Northing    Easting     Elev.    Code")
(foreach point points
  (princ (strcat "\n" (pad (car point) 7)
                 (pad (rtos (coord "north" point) 2 3) 12)
                 (pad (rtos (coord "east" point) 2 3) 12)
                 (pad (rtos (coord "elevation" point) 2 3) 9)
                 (field "description" point))))

;; --- The legs, one after the other, with the grade worked out by the expression evaluator.
(princ "\n\nLeg      Bearing            Station    Length      Rise         Grade")
(setq from (car points)
      chainage 0.0)
(foreach to (cdr points)
  (setq dn (- (coord "north" to) (coord "north" from))
        de (- (coord "east" to) (coord "east" from))
        len (sqrt (+ (* dn dn) (* de de)))
        rise (- (coord "elevation" to) (coord "elevation" from))
        chainage (+ chainage len)
        grade (cf:evaluate "[rise]/[length]*100"
                           (list (cons "rise" rise) (cons "length" len))))
  (princ (strcat "\n" (pad (strcat (car from) "-" (car to)) 9)
                 (pad (bearing-text (atan de dn)) 19)
                 (pad (cf:station (rtos chainage 2 2)) 11)
                 (pad (cf:feetinches len) 12)
                 (pad (cf:feetinches rise) 13)
                 (rtos grade 2 2) "%"))
  (setq from to))

;; --- Control points counted with a LIKE test on the code.
(setq control 0)
(foreach point points
  (if (= 1.0 (cf:evaluate "if code like \"CP*\" then 1 else 0"
                          (list (cons "code" (field "description" point)))))
    (setq control (1+ control))))
(princ (strcat "\n\nTotal length " (cf:station (rtos chainage 2 2))
               " (" (cf:feetinches chainage) "), "
               (itoa control) " control points"))

;; --- The drawing: the traverse as lines, each point marked, a leader with the name of the first
;; control point, and the aerial photograph stretched over the traverse's extents.
(setvar "OSMODE" 0)
(apply 'command (append '("_.LINE") (mapcar 'point-of points) '("")))
(foreach point points (command "_.POINT" (point-of point)))
(setq control-point (car points)
      at (point-of control-point)
      leader (cf:leaderarrow (list (+ (car at) 30.0) (- (cadr at) 30.0)) at))
(entmake (list '(0 . "TEXT") (cons 10 (list (+ (car at) 32.0) (- (cadr at) 32.0) 0.0)) '(40 . 5.0)
               (cons 1 (strcat "Control point " (car control-point)))))
(setq west 1e30 south 1e30 east -1e30 north -1e30)
(foreach point points
  (setq west (min west (coord "east" point))
        east (max east (coord "east" point))
        south (min south (coord "north" point))
        north (max north (coord "north" point))))
(setq photo (strcat survey_dir$ "aerial_photo.png")
      attached (cf:attachimage photo (list west south) (list east north) T))
(setq image (if attached (entget (entlast))))

;; Counts the drawing's entities by type, in the order they were first met.
(defun count-by-type (set / i kind found counts)
  (setq i 0)
  (while (< i (sslength set))
    (setq kind (cdr (assoc 0 (entget (ssname set i))))
          found (assoc kind counts)
          counts (if found
                   (subst (cons kind (1+ (cdr found))) found counts)
                   (append counts (list (cons kind 1))))
          i (1+ i)))
  counts)

(setq drawn (ssget "X"))
(princ (strcat "\n\nDrawn: " (itoa (sslength drawn)) " entities ("))
(setq separator "")
(foreach entry (count-by-type drawn)
  (princ (strcat separator (itoa (cdr entry)) " " (car entry)))
  (setq separator ", "))
(princ ")")
(princ (strcat "\nLeader at control point " (car control-point) ": "
               (if leader (strcat (itoa (sslength leader)) " entities") "FAILED")))
(princ (strcat "\nAerial photograph " (if attached "attached" "NOT attached")
               (if image
                 (strcat ", " (rtos (car (cdr (assoc 13 image))) 2 0) " x "
                         (rtos (cadr (cdr (assoc 13 image))) 2 0) " pixels")
                 "")))

;; --- The export for the field crew, and the job remembered in the drawing and the registry.
(setq export-file (strcat tmpdir$ "survey_points.csv"))
(princ (strcat "\nExported to survey_points.csv in the temporary folder: "
               (if (cf:textexport export-file points "," T) "done" "FAILED")))
(princ (strcat "\nFolder of point files remembered: "
               (if (cf:rememberfolder (strcat survey_dir$ "survey_points.txt")) "yes" "no")))
(cf:storagewrite "Survey\\LastJob" "Highway 12")
(princ (strcat "\nDrawing remembers job: " (cf:storageread "Survey\\LastJob")))
(princ (strcat "\nRegistry remembers job: "
               (if (cf:settingwrite "LastJob" "Highway 12")
                 (cf:settingread "LastJob")
                 "(settings key not installed)")))
(princ "\n")
(princ)
