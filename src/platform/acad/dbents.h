// The entity classes of the host's drawing: points, lines, circles, arcs, texts, multiline
// texts, solids, light-weight polylines, block references and wipeouts. Each keeps its data as
// its DXF groups (acdbEntGet shows them); a new one made here has its type's defaults until its
// groups are set through acdbEntMod, and is added to a space with
// AcDbBlockTableRecord::appendAcDbEntity.
#pragma once

#include "platform/acad/dbmain.h"

#define QV_DECLARE_ENTITY(CLASS_NAME)                                                              \
  class CLASS_NAME : public AcDbEntity {                                                           \
  public:                                                                                          \
    ACDB_DECLARE_MEMBERS(CLASS_NAME);                                                              \
    CLASS_NAME();                                                                                  \
  }

QV_DECLARE_ENTITY(AcDbPoint);          // POINT
QV_DECLARE_ENTITY(AcDbLine);           // LINE
QV_DECLARE_ENTITY(AcDbCircle);         // CIRCLE
QV_DECLARE_ENTITY(AcDbArc);            // ARC
QV_DECLARE_ENTITY(AcDbText);           // TEXT
QV_DECLARE_ENTITY(AcDbMText);          // MTEXT
QV_DECLARE_ENTITY(AcDbSolid);          // SOLID
QV_DECLARE_ENTITY(AcDbPolyline);       // LWPOLYLINE
QV_DECLARE_ENTITY(AcDbBlockReference); // INSERT
QV_DECLARE_ENTITY(AcDbWipeout);        // WIPEOUT

#undef QV_DECLARE_ENTITY
