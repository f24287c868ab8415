// The host's programmable dialogs (DCL): dialog files loaded, dialogs shown and their tiles.
//
// A file is loaded (ads_load_dialog), a dialog of it made (ads_new_dialog), its tiles set and
// given actions, then run (ads_start_dialog) until an action ends it (ads_done_dialog) or the
// person cancels; the file is then unloaded (ads_unload_dialog). Every call answers RTNORM on
// success and RTERROR otherwise. Tile keys are case-sensitive.
#pragma once

#include <cstddef>

#include "platform/acad/adscodes.h"

typedef void* ads_hdlg;
typedef void* ads_htile;

// What an action is told: the dialog and tile, the tile's value, the tile's client data and why
// the action runs (CBR_*).
typedef struct {
  ads_hdlg dialog;
  ads_htile tile;
  char* value;
  void* client_data;
  int reason;
  long x, y;
} ads_callback_packet;

typedef void (*CLIENTFUNC)(ads_callback_packet* cpkt);
#define NULLCB ((CLIENTFUNC)0)
#define BAD_DIALOG NULL

// Why an action runs.
#define CBR_SELECT 1       // the tile was chosen (a button pressed, a value set)
#define CBR_LOST_FOCUS 2   // an edit box was left without a final choice
#define CBR_DRAG 3         // a slider's interim value
#define CBR_DOUBLE_CLICK 4 // a list or image double-clicked

// How a dialog ended (ads_start_dialog's status).
#define DLGCANCEL 0   // Cancel or ESC
#define DLGOK 1       // OK
#define DLGALLDONE -1 // ended by ads_term_dialog
#define DLGSTATUS 2   // the first status a program may give ads_done_dialog

// ads_start_list operations.
#define LIST_CHANGE 1
#define LIST_APPEND 2
#define LIST_NEW 3

// ads_mode_tile modes.
#define MODE_ENABLE 0
#define MODE_DISABLE 1
#define MODE_SETFOCUS 2
#define MODE_SETSEL 3
#define MODE_FLIP 4

#define MAX_TILE_STR 40
#define TILE_STR_LIMIT 2035

// Loads a DCL file: ".dcl" is added to a name without an extension, and a name without a folder
// is looked for in the drawing's folder, then the support folders. *dcl_id is the file's id (> 0),
// or -1 with RTERROR when the file is missing or has errors (the host reports them).
int ads_load_dialog(const char* dclfile, int* dcl_id);
// Unloads a file; RTERROR for an id not loaded.
int ads_unload_dialog(int dcl_id);
// Makes the dialog of that name from a loaded file, not shown yet; def is the action of tiles that
// have none of their own (NULLCB: none). *hdlg is BAD_DIALOG with RTERROR when the file has no
// such dialog.
int ads_new_dialog(const char* dlgname, int dcl_id, CLIENTFUNC def, ads_hdlg* hdlg);
// As ads_new_dialog, placed at x, y (-1, -1: centred).
int ads_new_positioned_dialog(const char* dlgname, int dcl_id, CLIENTFUNC def, int x, int y,
                              ads_hdlg* hdlg);
// Shows the dialog and returns when it ends, with the status it ended with; the dialog is gone
// then.
int ads_start_dialog(ads_hdlg hdlg, int* status);
// Ends every dialog shown (DLGALLDONE) and those made and not shown.
int ads_term_dialog(void);
// From an action: ends the dialog with status (DLGOK, DLGCANCEL or DLGSTATUS and up).
int ads_done_dialog(ads_hdlg hdlg, int status);
// As ads_done_dialog; *x_result, *y_result give where the dialog was.
int ads_done_positioned_dialog(ads_hdlg hdlg, int status, int* x_result, int* y_result);
// Gives the tile an action (the last one given wins over the file's and the default).
int ads_action_tile(ads_hdlg hdlg, const char* key, CLIENTFUNC tileaction);
// Gives the tile data that its actions are passed.
int ads_client_data_tile(ads_hdlg hdlg, const char* key, void* clientdata);
// Sets a tile's value.
int ads_set_tile(ads_hdlg hdlg, const char* key, const char* value);
// Copies a tile's value into value, cut to maxlen - 1 bytes and ended by a null.
int ads_get_tile(ads_hdlg hdlg, const char* key, char* value, int maxlen);
// Copies a tile's attribute as the file gives it (a string without quotes); the empty text for
// an attribute the tile does not have.
int ads_get_attr(ads_hdlg hdlg, const char* key, char* attr, char* value, int len);
// As ads_get_attr, for the tile an action was passed.
int ads_get_attr_string(ads_htile tile, char* attr, char* value, int len);
// Enables, disables or focuses a tile, or selects an edit box's text (MODE_*).
int ads_mode_tile(ads_hdlg hdlg, const char* key, short mode);
