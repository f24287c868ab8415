// Entities as DXF group lists: reading lists into groups, checking them against the entity's
// type, making and changing entities, and giving their lists back.
#include "platform/acad/internal/entity_store.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/acad/acutads.h"
#include "platform/acad/dbsymtb.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/internal/rb_kinds.h"
#include "platform/acad/internal/wildcard_match.h"

namespace sim::detail {
namespace {

namespace ol = entity_errno;

constexpr size_t kMaxXdataBytes = 16383;

ListVerdict refuse(int errnoValue, Acad::ErrorStatus status = Acad::eInvalidInput) {
  return {status, errnoValue};
}

bool sameText(const std::string& left, const std::string& right) {
  return upperCase(left) == upperCase(right);
}

// What a list says, apart from the type's own groups.
struct ParsedList {
  std::string type;
  bool hasType = false;
  bool hasName = false;
  ads_name name = {0, 0};
  bool hasHandle = false;
  std::string handle;
  bool hasLayer = false;
  std::string layer;
  bool hasColor = false;
  int color = 256;
  bool paperSpace = false;
  std::vector<std::string> markers;
  EntityGroups own;              // every other group, in order
  const resbuf* xdata = nullptr; // the items after -3
  bool hasXdata = false;
  bool unknownCode = false;
};

ParsedList parseList(const resbuf* list) {
  ParsedList parsed;
  int position = 0;
  for (const resbuf* item = list; item != nullptr; item = item->rbnext, ++position) {
    const int code = item->restype;
    if (code == -3) {
      parsed.hasXdata = true;
      parsed.xdata = item->rbnext;
      break;
    }
    EntityGroup group;
    if (!groupFromItem(*item, group)) {
      parsed.unknownCode = true;
      continue;
    }
    switch (code) {
    case -1:
      parsed.hasName = true;
      parsed.name[0] = item->resval.rlname[0];
      parsed.name[1] = item->resval.rlname[1];
      break;
    case 0:
      // The type comes first, or second after the name.
      if (!parsed.hasType && (position == 0 || (position == 1 && parsed.hasName))) {
        parsed.hasType = true;
        parsed.type = group.text;
      }
      break;
    case 5:
      parsed.hasHandle = true;
      parsed.handle = group.text;
      break;
    case 8:
      parsed.hasLayer = true;
      parsed.layer = group.text;
      break;
    case 62:
      parsed.hasColor = true;
      parsed.color = group.integer;
      break;
    case 67:
      parsed.paperSpace = group.integer == 1;
      break;
    case 100:
      parsed.markers.push_back(group.text);
      break;
    case -2:
    case 102:
    case 330:
    case 360:
    case 410:
      break; // the host's own links, not taken from a list
    default:
      parsed.own.push_back(std::move(group));
    }
  }
  return parsed;
}

const EntityGroup* firstOf(const EntityGroups& groups, short code) {
  for (const EntityGroup& group : groups) {
    if (group.code == code) {
      return &group;
    }
  }
  return nullptr;
}

EntityGroup ruleDefault(const GroupRule& rule) {
  EntityGroup group;
  group.code = rule.code;
  for (int i = 0; i < 3; ++i) {
    group.values[i] = rule.values[i];
  }
  group.integer = static_cast<int32_t>(rule.values[0]);
  group.text = rule.text != nullptr ? rule.text : "";
  return group;
}

// The elements of the type's run found in groups: each starts at the run's first code.
std::vector<EntityGroups> runElements(const std::vector<GroupRule>& run,
                                      const EntityGroups& groups) {
  std::vector<EntityGroups> elements;
  for (const EntityGroup& group : groups) {
    size_t at = 0;
    while (at < run.size() && run[at].code != group.code) {
      ++at;
    }
    if (at == run.size()) {
      continue;
    }
    if (at == 0) {
      EntityGroups element;
      for (const GroupRule& rule : run) {
        element.push_back(ruleDefault(rule));
      }
      elements.push_back(std::move(element));
    }
    if (!elements.empty()) {
      elements.back()[at] = group;
    }
  }
  return elements;
}

// The own groups of an entity of type from the groups given, the entity's current ones filling
// what is not given (current null: a new entity, defaults filling it).
ListVerdict buildOwnGroups(const EntityType& type, const EntityGroups& given,
                           const EntityGroups* current, EntityGroups& out) {
  std::vector<GroupRule> run;
  for (const GroupRule& rule : type.rules) {
    if (rule.need == GroupNeed::Repeated) {
      run.push_back(rule);
    }
  }
  std::vector<EntityGroups> elements;
  if (!run.empty()) {
    elements = runElements(run, given);
    if (elements.empty() && current != nullptr) {
      elements = runElements(run, *current);
    }
    if (current == nullptr && static_cast<int>(elements.size()) < type.leastElements) {
      return refuse(ol::kMissingGroup);
    }
  }
  bool runShown = false;
  for (const GroupRule& rule : type.rules) {
    const EntityGroup* found = nullptr;
    if (rule.need != GroupNeed::Marker && rule.need != GroupNeed::Repeated &&
        rule.need != GroupNeed::Count) {
      found = firstOf(given, rule.code);
      if (found == nullptr && current != nullptr) {
        found = firstOf(*current, rule.code);
      }
    }
    switch (rule.need) {
    case GroupNeed::Marker:
      out.push_back(ruleDefault(rule));
      break;
    case GroupNeed::Required:
      if (found == nullptr) {
        return refuse(ol::kMissingGroup);
      }
      out.push_back(*found);
      break;
    case GroupNeed::Default:
      out.push_back(found != nullptr ? *found : ruleDefault(rule));
      break;
    case GroupNeed::Optional:
      if (found != nullptr) {
        out.push_back(*found);
      }
      break;
    case GroupNeed::Count: {
      EntityGroup counted = ruleDefault(rule);
      counted.integer = static_cast<int32_t>(elements.size());
      out.push_back(counted);
      break;
    }
    case GroupNeed::Repeated:
      if (!runShown) {
        runShown = true;
        for (const EntityGroups& element : elements) {
          out.insert(out.end(), element.begin(), element.end());
        }
      }
      break;
    }
  }
  // A solid given three corners has its fourth at the third.
  if (std::strcmp(type.name, "SOLID") == 0 && firstOf(out, 13) == nullptr) {
    for (size_t i = 0; i < out.size(); ++i) {
      if (out[i].code == 12) {
        EntityGroup fourth = out[i];
        fourth.code = 13;
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(i) + 1, fourth);
        break;
      }
    }
  }
  return {};
}

// Checks of values the host refuses: a text style the drawing lacks, an extrusion of length 0,
// an INSERT of a block the drawing lacks or of a space.
ListVerdict checkOwnValues(AcDbDatabase& db, const EntityGroups& own) {
  for (const EntityGroup& group : own) {
    if (group.code == 7 && !sameText(group.text, "Standard")) {
      return refuse(ol::kBadStyle);
    }
    if (group.code == 210 && group.values[0] == 0 && group.values[1] == 0 && group.values[2] == 0) {
      return refuse(ol::kBadNormal);
    }
    if (group.code == 2) {
      const AcDbObjectId block = findSymbol(db, db.blockTableId(), group.text);
      if (block.isNull() || group.text.empty() || group.text[0] == '*') {
        return refuse(ol::kMissingGroup);
      }
    }
  }
  return {};
}

size_t xdataBytes(const EntityGroups& groups) {
  size_t bytes = 0;
  for (const EntityGroup& group : groups) {
    switch (rbValueKind(group.code)) {
    case RbValueKind::String:
    case RbValueKind::Binary:
      bytes += 3 + group.text.size();
      break;
    case RbValueKind::Point:
      bytes += 25;
      break;
    case RbValueKind::Real:
      bytes += 9;
      break;
    case RbValueKind::Short:
      bytes += 3;
      break;
    default:
      bytes += 5;
    }
  }
  return bytes;
}

bool isXdataCode(int code) {
  return (code >= 1000 && code <= 1071 && rbValueKind(code) != RbValueKind::Unknown &&
          code != 1001);
}

void setErrnoIf(int value) {
  if (value != 0) {
    setErrno(value);
  }
}

} // namespace

