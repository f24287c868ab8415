// Core value types of the host's ADS interface: reals, points, entity names and result buffers.
// Laid out as the 64-bit host kits declare them: an entity name holds two pointer-sized words.
#pragma once

#include <cstdint>

#include "platform/acad/adscodes.h"

typedef double ads_real;
typedef ads_real ads_point[3];
typedef int64_t ads_name[2];
typedef ads_real ads_matrix[4][4];
typedef ads_real* ads_pointp;
typedef int64_t* ads_namep;

enum { X = 0, Y = 1, Z = 2 };
enum { T = 3 };

#define PAUSE "\\"

struct ads_binary {
  short clen;
  char* buf;
};

union ads_u_val {
  ads_real rreal;
  ads_real rpoint[3];
  short rint;
  char* rstring;
  int64_t rlname[2];
  int32_t rlong;
  struct ads_binary rbinary;
  unsigned char ihandle[8];
};

struct resbuf {
  struct resbuf* rbnext;
  short restype;
  union ads_u_val resval;
};

typedef struct resbuf* pResbuf;
typedef const struct resbuf* kpResbuf;

#define acdbNameSet(from, to) ((to)[0] = (from)[0], (to)[1] = (from)[1])
#define acdbPointSet(from, to) ((to)[X] = (from)[X], (to)[Y] = (from)[Y], (to)[Z] = (from)[Z])
#define acdbNameClear(name) ((name)[0] = (name)[1] = 0)
#define acdbNameNil(name) ((name)[0] == 0 && (name)[1] == 0)
#define acdbNameEqual(a, b) ((a)[0] == (b)[0] && (a)[1] == (b)[1])
