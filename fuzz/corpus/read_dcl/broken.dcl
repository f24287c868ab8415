d : dialog { label = "esc \" \\ \n"; : text { key = "t" } }
