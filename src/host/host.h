// The host bridge: the module's entry and function table, AutoLISP symbols, system variables,
// the family's AutoLISP calls, the numeric-string test, the user-break latch, file names and
// plain file operations.
#pragma once

#include "host/associated_command.h"
#include "host/editor_reactor.h"
#include "host/family_calls.h"
#include "host/file_dialogs.h"
#include "host/file_names.h"
#include "host/file_operations.h"
#include "host/folders.h"
#include "host/lisp_symbols.h"
#include "host/lisp_table.h"
#include "host/module_entry.h"
#include "host/numeric_string.h"
#include "host/project_file.h"
#include "host/result_lists.h"
#include "host/symbol_files.h"
#include "host/sys_vars.h"
#include "host/user_break.h"
