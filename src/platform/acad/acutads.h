// The host's memory and result-buffer calls, and its command-line output.
// Every block and result buffer handed out is counted by the stand-in (see platform/sim.h).
#pragma once

#include <cstddef>

#include "platform/acad/adsdef.h"

// Host allocator. Texts that the host or the library hands back are allocated here and freed by
// the receiver with acad_free. acad_free(nullptr) does nothing; freeing a pointer the allocator
// never handed out, or freeing twice, is reported by the stand-in and otherwise ignored.
void* acad_malloc(size_t size);
void* acad_realloc(void* block, size_t size);
void acad_free(void* block);
// A host-allocated copy of a text (null for a null text).
char* acad_strdup(const char* text);

// One result buffer of the given type with a zeroed value and no successor; null on failure.
// The caller owns string values: an RTSTR buffer starts with a null rstring.
struct resbuf* acutNewRb(int type);
// Releases a whole list from its head, with the strings and binary chunks of its items. RTNORM.
int acutRelRb(struct resbuf* list);
// Builds a list from (type, value) pairs ending with 0 or RTNONE. Strings are copied; points are
// passed as ads_point, entity names as ads_name, RTLONG values as int32_t, RTSHORT as int.
// RTLB, RTLE, RTDOTE, RTNIL, RTT, RTVOID and -3 take no value; group 0 is written RTDXF0.
// Null when the terminator is the only argument or a type is not known.
struct resbuf* acutBuildList(int type, ...);

// ---- Geometry
// The angle in radians, 0 to 2*pi, from p1 to p2 in the XY plane (Z is left out), measured
// counter-clockwise from the X axis; 0 for equal points.
ads_real acutAngle(const ads_point pt1, const ads_point pt2);
// The point at dist from pt in the direction angle (XY plane; Z as pt's).
void acutPolar(const ads_point pt, ads_real angle, ads_real dist, ads_point result);
// The distance between two points in space.
ads_real acutDistance(const ads_point pt1, const ads_point pt2);

// Prints to the host's command line. One call prints at most 132 characters, as the host's
// own buffer holds; the rest is cut. Answers RTNORM.
int acutPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Wild-card match of a text against a pattern (# @ . * ? ~ [...] [~...] ` and commas between
// alternatives; only the first 500 characters of each count). RTNORM on a match, RTERROR
// otherwise or for a null argument. Case counts.
int acutWcMatch(const char* string, const char* pattern);
// As acutWcMatch, answering true on a match, without regard to case when ignoreCase is set.
bool acutWcMatchEx(const char* string, const char* pattern, bool ignoreCase);
