b : button { width = 4; }
/* prototypes */ d : dialog { : row { : b { key = "one"; } : b { key = "two"; } } ok_only; } // end