// ---- Group lists

bool groupFromItem(const resbuf& item, EntityGroup& group) {
  group = EntityGroup();
  group.code = item.restype;
  switch (rbValueKind(item.restype)) {
  case RbValueKind::None:
    return true;
  case RbValueKind::String:
    group.text = item.resval.rstring != nullptr ? item.resval.rstring : "";
    return true;
  case RbValueKind::Binary:
    if (item.resval.rbinary.clen < 0 ||
        (item.resval.rbinary.clen > 0 && item.resval.rbinary.buf == nullptr)) {
      return false;
    }
    group.text.assign(item.resval.rbinary.buf, static_cast<size_t>(item.resval.rbinary.clen));
    return true;
  case RbValueKind::Real:
    group.values[0] = item.resval.rreal;
    return true;
  case RbValueKind::Point:
    for (int i = 0; i < 3; ++i) {
      group.values[i] = item.resval.rpoint[i];
    }
    return true;
  case RbValueKind::Short:
    group.integer = item.resval.rint;
    return true;
  case RbValueKind::Long:
    group.integer = item.resval.rlong;
    return true;
  case RbValueKind::Name:
    group.id = idOfName(item.resval.rlname);
    return true;
  case RbValueKind::Unknown:
    return false;
  }
  return false;
}

resbuf* itemFromGroup(const EntityGroup& group) {
  resbuf* item = acutNewRb(group.code);
  if (item == nullptr) {
    return nullptr;
  }
  switch (rbValueKind(group.code)) {
  case RbValueKind::String:
    item->resval.rstring = acad_strdup(group.text.c_str());
    if (item->resval.rstring == nullptr) {
      acutRelRb(item);
      return nullptr;
    }
    break;
  case RbValueKind::Binary:
    item->resval.rbinary.clen = static_cast<short>(group.text.size());
    item->resval.rbinary.buf = static_cast<char*>(acad_malloc(group.text.size() + 1));
    if (item->resval.rbinary.buf == nullptr) {
      item->resval.rbinary.clen = 0;
      acutRelRb(item);
      return nullptr;
    }
    std::memcpy(item->resval.rbinary.buf, group.text.data(), group.text.size());
    break;
  case RbValueKind::Real:
    item->resval.rreal = group.values[0];
    break;
  case RbValueKind::Point:
    for (int i = 0; i < 3; ++i) {
      item->resval.rpoint[i] = group.values[i];
    }
    break;
  case RbValueKind::Short:
    item->resval.rint = static_cast<short>(group.integer);
    break;
  case RbValueKind::Long:
    item->resval.rlong = group.integer;
    break;
  case RbValueKind::Name:
    nameOfId(group.id, item->resval.rlname);
    break;
  default:
    break;
  }
  return item;
}

