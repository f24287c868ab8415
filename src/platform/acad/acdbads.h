// The host's ADS entity calls: entities by name as DXF group lists, their making, changing,
// deleting and walking, handles, and the number conversion acdbRToS.
//
// An entity's list starts (-1 name) (0 type) (330 block) (5 handle) (100 "AcDbEntity")
// [(67 . 1) in paper space] (410 layout) (8 layer) [(62 colour) unless by layer], then the
// type's own groups with their subclass markers; acdbEntGetX adds (-3 ...) with the extended
// data asked for. Failures set the system variable ERRNO to the host's error number.
#pragma once

#include "platform/acad/adsdef.h"

// The entity's list, a new list that the caller releases; null (ERRNO 2) for a name that names
// no entity of a live database and for an erased entity, null when memory runs out.
struct resbuf* acdbEntGet(const ads_name ent);
// As acdbEntGet, followed by the extended data of the applications that apps names (RTSTR
// items, wildcard patterns matched without regard to case; "*" names every application): -3,
// then per application 1001 and its groups. apps null: as acdbEntGet.
struct resbuf* acdbEntGetX(const ads_name ent, const struct resbuf* apps);
// Changes the entity that the list's -1 group names to the list's groups: groups given replace
// the entity's, groups left out keep their values, a -3 part replaces the extended data of the
// applications it names. A layer not in the drawing is made. RTNORM; RTERROR without a -1
// group or with a name of no entity (ERRNO 2); RTREJ, nothing changed, for an erased entity
// (31), another type (24), another handle (33), an invalid layer name (25), a colour beyond 0 to
// 256 (27), a missing required group (47), extended data of an unregistered application (50),
// of a wrong group code (48) or beyond 16383 bytes (51), or a style that does not exist (28).
int acdbEntMod(const struct resbuf* ent);
// Makes an entity of the list's type (group 0, first or after a -1 group) in model space, or
// in paper space with (67 . 1): POINT, LINE, CIRCLE, ARC, TEXT, MTEXT, SOLID, LWPOLYLINE,
// INSERT, WIPEOUT (and types that other parts of the host add). -1, 5, 330 and 410 groups are
// ignored; a layer not in the drawing is made; groups left out take the type's defaults.
// MTEXT, LWPOLYLINE and WIPEOUT need their subclass marker (100 "AcDbMText", "AcDbPolyline",
// "AcDbWipeout"). RTNORM; RTREJ, nothing made, for an unknown type (36), a missing required group
// (47), an INSERT of a block the drawing lacks (47), an unregistered application's extended
// data (53), and the refusals of acdbEntMod.
int acdbEntMake(const struct resbuf* ent);
// As acdbEntMake, answering the new entity's name in result.
int acdbEntMakeX(const struct resbuf* ent, ads_name result);
// Deletes the entity, or brings back an entity deleted before (a toggle). RTNORM; RTERROR
// (ERRNO 2) for a name of no entity of model or paper space, and when the entity is open.
int acdbEntDel(const ads_name ent);
// The last entity of the drawing that is not deleted. RTERROR (ERRNO 10) for a drawing without.
int acdbEntLast(ads_name result);
// The entity after ent (ent null: the first), deleted ones skipped, model space and paper space
// in the order made. RTERROR at the end (ERRNO 0 is left) and for a bad name (ERRNO 2).
int acdbEntNext(const ads_name ent, ads_name result);
// The entity of a hexadecimal handle (without regard to case), deleted ones included. RTERROR
// (ERRNO 13) for a text that is not a handle, (14) for a handle no entity has.
int acdbHandEnt(const char* handle, ads_name entres);

// Registers an application name for extended data (upper-cased) in the working drawing.
// RTNORM; RTERROR, nothing added, when the name is registered already or is not a valid name.
int acdbRegApp(const char* appname);

// The text of a number: unit 1 scientific, 2 decimal, 3 engineering (feet and decimal inches),
// 4 architectural (feet and fractional inches), 5 fractional; prec digits after the point (or
// the fraction's denominator 2^prec); -1 takes LUNITS and LUPREC. DIMZIN 0 keeps zeros as the
// host does; UNITMODE 1 writes the feet-inch and fraction forms without spaces. str must hold
// the text (at most 40 characters here). RTNORM; RTERROR for a unit or precision out of range,
// a null str, or a value that is not finite.
int acdbRToS(ads_real val, int unit, int prec, char* str);
