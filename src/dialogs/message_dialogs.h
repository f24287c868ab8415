// The family's message and prompt dialogs ("qvan_alert" and "qvan_get_string" of "qvanfile.dcl"
// in the family's LISP folder), with the host's alert box where the family dialog cannot be used.
#pragma once

namespace qv {

// Shows message and waits until the person closes it. A message of at most 50 characters without
// a line break goes to the family's dialog when lspdir$ names a folder holding "qvanfile.dcl"
// with "qvan_alert"; any other message, or any failure on the way, goes to the host's alert box
// (acedAlert), so the message is shown once (after an empty family dialog when the host refused
// to put the message into it). A null message is shown as the empty text.
void showAlert(const char* message);

// Asks for one line of text in "qvan_get_string": prompt in its "prompt" tile, title as the
// dialog's caption. The folder is lspdir$, or mc_lspdir$ when lspdir$ is unset. Returns RTNORM
// when the person accepted, with the edit box's text (cut to maxLength - 1 characters) in
// output; RTCAN when they cancelled, with output as it was; RTERROR, with "Can not load a
// dialog definition\n" on the command line, when the file or the dialog cannot be loaded. A null
// output or a maxLength below 1, a dialog that the host cannot show, or a box that could not be
// read when the person accepted, answers RTERROR with output untouched.
int askString(const char* prompt, const char* title, char* output, int maxLength);

// As above, with initial (unless null) in the edit box when the dialog opens.
int askString(const char* prompt, const char* title, const char* initial, char* output,
              int maxLength);

} // namespace qv
