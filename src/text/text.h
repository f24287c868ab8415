// Text and numbers: the library's string class, formatted printing and the shared text utilities
// (XML and control escaping, translations, replacement, trimming, fields, paths, plain-text tests).
#pragma once

#include "text/control_escape.h"
#include "text/format.h"
#include "text/ms_string.h"
#include "text/plain_text.h"
#include "text/replace.h"
#include "text/text_copy.h"
#include "text/text_paths.h"
#include "text/text_trim.h"
#include "text/text_words.h"
#include "text/thousands.h"
#include "text/translation.h"
#include "text/xml_escape.h"
