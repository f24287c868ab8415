// The command and entity helpers as AutoLISP functions: picking by type, set copies, erasing,
// handles, changes with the regeneration retry, application names and the family's tags.
#include <cstring>
#include <deque>
#include <string>

#include "host/entities/entity_helpers.h"
#include "module/lisp_args.h"
#include "module/lisp_result.h"
#include "module/module_functions.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"

namespace qv {
namespace {

// An entity name argument (nil allowed when optional): false after the host's error.
bool entityArgument(LispArgs& args, const resbuf*& out, bool optional) {
  const resbuf* item = nullptr;
  if (!args.any(item)) {
    return false;
  }
  if (item->restype == RTENAME || (optional && item->restype == RTNIL)) {
    out = item->restype == RTENAME ? item : nullptr;
    return true;
  }
  return args.refuse("lentityp", item);
}

bool setArgument(LispArgs& args, const resbuf*& out) {
  const resbuf* item = nullptr;
  if (!args.any(item)) {
    return false;
  }
  out = item;
  return item->restype == RTPICKS || args.refuse("lselsetp", item);
}

// An entity list in AutoLISP's form ((code . value) ... (code x y z)) as a chain of groups; the
// chain points into the arguments. False for an item of another form.
bool groupsOfList(const resbuf* open, std::deque<resbuf>& groups) {
  for (const resbuf* item = open->rbnext; item != nullptr && item->restype != RTLE;) {
    if (item->restype != RTLB || item->rbnext == nullptr ||
        (item->rbnext->restype != RTSHORT && item->rbnext->restype != RTLONG)) {
      return false;
    }
    const resbuf* code = item->rbnext;
    const resbuf* value = code->rbnext;
    if (value != nullptr && value->restype == RTDOTE) {
      value = value->rbnext;
    }
    if (value == nullptr || value->rbnext == nullptr || value->rbnext->restype != RTLE) {
      return false; // nested lists (extended data) are not taken here
    }
    groups.push_back(*value);
    groups.back().restype =
        static_cast<short>(code->restype == RTSHORT ? code->resval.rint : code->resval.rlong);
    groups.back().rbnext = nullptr;
    if (groups.size() > 1) {
      groups[groups.size() - 2].rbnext = &groups.back();
    }
    item = value->rbnext->rbnext;
  }
  return !groups.empty();
}

} // namespace

int lispPickEntity() {
  LispArgs args;
  const char* types = nullptr;
  const char* prompt = nullptr;
  if (!args.text(types) || !args.optionalText(prompt) || !args.done()) {
    return acedRetNil();
  }
  ads_name entity;
  ads_point point;
  if (selectEntityOfTypes(types, prompt, entity, point) != RTNORM) {
    return acedRetNil();
  }
  resbuf* result = acutBuildList(RTENAME, entity, RT3DPOINT, point, RTNONE);
  if (result == nullptr) {
    return acedRetNil();
  }
  const int status = acedRetList(result);
  acutRelRb(result);
  return status;
}

int lispCopySet() {
  LispArgs args;
  const resbuf* source = nullptr;
  if (!setArgument(args, source) || !args.done()) {
    return acedRetNil();
  }
  ads_name copy;
  if (newSetFromSet(source->resval.rlname, copy) != RTNORM) {
    return acedRetNil();
  }
  if (acedRetName(copy, RTPICKS) != RTNORM) { // returned, the set passes to AutoLISP
    acedSSFree(copy);
    return acedRetNil();
  }
  return RTNORM;
}

int lispAppendSet() {
  LispArgs args;
  const resbuf* source = nullptr;
  const resbuf* target = nullptr;
  if (!setArgument(args, source) || !setArgument(args, target) || !args.done()) {
    return acedRetNil();
  }
  appendSetToSet(source->resval.rlname, target->resval.rlname);
  return acedRetT();
}

int lispAddLayer() {
  LispArgs args;
  const resbuf* target = nullptr;
  const char* layer = nullptr;
  if (!setArgument(args, target) || !args.text(layer) || !args.done()) {
    return acedRetNil();
  }
  addEntitiesOnLayer(target->resval.rlname, layer);
  return acedRetT();
}

int lispEraseSet() {
  LispArgs args;
  const resbuf* set = nullptr;
  if (!setArgument(args, set) || !args.done()) {
    return acedRetNil();
  }
  return acedRetInt(eraseSetEntities(set->resval.rlname));
}

int lispFromHandle() {
  LispArgs args;
  const char* handle = nullptr;
  if (!args.text(handle) || !args.done()) {
    return acedRetNil();
  }
  ads_name entity;
  return entityFromHandle(handle, entity) == RTNORM ? acedRetName(entity, RTENAME) : acedRetNil();
}

int lispModify() {
  LispArgs args;
  const resbuf* list = nullptr;
  if (!args.list(list) || !args.done()) {
    return acedRetNil();
  }
  std::deque<resbuf> groups;
  if (list == nullptr || !groupsOfList(list, groups)) {
    return args.refuse("listp", list);
  }
  return acedRetInt(modifyEntity(&groups.front()));
}

int lispRegisterApplication() {
  LispArgs args;
  const char* name = nullptr;
  if (!args.text(name) || !args.done()) {
    return acedRetNil();
  }
  return registerApplication(name) == 1 ? acedRetT() : acedRetNil();
}

int lispLinkLabel() {
  LispArgs args;
  const resbuf* label = nullptr;
  const resbuf* linked[3] = {};
  if (!entityArgument(args, label, false) || !entityArgument(args, linked[0], true) ||
      !entityArgument(args, linked[1], false) || !entityArgument(args, linked[2], true) ||
      !args.done()) {
    return acedRetNil();
  }
  linkLabelToEntities(label->resval.rlname, linked[0] ? linked[0]->resval.rlname : nullptr,
                      linked[1]->resval.rlname, linked[2] ? linked[2]->resval.rlname : nullptr);
  return acedRetT();
}

int lispTagLast() {
  LispArgs args;
  if (!args.done()) {
    return acedRetNil();
  }
  tagLastEntity();
  return acedRetT();
}

int lispWildcardMatch() {
  LispArgs args;
  const char* text = nullptr;
  const char* pattern = nullptr;
  if (!args.text(text) || !args.text(pattern) || !args.done()) {
    return acedRetNil();
  }
  return wildcardMatch(text, pattern) == RTNORM ? acedRetT() : acedRetNil();
}

} // namespace qv
