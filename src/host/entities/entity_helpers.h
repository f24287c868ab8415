// Small services of the family's commands over the host's entities and selection sets: picking
// one entity of given types, copying and filtering sets, erasing a set, finding an entity by
// handle, changing an entity with a regeneration retry, registering an application name, tagging
// entities with the family's extended data, and matching names against host wild-cards. Host
// main thread only.
#pragma once

#include "platform/acad/adsdef.h"

namespace qv {

// ---- Picking and sets
// Asks the person to pick an entity (acedEntSel with prompt) until its type (upper-cased) is one
// of the words of types (upper case, separated by spaces). A pick of another type prints
// "\nSelection is not one of '<types>'." and asks again; a pick that hits nothing asks again
// silently. point starts at (0,0,0). RTNORM with entity and point; RTNONE when the host answers
// RTERROR for another reason than a miss; RTERROR when the entity has no list or no type; the
// host's status (RTCAN, ...) otherwise.
int selectEntityOfTypes(const char* types, const char* prompt, ads_name entity, ads_point point);
// A new set in target holding the entities of source in their order. RTNORM; RTERROR, with no
// set made, when the source's length cannot be read or the new set cannot be made.
int newSetFromSet(const ads_name source, ads_name target);
// Adds the entities of source to the existing set target, in order.
void appendSetToSet(const ads_name source, const ads_name target);
// Adds to target every entity of the drawing whose layer matches layer (a host wild-card).
// A failed selection changes nothing.
void addEntitiesOnLayer(const ads_name target, const char* layer);
// Erases the entities of the set; answers how many were erased.
int eraseSetEntities(const ads_name set);

// ---- Entities
// The entity of a handle (acdbHandEnt's status); an entity erased in this session is brought
// back.
int entityFromHandle(const char* handle, ads_name entity);
// acdbEntMod, once more after "_.REGEN" when the host refuses until the drawing is regenerated
// (RTREJ with ERRNO 23). The last acdbEntMod's status.
int modifyEntity(const resbuf* list);
// Registers the application name (upper-cased) in the working drawing. 1 when it is registered
// (now or before); 0 when it could not be, after the family alert "register_app() failed" when
// the registered-application table could not be opened (unless the drawing is locked).
int registerApplication(const char* name);
// Gives the label entity the "CTRLABEL" extended data linking it to the handles of first,
// second and third ("0" for a null first or third). Nothing is changed when a given entity has
// no list or handle. "CTRLABEL" must be registered before.
void linkLabelToEntities(const ads_name label, const ads_name first, const ads_name second,
                         const ads_name third);
// Tags the drawing's last entity with the "SPT" extended data (1070 1), registering "SPT".
void tagLastEntity();
// RTNONE for a null text or pattern; RTNORM when they are equal character for character (so a
// name holding wild-card characters matches itself); otherwise acutWcMatch's answer.
int wildcardMatch(const char* text, const char* pattern);

// The host's calls, their results unchanged.
resbuf* getEntityList(const ads_name entity);
resbuf* getEntityListX(const ads_name entity, const resbuf* applications);
int makeEntity(const resbuf* list);

} // namespace qv
