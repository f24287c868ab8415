// Which member of a result buffer's value union a type code uses: ADS result types and DXF group
// codes alike. Shared by the stand-in's list building, releasing and copying.
#pragma once

enum class RbValueKind {
  None,   // no value: list brackets, nil, T, void, the xdata start -3
  String, // rstring, owned by the buffer
  Binary, // rbinary, owned by the buffer
  Real,
  Point, // three doubles (2D points carry z = 0)
  Short,
  Long, // 32-bit
  Name, // entity name or object id as two words
  Unknown
};

RbValueKind rbValueKind(int type);
