// Internal to the stand-in's dialogs: the DCL language read into definitions, and definitions
// expanded into the tree of tiles a dialog shows.
//
// A file is a list of definitions, `name : base [: base ...] { attribute = value; ... tiles }`,
// and `@include "file.dcl"` lines. A tile inside a body is a reference, `name;` (taken whole) or
// `: name [: name ...] { ... }` (its attributes changed and tiles added). Names, attributes and
// values are case-sensitive; text is taken as bytes (files are in the writer's code page).
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace sim::detail {

struct DclAttribute {
  std::string name;
  std::string value;   // a string's text without quotes and escapes, else the word or number
  bool quoted = false; // a string rather than a number or a reserved word
};

// A definition (name set) or a reference inside a body (name empty).
struct DclNode {
  std::string name;
  std::vector<std::string> bases; // leftmost first; the one name of a `name;` reference
  std::vector<DclAttribute> attributes;
  std::vector<DclNode> children;
  bool hasBody = false; // `: name { ... }` rather than `name;`
  int line = 0;
};

// One file's text read: its definitions and the files it includes, each in the order written.
struct DclText {
  std::vector<DclNode> definitions;
  std::vector<std::string> includes;
};

// Reads DCL text. False with error set ("line 3: ...") on the first syntax error.
bool parseDcl(std::string_view text, DclText& out, std::string& error);

// The definitions in force: a later definition of a name replaces an earlier one.
using DclLibrary = std::map<std::string, DclNode>;

// A tile as a dialog shows it: its kind (the built-in tile it comes from) with every attribute
// inherited or set, and its tiles in the order written.
struct DclTile {
  std::string kind;
  std::vector<DclAttribute> attributes;
  std::vector<DclTile> children;

  // The attribute's value, or null when the tile has none.
  const std::string* attribute(std::string_view name) const;
  // True when the attribute is the reserved word true.
  bool isTrue(std::string_view name) const;
};

// Expands the named definition of the library (the built-in base under it) into its tile tree.
// False with error set for a name defined nowhere, a definition that refers to itself, or a tree
// too deep or too large for a dialog.
bool expandDcl(const DclLibrary& library, const std::string& name, DclTile& out,
               std::string& error);

// The built-in base: the standard prototypes and subassemblies every DCL file may use
// (ok_cancel, errtile, spacer, boxed_column, ...).
const DclLibrary& dclBase();

// The keyed tiles of a tree in the order written (the tree's root first).
void collectKeyedTiles(const DclTile& root, std::vector<const DclTile*>& out);

} // namespace sim::detail
