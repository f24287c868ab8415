// The stand-in host's entities as DXF group lists: the rules of each entity type, the making and
// changing of entities from lists (shared by acdbEntMake, acdbEntMod, the host's own commands and
// AutoLISP), the walk over a drawing's entities, and the symbol-table lookups they need.
#pragma once

#include <functional>
#include <string>

#include "platform/acad/adsdef.h"
#include "platform/acad/dbmain.h"

class AcDbSymbolTable;

namespace sim::detail {

// The host's error numbers (ERRNO) of the entity calls.
namespace entity_errno {
constexpr int kBadName = 2;        // a name of no entity
constexpr int kEmptyDrawing = 10;  // no entity to give
constexpr int kBadHandle = 13;     // a text that is not a handle
constexpr int kNoHandle = 14;      // a handle of no entity
constexpr int kTypeChanged = 24;   // entmod of another type
constexpr int kBadLayer = 25;      // a layer name the host refuses
constexpr int kBadColor = 27;      // a colour beyond 0 to 256
constexpr int kBadStyle = 28;      // a text style the drawing lacks
constexpr int kDeleted = 31;       // entmod of a deleted entity
constexpr int kHandleChanged = 33; // entmod of another handle
constexpr int kUnknownType = 36;   // entmake of an unknown type
constexpr int kBadNormal = 42;     // an extrusion of length 0
constexpr int kMissingGroup = 47;  // a required group left out
constexpr int kBadXdataType = 48;  // extended data with a wrong group code
constexpr int kXdataAppMod = 50;   // entmod: extended data of an unregistered application
constexpr int kXdataSize = 51;     // extended data beyond the size allowed
constexpr int kXdataAppMake = 53;  // entmake: extended data of an unregistered application
constexpr int kRegenNeeded = 23;   // entmod refused until the drawing is regenerated
} // namespace entity_errno

// ---- Entity types
// How a group of a type's own data is given.
enum class GroupNeed {
  Marker,   // a subclass marker (100, text), always shown
  Required, // must be given when the entity is made
  Default,  // takes its default when left out, always shown
  Optional, // shown only when given
  Repeated, // one element of a run (LWPOLYLINE vertices, WIPEOUT clip points): see below
  Count,    // the number of elements of the run (90 of LWPOLYLINE), computed
};

struct GroupRule {
  short code = 0;
  GroupNeed need = GroupNeed::Default;
  double values[3] = {0, 0, 0}; // the default of a real or point, or an integer in values[0]
  const char* text = nullptr;   // the default of a string, a marker's text
};

// A type of entity. The own groups are shown in the order of rules; a run of Repeated rules
// forms elements that each start with the run's first code (a vertex: 10, then 40, 41, 42).
struct EntityType {
  const char* name = nullptr; // group 0
  std::function<AcDbEntity*()> make;
  std::vector<GroupRule> rules;
  const char* requiredMarker = nullptr; // a marker the making list must hold; null: none
  int leastElements = 0;                // fewest elements of the run when made
};

// Adds a type of entity (an image, from the raster-image part of the host), so that lists of
// that type are made and changed by the same rules. A later type of the same name replaces the
// earlier.
void registerEntityType(EntityType type);
// The type of that group 0 (matched without regard to case); null when unknown.
const EntityType* findEntityType(const std::string& name);
// The own groups a new entity of the type has: defaults, required groups zero.
EntityGroups defaultOwnGroups(const char* typeName);

// ---- Making and changing
// The outcome of a list check: eOk, or the refusal with the host's ERRNO number.
struct ListVerdict {
  Acad::ErrorStatus status = Acad::eOk;
  int errnoValue = 0;
};

// Makes an entity from a list as acdbEntMake does, in model space (paper space with 67 = 1) of
// db, without a planned failure of its own; the new entity is closed. eOk with id set; the
// verdict's refusal, with nothing made, otherwise.
ListVerdict makeEntity(AcDbDatabase& db, const resbuf* groups, AcDbObjectId& id);
// Changes an entity from a list as acdbEntMod does (the entity closed; checked, not opened).
ListVerdict modifyEntity(AcDbEntity& entity, const resbuf* groups);

// ---- Group lists
// The entity's list as acdbEntGet gives it, followed by the extended data of the applications
// that match apps (see acdbEntGetX; null apps: none). Null when memory runs out.
resbuf* entityList(const AcDbEntity& entity, const resbuf* apps);
// Fills group from one result buffer; false when the code has no known value kind.
bool groupFromItem(const resbuf& item, EntityGroup& group);
// A new result buffer holding the group; null when memory runs out.
resbuf* itemFromGroup(const EntityGroup& group);
// Merges the extended data of a list (1001 name, groups; repeated per application) into the
// current groups, as setXData does: eInvalidResBuf, eRegappIdNotFound, eXdataSizeExceeded.
Acad::ErrorStatus mergeXData(AcDbDatabase* db, const EntityGroups& current, const resbuf* list,
                             EntityGroups& merged);

// ---- Names
// Names and ids: a name's first word holds the database's serial over the object's place, the
// second word is 0. The id of a name is null for a name of no object of a live database.
AcDbObjectId idOfName(const ads_name name);
void nameOfId(AcDbObjectId id, ads_name name);
// The entity of a name: null for a name of no entity of a live database.
AcDbEntity* entityOfName(const ads_name name);
// True when the entity lies in model space or paper space of its database.
bool isMainEntity(const AcDbEntity& entity);

// ---- Walk
// Calls visit for each entity of model space and paper space, in the order made, erased ones
// skipped; visit answers false to stop. entityGroups gives an entity's groups without making a
// list.
using EntityVisit = std::function<bool(AcDbObjectId id, const AcDbEntity& entity)>;
void forEachEntity(AcDbDatabase& db, const EntityVisit& visit);
// The groups of the entity's list as acdbEntGet gives them (no extended data), in groups.
void entityGroups(const AcDbEntity& entity, EntityGroups& groups);

// ---- Symbol tables
// The record of name in a table of db (without regard to case); null when none.
AcDbObjectId findSymbol(AcDbDatabase& db, AcDbObjectId table, const std::string& name);
// The name of a symbol table record; empty for another object.
std::string symbolName(AcDbObjectId record);
// True for a name the host accepts for a symbol table record.
bool isValidSymbolName(const std::string& name);
// The layer of that name in db, made with the host's defaults when missing. eOk; eInvalidInput
// for a name the host refuses; eOutOfMemory.
Acad::ErrorStatus layerOnDemand(AcDbDatabase& db, const std::string& name, AcDbObjectId& layer);
// The model-space (or paper-space) block table record of db; null when db has none.
AcDbObjectId spaceBlock(AcDbDatabase& db, bool paperSpace);

// ---- Regeneration
// True while acdbEntMod refuses until "_.REGEN" runs (sim::refuseEntModUntilRegen).
bool entModWaitsForRegen();
// Called by "_.REGEN": acdbEntMod works again.
void drawingRegenerated();

} // namespace sim::detail

// Makes an entity from a group list for the host's own use (its commands), with the checks of
// acdbEntMake, in model space (paper space with (67 . 1)); the entity is closed. Not a call
// that can be made to fail on purpose. eOk with id set; eInvalidInput (ERRNO set as acdbEntMake
// sets it) when the list is refused, with nothing made.
Acad::ErrorStatus makeEntityFromList(AcDbDatabase& db, const resbuf* groups, AcDbObjectId& id);
