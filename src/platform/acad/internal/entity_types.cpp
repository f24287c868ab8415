// The entity types the host makes from lists, with the groups each shows, requires and defaults,
// in the host's order.
#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "platform/acad/dbents.h"
#include "platform/acad/internal/entity_store.h"
#include "platform/acad/internal/host_state.h"

namespace sim::detail {
namespace {

GroupRule marker(const char* text) {
  return {100, GroupNeed::Marker, {0, 0, 0}, text};
}
GroupRule required(short code) {
  return {code, GroupNeed::Required, {0, 0, 0}, nullptr};
}
GroupRule fallback(short code, double x = 0, double y = 0, double z = 0) {
  return {code, GroupNeed::Default, {x, y, z}, nullptr};
}
GroupRule fallbackText(short code, const char* text) {
  return {code, GroupNeed::Default, {0, 0, 0}, text};
}
GroupRule optional(short code) {
  return {code, GroupNeed::Optional, {0, 0, 0}, nullptr};
}
GroupRule repeated(short code) {
  return {code, GroupNeed::Repeated, {0, 0, 0}, nullptr};
}
GroupRule count(short code) {
  return {code, GroupNeed::Count, {0, 0, 0}, nullptr};
}
GroupRule normal() {
  return fallback(210, 0, 0, 1);
}

template <class T> std::function<AcDbEntity*()> maker() {
  return [] { return new T(); };
}

std::vector<EntityType> builtInTypes() {
  return {
      {"POINT",
       maker<AcDbPoint>(),
       {marker("AcDbPoint"), required(10), optional(39), normal(), fallback(50)}},
      {"LINE",
       maker<AcDbLine>(),
       {marker("AcDbLine"), optional(39), required(10), required(11), normal()}},
      {"CIRCLE",
       maker<AcDbCircle>(),
       {marker("AcDbCircle"), optional(39), required(10), required(40), normal()}},
      {"ARC",
       maker<AcDbArc>(),
       {marker("AcDbCircle"), optional(39), required(10), required(40), normal(), marker("AcDbArc"),
        required(50), required(51)}},
      {"TEXT",
       maker<AcDbText>(),
       {marker("AcDbText"), optional(39), required(10), required(40), required(1), fallback(50),
        fallback(41, 1), fallback(51), fallbackText(7, "Standard"), fallback(71), fallback(72),
        fallback(11), normal(), marker("AcDbText"), fallback(73)}},
      {"MTEXT",
       maker<AcDbMText>(),
       {marker("AcDbMText"), required(10), fallback(40, 0.2), fallback(41), fallback(71, 1),
        fallback(72, 5), repeated(3), fallbackText(1, ""), fallbackText(7, "Standard"), normal(),
        fallback(11, 1, 0, 0), fallback(50), fallback(73, 1), fallback(44, 1)},
       "AcDbMText"},
      {"SOLID",
       maker<AcDbSolid>(),
       {marker("AcDbTrace"), optional(39), required(10), required(11), required(12), optional(13),
        normal()}},
      {"LWPOLYLINE",
       maker<AcDbPolyline>(),
       {marker("AcDbPolyline"), count(90), fallback(70), optional(43), fallback(38), fallback(39),
        repeated(10), repeated(40), repeated(41), repeated(42), normal()},
       "AcDbPolyline",
       1},
      {"INSERT",
       maker<AcDbBlockReference>(),
       {marker("AcDbBlockReference"), optional(66), required(2), required(10), fallback(41, 1),
        fallback(42, 1), fallback(43, 1), fallback(50), optional(70), optional(71), optional(44),
        optional(45), normal()}},
      {"WIPEOUT",
       maker<AcDbWipeout>(),
       {marker("AcDbWipeout"), fallback(90), required(10), required(11), required(12),
        fallback(13, 1, 1, 0), fallback(70, 7), fallback(280, 1), fallback(281, 50),
        fallback(282, 50), fallback(283), fallback(71, 2), count(91), repeated(14)},
       "AcDbWipeout",
       3},
  };
}

struct TypeRegistry {
  std::mutex guard;
  std::map<std::string, std::unique_ptr<EntityType>> types; // by upper-cased name
  TypeRegistry() {
    for (EntityType& type : builtInTypes()) {
      const std::string key = type.name;
      types[key] = std::make_unique<EntityType>(std::move(type));
    }
  }
};

// Process-wide: types are the host's program, not a session's state. Never destroyed, so that
// entities deleted at exit still find their types.
TypeRegistry& registry() {
  static auto* types = new TypeRegistry();
  return *types;
}

} // namespace

void registerEntityType(EntityType type) {
  TypeRegistry& types = registry();
  std::lock_guard<std::mutex> lock(types.guard);
  const std::string key = upperCase(type.name);
  types.types[key] = std::make_unique<EntityType>(std::move(type));
}

const EntityType* findEntityType(const std::string& name) {
  TypeRegistry& types = registry();
  std::lock_guard<std::mutex> lock(types.guard);
  auto found = types.types.find(upperCase(name));
  return found == types.types.end() ? nullptr : found->second.get();
}

EntityGroups defaultOwnGroups(const char* typeName) {
  EntityGroups groups;
  const EntityType* type = findEntityType(typeName);
  if (type == nullptr) {
    return groups;
  }
  for (const GroupRule& rule : type->rules) {
    if (rule.need == GroupNeed::Optional || rule.need == GroupNeed::Repeated) {
      continue;
    }
    EntityGroup group;
    group.code = rule.code;
    std::copy(rule.values, rule.values + 3, group.values);
    group.integer = static_cast<int32_t>(rule.values[0]);
    group.text = rule.text != nullptr ? rule.text : "";
    if (rule.need == GroupNeed::Count) {
      group.integer = 0;
    }
    groups.push_back(std::move(group));
  }
  return groups;
}

} // namespace sim::detail
