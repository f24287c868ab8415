d : dialog {
  label = "Fenêtre";
  : radio_row { : radio_button { key = "r"; value = 1; } }
  : errtile { };
  ok_cancel_help_errtile;
}
