// The record model and its tables: what a caller of the records subsystem includes.
// Fields, records, chains and trees of records, tables, their ordering and sorting, and their
// XML files, byte-stream forms and delimited and name=value text files.
#pragma once

#include "records/byte_buffer.h"
#include "records/child_record_scope.h"
#include "records/delimited_text.h"
#include "records/drawing_storage.h"
#include "records/name_value_file.h"
#include "records/natural_compare.h"
#include "records/record_element.h"
#include "records/record_sort.h"
#include "records/table_file.h"
#include "records/tag_scanner.h"
#include "records/uni_field.h"
#include "records/uni_interfaces.h"
#include "records/uni_record.h"
#include "records/uni_table.h"
