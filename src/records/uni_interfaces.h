// The abstract interfaces of the typed record model: fields, records and tables. Callers hold
// these pointers; QvUniField, QvUniRecord and QvUniTable are their only implementations.
#pragma once

#include <cstdint>

namespace qv {

class msString;

// One field: a name, a text value and an optional type tag, linked to the field after it.
class IQvUniField {
public:
  // Frees name, value and type; the next field is not touched.
  virtual ~IQvUniField() = default;
  // The owned texts, or null while absent.
  virtual const char* getValue() const = 0;
  virtual const char* getName() const = 0;
  virtual const char* getType() const = 0;
  virtual IQvUniField* next() const = 0;
  // Copies the text; null stores the empty text.
  virtual void setValue(const char* value) = 0;
  virtual void setName(const char* name) = 0;
  // Copies the text; null makes the type absent.
  virtual void setType(const char* type) = 0;
  virtual void setNext(IQvUniField* next) = 0;
  // 1 when name, value and type are all equal (both absent, or the same bytes, case counting);
  // 0 otherwise and for a null other.
  virtual int isEqual(const IQvUniField* other) const = 0;
  // Deletes this field.
  virtual void release() = 0;
};

// One record: an optional id, an ordered list of fields, a next record (chains) and a first child
// (trees). A record owns its fields and its child chain, never its next. Every flag is an int,
// non-zero meaning yes; every type argument may be null, meaning no type.
class IQvUniRecord {
public:
  // Destroys the fields, the whole child chain (recursively) and the id; not the next record.
  virtual ~IQvUniRecord() = default;
  // Copies the id; null stores the empty text.
  virtual void setId(const char* id) = 0;
  // Null until an id was set.
  virtual const char* getId() const = 0;
  // The first field of that name (case ignored) with a value: out = the value, 1. Otherwise out =
  // the empty text, 0.
  virtual int getFieldText(const char* name, msString& out) const = 0;
  // The same, copying into the caller's buffer, which must be large enough for the value; the
  // empty text and 0 when there is no such field or value.
  virtual int getFieldChars(const char* name, char* out) const = 0;
  // out = -98765432.1 first. 0 when the field is missing, has no value, or has a type tag that is
  // non-empty and neither "real" nor "double". Else out = the value read as a decimal number, as
  // the runtime's atof reads it (0.0 when it holds no number), and 1.
  virtual int getFieldReal(const char* name, double& out) const = 0;
  // out = 0 first. 0 in the same cases, the accepted tags being "integer" and "long". Else out =
  // the value read as the Windows runtime's atol reads it (32-bit, held at the limits on
  // overflow) and 1.
  virtual int getFieldLong(const char* name, int32_t& out) const = 0;
  // compareNatural of the two records' values of fieldName (a missing field counts as empty), or
  // of their ids when fieldName is null; at most 255 characters of each take part. Negated when
  // descending is non-zero; 0 for a null other.
  virtual int compareByField(const IQvUniRecord* other, const char* fieldName,
                             int descending) const = 0;
  // Deep equality of ids, fields (in order) and child chains, skipping fields that ignoreMask
  // holds with a non-empty value. A field left over on one side prints "Val1 %s\n" (this side)
  // or "Val2 %s\n" (other side) with its name to standard output. 0 for a null other.
  virtual int isEqual(const IQvUniRecord* other, const IQvUniRecord* ignoreMask) const = 0;
  // Adds a field after the last one. With replace non-zero and a field of that name present,
  // only that field's value is set (its type stays, whatever type is passed).
  virtual void setField(const char* name, const char* value, int replace, const char* type) = 0;
  // The value printed with "%d", then setField.
  virtual void setFieldShort(const char* name, int16_t value, int replace, const char* type) = 0;
  virtual void setFieldLong(const char* name, int32_t value, int replace, const char* type) = 0;
  // The value printed with "%.10f", trailing zeros cut but never the point ("3."), then setField.
  virtual void setFieldReal(const char* name, double value, int replace, const char* type) = 0;
  // As setField, but a new field goes before the first one.
  virtual void insertFieldFirst(const char* name, const char* value, int replace,
                                const char* type) = 0;
  // The first record from this one along the chain whose id is present and equal to id with case
  // ignored; null when none (or for a null id). Records before this one are never looked at.
  virtual IQvUniRecord* findById(const char* id) const = 0;
  // 0 is this record, 1 its next, ...; null past the end or for a negative index.
  virtual IQvUniRecord* itemAt(int index) const = 0;
  // Links record at the end of this record's chain. Nothing for null, this record itself, a
  // record that already has a next, or the chain's own last record.
  virtual void appendRecord(IQvUniRecord* record) = 0;
  // Unlinks a record found after this one and deletes it (with its fields and children).
  // Nothing for null, this record, or a record not in the chain after it.
  virtual void removeRecord(IQvUniRecord* record) = 0;
  // Records from this one to the end of its chain (at least 1).
  virtual int countRecords() const = 0;
  virtual IQvUniField* firstField() const = 0;
  virtual IQvUniRecord* firstChild() const = 0;
  // Sets next and forgets the append position.
  virtual void setNext(IQvUniRecord* next) = 0;
  // Sets the pointer only: a previous child chain is neither destroyed nor kept.
  virtual void setFirstChild(IQvUniRecord* child) = 0;
  virtual IQvUniRecord* next() const = 0;
  // A new deep copy: the id (absent becomes empty), every field without its type tag, and a copy
  // of the child chain. The copy's next is null. Null when memory ran out.
  virtual IQvUniRecord* clone() const = 0;
  // Unlinks and deletes the field; nothing when it is null or not one of this record's fields.
  virtual void removeField(IQvUniField* field) = 0;
  // Deletes this record with its children, not its next.
  virtual void release() = 0;
  // Deletes every record after this one, then this one.
  virtual void releaseChain() = 0;
  // Deletes every field; the record keeps an empty field list.
  virtual void clearFields() = 0;
};

// A table: a chain of records under an id, a type and a description; tables form chains too.
// A table owns its record chain, never its next table.
class IQvUniTable {
public:
  // Destroys the record chain and frees id, type and desc; the next table is not touched.
  virtual ~IQvUniTable() = default;
  virtual const char* getId() const = 0;
  // Copies the text; null stores the empty text (likewise setType and setDesc).
  virtual void setId(const char* id) = 0;
  virtual const char* getType() const = 0;
  virtual void setType(const char* type) = 0;
  virtual const char* getDesc() const = 0;
  virtual void setDesc(const char* desc) = 0;
  // Links table after the last table of this chain. Nothing for null, this table, a table that
  // already has a next, or a table already last in this chain.
  virtual void appendTable(IQvUniTable* table) = 0;
  // The record becomes the first record, or goes to the end of the record chain. Nothing for null.
  virtual void addRecord(IQvUniRecord* record) = 0;
  // Unlinks a table found after this one and deletes it. Nothing for null, this table, or a table
  // not in the chain after it.
  virtual void removeTable(IQvUniTable* table) = 0;
  // The first table from this one whose id (case ignored) matches and, when type is not null,
  // whose type matches too; with a null id the type alone decides; null when both are null or
  // nothing matches.
  virtual IQvUniTable* findTable(const char* id, const char* type) const = 0;
  virtual IQvUniRecord* firstRecord() const = 0;
  virtual IQvUniTable* next() const = 0;
  // Set the pointer only; what was there is not destroyed.
  virtual void setFirstRecord(IQvUniRecord* record) = 0;
  virtual void setNext(IQvUniTable* next) = 0;
  // A new table: id, type and desc copied when present, the record chain copied as records clone
  // (without field type tags); next is null. Null when memory ran out.
  virtual IQvUniTable* clone() const = 0;
  // Deletes this table with its records.
  virtual void release() = 0;
  // Deletes every table after this one, then this one.
  virtual void releaseChain() = 0;
};

} // namespace qv
