// Text and numbers: the library's string class, formatted printing, the shared text utilities
// (XML and control escaping, translations, replacement, trimming, fields, paths, plain-text tests),
// and the survey quantities and dates as the family prints and reads them.
#pragma once

#include "text/angle_format.h"
#include "text/control_escape.h"
#include "text/date_format.h"
#include "text/feet_inches.h"
#include "text/format.h"
#include "text/ms_string.h"
#include "text/number_format.h"
#include "text/plain_text.h"
#include "text/print_pieces.h"
#include "text/replace.h"
#include "text/station_format.h"
#include "text/text_copy.h"
#include "text/text_paths.h"
#include "text/text_trim.h"
#include "text/text_words.h"
#include "text/thousands.h"
#include "text/translation.h"
#include "text/xml_escape.h"