Acad::ErrorStatus mergeXData(AcDbDatabase* db, const EntityGroups& current, const resbuf* list,
                             EntityGroups& merged) {
  // The list's applications, each with its groups.
  std::vector<std::pair<std::string, EntityGroups>> given;
  for (const resbuf* item = list; item != nullptr; item = item->rbnext) {
    EntityGroup group;
    if (item->restype == 1001) {
      if (!groupFromItem(*item, group)) {
        return Acad::eInvalidResBuf;
      }
      const AcDbObjectId app =
          db != nullptr ? findSymbol(*db, db->regAppTableId(), group.text) : AcDbObjectId();
      if (app.isNull()) {
        return Acad::eRegappIdNotFound;
      }
      given.emplace_back(symbolName(app), EntityGroups());
      continue;
    }
    if (given.empty() || !isXdataCode(item->restype) || !groupFromItem(*item, group)) {
      return Acad::eInvalidResBuf;
    }
    given.back().second.push_back(std::move(group));
  }
  // The current data, application by application, with the given ones replaced or dropped.
  std::vector<std::pair<std::string, EntityGroups>> apps;
  for (const EntityGroup& group : current) {
    if (group.code == 1001) {
      apps.emplace_back(group.text, EntityGroups());
    } else if (!apps.empty()) {
      apps.back().second.push_back(group);
    }
  }
  for (auto& [name, groups] : given) {
    bool replaced = false;
    for (auto& app : apps) {
      if (sameText(app.first, name)) {
        app.second = groups;
        replaced = true;
      }
    }
    if (!replaced) {
      apps.emplace_back(name, groups);
    }
  }
  merged.clear();
  for (auto& [name, groups] : apps) {
    if (groups.empty()) {
      continue; // an application named without data loses its data
    }
    EntityGroup head;
    head.code = 1001;
    head.text = name;
    merged.push_back(std::move(head));
    merged.insert(merged.end(), groups.begin(), groups.end());
  }
  return xdataBytes(merged) > kMaxXdataBytes ? Acad::eXdataSizeExceeded : Acad::eOk;
}

