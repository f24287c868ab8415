// The record model and its tables: what a caller of the records subsystem includes.
// Fields, records, chains and trees of records, tables, their natural ordering and sorting.
#pragma once

#include "records/child_record_scope.h"
#include "records/delimited_text.h"
#include "records/name_value_file.h"
#include "records/natural_compare.h"
#include "records/record_sort.h"
#include "records/uni_field.h"
#include "records/uni_interfaces.h"
#include "records/uni_record.h"
#include "records/uni_table.h"
