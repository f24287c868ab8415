// Definitions expanded into tile trees, and the built-in base of standard tiles.
#include "platform/acad/internal/dcl_reader.h"

#include <algorithm>
#include <set>

namespace sim::detail {
namespace {

// The tiles the host draws itself; every other name is defined in DCL, here or in the base.
constexpr std::string_view kBuiltInTiles[] = {
    "tile",
    "dialog",
    "cluster",
    "row",
    "column",
    "boxed_row",
    "boxed_column",
    "radio_row",
    "radio_column",
    "boxed_radio_row",
    "boxed_radio_column",
    "button",
    "edit_box",
    "text",
    "text_part",
    "concatenation",
    "paragraph",
    "toggle",
    "radio_button",
    "popup_list",
    "list_box",
    "image",
    "image_button",
    "slider",
    "spacer",
    "dcl_settings",
};

// The standard prototypes and subassemblies, with the keys programs rely on ("accept",
// "cancel", "help", "info", "error").
constexpr std::string_view kBaseText = R"(
spacer_0 : spacer { width = 0; height = 0; horizontal_margin = none; vertical_margin = none; }
spacer_1 : spacer { width = 1; height = 1; horizontal_margin = none; vertical_margin = none; }
default_dcl_settings : dcl_settings { audit_level = 1; }
default_button : button { is_default = true; }
retirement_button : button { fixed_width = true; width = 8; alignment = centered; }
ok_button : retirement_button { label = "  OK  "; key = "accept"; is_default = true; }
cancel_button : retirement_button { label = "Cancel"; key = "cancel"; is_cancel = true; }
help_button : retirement_button { label = "&Help..."; key = "help"; }
info_button : retirement_button { label = "&Info..."; key = "info"; }
ok_only : column {
  fixed_width = true; alignment = centered;
  : ok_button { is_cancel = true; }
}
ok_cancel : column {
  : row { fixed_width = true; alignment = centered; ok_button; : spacer { width = 2; } cancel_button; }
}
ok_cancel_help : column {
  : row { fixed_width = true; alignment = centered; ok_button; : spacer { width = 2; }
          cancel_button; : spacer { width = 2; } help_button; }
}
ok_cancel_help_info : column {
  : row { fixed_width = true; alignment = centered; ok_button; : spacer { width = 2; }
          cancel_button; : spacer { width = 2; } help_button; : spacer { width = 2; } info_button; }
}
errtile : text { label = ""; key = "error"; is_error_tile = true; }
ok_cancel_err : column { ok_cancel; errtile; }
ok_cancel_help_errtile : column { ok_cancel_help; errtile; }
edit12_box : edit_box { edit_width = 12; edit_limit = 12; }
edit32_box : edit_box { edit_width = 32; edit_limit = 32; }
image_block : image { key = "show_image"; aspect_ratio = 1; color = 0; }
icon_image : image_button { color = 0; width = 15; aspect_ratio = 1; allow_accept = true; }
text_25 : text { width = 25; }
)";

// Larger trees than any dialog shows come from a file that multiplies its tiles; refused.
constexpr int kMaxTiles = 20000;
constexpr int kMaxDepth = 100;

bool isBuiltIn(const std::string& name) {
  return std::find(std::begin(kBuiltInTiles), std::end(kBuiltInTiles), name) !=
         std::end(kBuiltInTiles);
}

void setAttribute(DclTile& tile, const DclAttribute& attribute, bool replace) {
  for (DclAttribute& held : tile.attributes) {
    if (held.name == attribute.name) {
      if (replace) {
        held = attribute;
      }
      return;
    }
  }
  tile.attributes.push_back(attribute);
}

class Expander {
public:
  explicit Expander(const DclLibrary& library) : library_(library) {}

  // Names in the base's own definitions are the base's: a file that redefines a standard tile
  // (dcl_settings : default_dcl_settings) changes what it uses, not what the base is made of.
  bool named(const std::string& name, DclTile& out, int depth, bool inBase = false) {
    bool fromBase = inBase;
    const DclNode* definition = find(name, fromBase);
    if (definition == nullptr) {
      if (isBuiltIn(name)) {
        out = DclTile{name, {}, {}};
        return count();
      }
      return fail("tile '" + name + "' is not defined");
    }
    if (!expanding_.insert(definition).second) {
      return fail("tile '" + name + "' is defined in terms of itself");
    }
    const bool made = node(*definition, out, depth, fromBase);
    expanding_.erase(definition);
    return made;
  }

  std::string error;

private:
  // The definition of name: the file's own unless looking from the base; fromBase tells which.
  const DclNode* find(const std::string& name, bool& fromBase) const {
    if (!fromBase) {
      const auto found = library_.find(name);
      if (found != library_.end()) {
        return &found->second;
      }
    }
    const DclLibrary& base = dclBase();
    const auto found = base.find(name);
    fromBase = true;
    return found != base.end() ? &found->second : nullptr;
  }

  bool fail(const std::string& message) {
    if (error.empty()) {
      error = message;
    }
    return false;
  }

  bool count() { return ++tiles_ <= kMaxTiles || fail("too many tiles"); }

  // A definition or reference: its bases (leftmost wins), then its own attributes and tiles.
  bool node(const DclNode& source, DclTile& out, int depth, bool inBase) {
    if (depth > kMaxDepth) {
      return fail("tiles nested too deeply");
    }
    out = DclTile{};
    for (size_t index = 0; index < source.bases.size(); ++index) {
      DclTile base;
      if (!named(source.bases[index], base, depth + 1, inBase)) {
        return false;
      }
      if (index == 0) {
        out = std::move(base);
        continue;
      }
      for (const DclAttribute& attribute : base.attributes) {
        setAttribute(out, attribute, false);
      }
    }
    for (const DclAttribute& attribute : source.attributes) {
      setAttribute(out, attribute, true);
    }
    for (const DclNode& child : source.children) {
      DclTile tile;
      if (!node(child, tile, depth + 1, inBase)) {
        return false;
      }
      out.children.push_back(std::move(tile));
    }
    return true;
  }

  const DclLibrary& library_;
  std::set<const DclNode*> expanding_;
  int tiles_ = 0;
};

DclLibrary readBase() {
  DclText text;
  std::string error;
  DclLibrary base;
  if (parseDcl(kBaseText, text, error)) {
    for (DclNode& definition : text.definitions) {
      base[definition.name] = std::move(definition);
    }
  }
  return base;
}

} // namespace

const std::string* DclTile::attribute(std::string_view name) const {
  for (const DclAttribute& held : attributes) {
    if (held.name == name) {
      return &held.value;
    }
  }
  return nullptr;
}

bool DclTile::isTrue(std::string_view name) const {
  const std::string* value = attribute(name);
  return value != nullptr && *value == "true";
}

const DclLibrary& dclBase() {
  static const DclLibrary base = readBase();
  return base;
}

bool expandDcl(const DclLibrary& library, const std::string& name, DclTile& out,
               std::string& error) {
  try {
    Expander expander(library);
    if (expander.named(name, out, 0)) {
      return true;
    }
    error = expander.error;
  } catch (const std::bad_alloc&) {
    error = "out of memory";
  }
  return false;
}

void collectKeyedTiles(const DclTile& root, std::vector<const DclTile*>& out) {
  if (root.attribute("key") != nullptr) {
    out.push_back(&root);
  }
  for (const DclTile& child : root.children) {
    collectKeyedTiles(child, out);
  }
}

} // namespace sim::detail