void entityGroups(const AcDbEntity& entity, EntityGroups& groups) {
  groups.clear();
  const AcDbObjectId id = entity.objectId();
  EntityGroup group;
  group.code = -1;
  group.id = id;
  groups.push_back(group);
  group = EntityGroup();
  group.code = 0;
  group.text = entity.dxfType();
  groups.push_back(group);
  group = EntityGroup();
  group.code = 330;
  group.id = entity.blockId();
  groups.push_back(group);
  group = EntityGroup();
  group.code = 5;
  char handle[24];
  std::snprintf(handle, sizeof handle, "%llX",
                static_cast<unsigned long long>(AcDbDatabase::handleOf(id)));
  group.text = handle;
  groups.push_back(group);
  group = EntityGroup();
  group.code = 100;
  group.text = "AcDbEntity";
  groups.push_back(group);
  AcDbDatabase* db = entity.database();
  const bool paper = db != nullptr && entity.blockId() == spaceBlock(*db, true);
  if (paper) {
    group = EntityGroup();
    group.code = 67;
    group.integer = 1;
    groups.push_back(group);
  }
  group = EntityGroup();
  group.code = 410;
  group.text = paper ? "Layout1" : "Model";
  groups.push_back(group);
  group = EntityGroup();
  group.code = 8;
  group.text = entity.layerId().isNull() ? "0" : symbolName(entity.layerId());
  groups.push_back(group);
  if (entity.colorIndex() != 256) {
    group = EntityGroup();
    group.code = 62;
    group.integer = entity.colorIndex();
    groups.push_back(group);
  }
  entity.ownGroups(groups);
}

