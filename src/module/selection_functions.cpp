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
  if (!args.selectionSet(source) || !args.done()) {
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
  if (!args.selectionSet(source) || !args.selectionSet(target) || !args.done()) {
    return acedRetNil();
  }
  appendSetToSet(source->resval.rlname, target->resval.rlname);
  return acedRetT();
}

int lispAddLayer() {
  LispArgs args;
  const resbuf* target = nullptr;
  const char* layer = nullptr;
  if (!args.selectionSet(target) || !args.text(layer) || !args.done()) {
    return acedRetNil();
  }
  addEntitiesOnLayer(target->resval.rlname, layer);
  return acedRetT();
}

int lispEraseSet() {
  LispArgs args;
  const resbuf* set = nullptr;
  if (!args.selectionSet(set) || !args.done()) {
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
  ads_name label, middle;
  const resbuf* before = nullptr;
  const resbuf* after = nullptr;
  if (!args.entity(label) || !args.optionalEntity(before) || !args.entity(middle) ||
      !args.optionalEntity(after) || !args.done()) {
    return acedRetNil();
  }
  linkLabelToEntities(label, before ? before->resval.rlname : nullptr, middle,
                      after ? after->resval.rlname : nullptr);
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
