// The family's standard dialogs: a short message, and one line of text asked for.
// Programs find their tiles by key: "msg" and "ok" in qvan_alert; "prompt", "value", "ok" and
// "cancel" in qvan_get_string. The program gives each "ok" its action and sets the caption.

qvan_button : button {
  width = 10;
  fixed_width = true;
}

qvan_alert : dialog {
  label = "Quorvane";
  : text {
    key = "msg";
    width = 52;                // messages shown here are at most 50 characters
  }
  spacer;
  : qvan_button {
    key = "ok";
    label = "OK";
    alignment = centered;
    is_default = true;
    is_cancel = true;          // ESC closes the message as OK does
  }
}

qvan_get_string : dialog {
  label = "Quorvane";
  initial_focus = "value";
  : text {
    key = "prompt";
    width = 40;
  }
  : edit_box {
    key = "value";
    value = "";
    edit_width = 40;
    edit_limit = 256;
    allow_accept = true;       // Enter in the box accepts
  }
  spacer;
  : row {
    fixed_width = true;
    alignment = centered;
    : qvan_button { key = "ok"; label = "OK"; is_default = true; }
    : qvan_button { key = "cancel"; label = "Cancel"; is_cancel = true; }
  }
}