resbuf* entityList(const AcDbEntity& entity, const resbuf* apps) {
  EntityGroups groups;
  try {
    entityGroups(entity, groups);
    if (apps != nullptr) {
      EntityGroups xdata;
      const EntityGroups& all = entity.xDataGroups();
      bool keep = false;
      for (const EntityGroup& group : all) {
        if (group.code == 1001) {
          keep = false;
          for (const resbuf* app = apps; app != nullptr && !keep; app = app->rbnext) {
            keep = app->restype == RTSTR && app->resval.rstring != nullptr &&
                   wildcardMatch(upperCase(group.text), upperCase(app->resval.rstring));
          }
        }
        if (keep) {
          xdata.push_back(group);
        }
      }
      if (!xdata.empty()) {
        EntityGroup start;
        start.code = -3;
        groups.push_back(start);
        groups.insert(groups.end(), xdata.begin(), xdata.end());
      }
    }
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  resbuf* head = nullptr;
  resbuf** tail = &head;
  for (const EntityGroup& group : groups) {
    resbuf* item = itemFromGroup(group);
    if (item == nullptr) {
      acutRelRb(head);
      return nullptr;
    }
    *tail = item;
    tail = &item->rbnext;
  }
  return head;
}

// ---- Making and changing

ListVerdict makeEntity(AcDbDatabase& db, const resbuf* groups, AcDbObjectId& id) {
  id = AcDbObjectId::kNull;
  const ParsedList parsed = parseList(groups);
  const EntityType* type = parsed.hasType ? findEntityType(parsed.type) : nullptr;
  if (type == nullptr) {
    return refuse(ol::kUnknownType);
  }
  if (type->requiredMarker != nullptr) {
    bool marked = false;
    for (const std::string& marker : parsed.markers) {
      marked = marked || marker == type->requiredMarker;
    }
    if (!marked) {
      return refuse(ol::kMissingGroup);
    }
  }
  if (parsed.hasColor && (parsed.color < 0 || parsed.color > 256)) {
    return refuse(ol::kBadColor);
  }
  EntityGroups own;
  ListVerdict verdict = buildOwnGroups(*type, parsed.own, nullptr, own);
  if (verdict.status == Acad::eOk) {
    verdict = checkOwnValues(db, own);
  }
  if (verdict.status != Acad::eOk) {
    return verdict;
  }
  EntityGroups xdata;
  if (parsed.hasXdata) {
    const Acad::ErrorStatus merged = mergeXData(&db, {}, parsed.xdata, xdata);
    if (merged == Acad::eRegappIdNotFound) {
      return refuse(ol::kXdataAppMake);
    }
    if (merged != Acad::eOk) {
      return refuse(merged == Acad::eXdataSizeExceeded ? ol::kXdataSize : ol::kBadXdataType);
    }
  }
  const AcDbObjectId space = spaceBlock(db, parsed.paperSpace);
  AcDbBlockTableRecord* block = AcDbBlockTableRecord::cast(db.objectAt(space));
  if (block == nullptr) {
    return refuse(ol::kBadName, Acad::eNullObjectId);
  }
  AcDbObjectId layer;
  // Without a layer group the entity goes on the current layer (CLAYER).
  const auto current = host().sysVars.find("CLAYER");
  const std::string currentLayer =
      current != host().sysVars.end() && !current->second.text.empty() ? current->second.text : "0";
  const Acad::ErrorStatus layered =
      layerOnDemand(db, parsed.hasLayer ? parsed.layer : currentLayer, layer);
  if (layered != Acad::eOk) {
    return refuse(layered == Acad::eOutOfMemory ? 0 : ol::kBadLayer, layered);
  }
  AcDbEntity* entity = nullptr;
  try {
    entity = type->make();
    entity->setOwnGroups(std::move(own));
    entity->setXDataGroups(std::move(xdata));
  } catch (const std::bad_alloc&) {
    delete entity;
    return refuse(0, Acad::eOutOfMemory);
  }
  entity->setLayerIdDirect(layer);
  entity->setColorDirect(static_cast<uint16_t>(parsed.hasColor ? parsed.color : 256));
  const Acad::ErrorStatus appended = block->appendDirect(entity);
  if (appended != Acad::eOk) {
    delete entity;
    return refuse(0, appended);
  }
  id = entity->objectId();
  entity->close();
  return {};
}

ListVerdict modifyEntity(AcDbEntity& entity, const resbuf* groups) {
  AcDbDatabase* db = entity.database();
  const ParsedList parsed = parseList(groups);
  if (db == nullptr) {
    return refuse(ol::kBadName, Acad::eNotInDatabase);
  }
  if (entity.isErased()) {
    return refuse(ol::kDeleted, Acad::eWasErased);
  }
  if (parsed.hasType && !sameText(parsed.type, entity.dxfType())) {
    return refuse(ol::kTypeChanged);
  }
  if (parsed.hasHandle) {
    char handle[24];
    std::snprintf(handle, sizeof handle, "%llX",
                  static_cast<unsigned long long>(AcDbDatabase::handleOf(entity.objectId())));
    if (!sameText(parsed.handle, handle)) {
      return refuse(ol::kHandleChanged);
    }
  }
  if (parsed.hasColor && (parsed.color < 0 || parsed.color > 256)) {
    return refuse(ol::kBadColor);
  }
  const EntityType* type = findEntityType(entity.dxfType());
  if (type == nullptr) {
    return refuse(ol::kUnknownType);
  }
  EntityGroups current;
  entity.ownGroups(current);
  EntityGroups own;
  ListVerdict verdict = buildOwnGroups(*type, parsed.own, &current, own);
  if (verdict.status == Acad::eOk) {
    verdict = checkOwnValues(*db, own);
  }
  if (verdict.status != Acad::eOk) {
    return verdict;
  }
  EntityGroups xdata = entity.xDataGroups();
  if (parsed.hasXdata) {
    const Acad::ErrorStatus merged = mergeXData(db, entity.xDataGroups(), parsed.xdata, xdata);
    if (merged == Acad::eRegappIdNotFound) {
      return refuse(ol::kXdataAppMod);
    }
    if (merged != Acad::eOk) {
      return refuse(merged == Acad::eXdataSizeExceeded ? ol::kXdataSize : ol::kBadXdataType);
    }
  }
  AcDbObjectId layer = entity.layerId();
  if (parsed.hasLayer) {
    const Acad::ErrorStatus layered = layerOnDemand(*db, parsed.layer, layer);
    if (layered != Acad::eOk) {
      return refuse(layered == Acad::eOutOfMemory ? 0 : ol::kBadLayer, layered);
    }
  }
  entity.setOwnGroups(std::move(own));
  entity.setXDataGroups(std::move(xdata));
  entity.setLayerIdDirect(layer);
  if (parsed.hasColor) {
    entity.setColorDirect(static_cast<uint16_t>(parsed.color));
  }
  return {};
}

// ---- Names

AcDbObjectId idOfName(const ads_name name) {
  if (name == nullptr || name[1] != 0 || name[0] <= 0) {
    return AcDbObjectId::kNull;
  }
  const AcDbDatabase* db = AcDbDatabase::fromSerial(static_cast<uint32_t>(name[0] >> 32));
  return db != nullptr ? db->idAtPlace(static_cast<uint32_t>(name[0] & 0xffffffff))
                       : AcDbObjectId::kNull;
}

void nameOfId(AcDbObjectId id, ads_name name) {
  const AcDbDatabase* db = id.database();
  name[0] = db == nullptr ? 0
                          : static_cast<int64_t>(static_cast<uint64_t>(db->serial()) << 32 |
                                                 AcDbDatabase::handleOf(id));
  name[1] = 0;
}

AcDbEntity* entityOfName(const ads_name name) {
  const AcDbObjectId id = idOfName(name);
  AcDbDatabase* db = id.database();
  return db != nullptr ? AcDbEntity::cast(db->objectAt(id)) : nullptr;
}

bool isMainEntity(const AcDbEntity& entity) {
  AcDbDatabase* db = entity.database();
  return db != nullptr && !entity.blockId().isNull() &&
         (entity.blockId() == spaceBlock(*db, false) || entity.blockId() == spaceBlock(*db, true));
}

// ---- Walk

void forEachEntity(AcDbDatabase& db, const EntityVisit& visit) {
  const AcDbObjectId model = spaceBlock(db, false);
  const AcDbObjectId paper = spaceBlock(db, true);
  for (uint32_t place = 1; place <= db.lastPlace(); ++place) {
    const AcDbObjectId id = db.idAtPlace(place);
    const AcDbObject* object = db.objectAt(id);
    if (object == nullptr || object->isErased()) {
      continue;
    }
    const AcDbEntity* entity = AcDbEntity::cast(object);
    if (entity == nullptr || (entity->blockId() != model && entity->blockId() != paper)) {
      continue;
    }
    if (!visit(id, *entity)) {
      return;
    }
  }
}

// ---- Symbol tables

AcDbObjectId findSymbol(AcDbDatabase& db, AcDbObjectId table, const std::string& name) {
  const AcDbSymbolTable* symbols = AcDbSymbolTable::cast(db.objectAt(table));
  return symbols == nullptr ? AcDbObjectId() : symbols->find(name);
}

std::string symbolName(AcDbObjectId record) {
  AcDbDatabase* db = record.database();
  const AcDbSymbolTableRecord* named =
      db != nullptr ? AcDbSymbolTableRecord::cast(db->objectAt(record)) : nullptr;
  return named != nullptr ? named->name() : std::string();
}

bool isValidSymbolName(const std::string& name) {
  if (name.empty() || name.size() > 255) {
    return false;
  }
  for (char c : name) {
    if (std::strchr("<>/\\\":;?*|,=`", c) != nullptr || static_cast<unsigned char>(c) < 32) {
      return false;
    }
  }
  return true;
}

Acad::ErrorStatus layerOnDemand(AcDbDatabase& db, const std::string& name, AcDbObjectId& layer) {
  layer = findSymbol(db, db.layerTableId(), name);
  if (!layer.isNull()) {
    return Acad::eOk;
  }
  if (!isValidSymbolName(name)) {
    return Acad::eInvalidInput;
  }
  auto* table = AcDbLayerTable::cast(db.objectAt(db.layerTableId()));
  if (table == nullptr) {
    return Acad::eNullObjectId;
  }
  auto* record = new (std::nothrow) AcDbLayerTableRecord();
  if (record == nullptr) {
    return Acad::eOutOfMemory;
  }
  record->setNameDirect(name);
  if (!table->addDirect(record)) {
    delete record;
    return Acad::eOutOfMemory;
  }
  layer = record->objectId();
  record->close();
  return Acad::eOk;
}

AcDbObjectId spaceBlock(AcDbDatabase& db, bool paperSpace) {
  return paperSpace ? db.paperSpaceId() : db.modelSpaceId();
}

} // namespace sim::detail

Acad::ErrorStatus makeEntityFromList(AcDbDatabase& db, const resbuf* groups, AcDbObjectId& id) {
  const sim::detail::ListVerdict verdict = sim::detail::makeEntity(db, groups, id);
  if (verdict.status != Acad::eOk) {
    sim::detail::setErrnoIf(verdict.errnoValue);
    return verdict.status == Acad::eOutOfMemory ? Acad::eOutOfMemory : Acad::eInvalidInput;
  }
  return Acad::eOk;
}
