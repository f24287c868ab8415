// The stand-in host's calls that a test can make fail (sim::failCall), one row each: the id the
// stand-in code passes to shouldFail, and the name tests give. A call that can fail is added here.
#pragma once

#define QV_ACAD_FAILABLE_CALLS(X)                                                                  \
  X(acad_malloc, "acad_malloc")                                                                    \
  X(acad_realloc, "acad_realloc")                                                                  \
  X(acutNewRb, "acutNewRb")                                                                        \
  X(acutBuildList, "acutBuildList")                                                                \
  X(acedAlert, "acedAlert")                                                                        \
  X(acedUsrBrk, "acedUsrBrk")                                                                      \
  X(acedGetSym, "acedGetSym")                                                                      \
  X(acedPutSym, "acedPutSym")                                                                      \
  X(acedGetVar, "acedGetVar")                                                                      \
  X(acedSetVar, "acedSetVar")                                                                      \
  X(acedDefun, "acedDefun")                                                                        \
  X(acedUndef, "acedUndef")                                                                        \
  X(acedInvoke, "acedInvoke")                                                                      \
  X(acedRetInt, "acedRetInt")                                                                      \
  X(acedRetReal, "acedRetReal")                                                                    \
  X(acedRetPoint, "acedRetPoint")                                                                  \
  X(acedRetStr, "acedRetStr")                                                                      \
  X(acedRetName, "acedRetName")                                                                    \
  X(acedRetNil, "acedRetNil")                                                                      \
  X(acedRetT, "acedRetT")                                                                          \
  X(acedRetVoid, "acedRetVoid")                                                                    \
  X(acedRetList, "acedRetList")                                                                    \
  X(acedRetVal, "acedRetVal")                                                                      \
  X(AcRxDictionary_at, "AcRxDictionary::at")                                                       \
  X(acrxLockApplication, "acrxLockApplication")                                                    \
  X(acrxUnlockApplication, "acrxUnlockApplication")                                                \
  X(loadModule, "loadModule")                                                                      \
  X(unloadModule, "unloadModule")                                                                  \
  X(openDocument, "openDocument")                                                                  \
  X(closeDocument, "closeDocument")                                                                \
  X(acdbOpenAcDbObject, "acdbOpenAcDbObject")                                                      \
  X(AcDbDatabase_getNamedObjectsDictionary, "AcDbDatabase::getNamedObjectsDictionary")             \
  X(AcDbDatabase_addAcDbObject, "AcDbDatabase::addAcDbObject")                                     \
  X(AcDbObject_erase, "AcDbObject::erase")                                                         \
  X(AcDbDictionary_getAt, "AcDbDictionary::getAt")                                                 \
  X(AcDbDictionary_setAt, "AcDbDictionary::setAt")                                                 \
  X(AcDbDictionary_remove, "AcDbDictionary::remove")                                               \
  X(AcDbDictionary_newIterator, "AcDbDictionary::newIterator")                                     \
  X(AcDbDictionaryIterator_getObject, "AcDbDictionaryIterator::getObject")                         \
  X(AcDbXrecord_rbChain, "AcDbXrecord::rbChain")                                                   \
  X(AcDbXrecord_setFromRbChain, "AcDbXrecord::setFromRbChain")                                     \
  X(ads_load_dialog, "ads_load_dialog")                                                            \
  X(ads_new_dialog, "ads_new_dialog")                                                              \
  X(ads_start_dialog, "ads_start_dialog")                                                          \
  X(ads_done_dialog, "ads_done_dialog")                                                            \
  X(ads_action_tile, "ads_action_tile")                                                            \
  X(ads_client_data_tile, "ads_client_data_tile")                                                  \
  X(ads_set_tile, "ads_set_tile")                                                                  \
  X(ads_get_tile, "ads_get_tile")                                                                  \
  X(ads_get_attr, "ads_get_attr")                                                                  \
  X(ads_mode_tile, "ads_mode_tile")                                                                \
  X(acedFindFile, "acedFindFile")
