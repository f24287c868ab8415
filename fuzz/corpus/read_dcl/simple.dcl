ask : dialog {
  label = "Name";
  : edit_box { key = "value"; edit_width = 20; }
  ok_cancel;
}
