// A table of named text values with defaults, kept in a file of name=value lines and copied to
// and from the drawing storage. Names match without regard to case (the latest spelling is
// kept); values compare with regard to case. Host main thread only.
//
//   const QvPropertyDefault defaults[] = {{"Units", "Feet"}, {"Precision", "3"}};
//   QvPropertyFile options;
//   options.open("C:\\Quorvane\\survey.ini", defaults, 2);
//   options.setValue("Units", "Meters", 1);
//   int precision = 0;
//   options.getInt("precision", &precision);
//   // destruction writes the changed table back
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// One default of a property file: a name and its value.
struct QvPropertyDefault {
  const char* name;
  const char* value;
};

class QvPropertyFile {
public:
  QvPropertyFile() = default;
  // clear(1): pending changes are written to the bound file.
  ~QvPropertyFile();
  QvPropertyFile(const QvPropertyFile&) = delete;
  QvPropertyFile& operator=(const QvPropertyFile&) = delete;

  // Writes pending changes of the previous file, empties the table, binds it to path (null or ""
  // leaves it unbound) and adds the defaults (which mark the table modified). Then every line
  // "name=value" of the file, to its end, sets a name the table already holds (split at the first
  // "="; other names are ignored). Returns 1; 0 when a non-empty path cannot be read. A missing
  // file keeps the binding, so the file is made at the next save; a file that exists but cannot be
  // opened or read to its end unbinds the table, so that a save never writes defaults over
  // settings it could not read.
  int open(const char* path, const QvPropertyDefault* defaults, int defaultCount);

  // Sets the value of name (a null value stores the empty text). An equal value changes nothing;
  // a new name is appended unless onlyExisting is non-zero. The caller's spelling of the name
  // replaces the stored one. Returns 1 when the table holds name=value afterwards, 0 when the name
  // is missing and onlyExisting is set, or when memory runs out (the table then stays as it was).
  int setValue(const char* name, const char* value, int onlyExisting);

  // Read a value: 1 when name exists (a null output only tests that), 0 when not, leaving the
  // output untouched. getShort keeps the low 16 bits of atoi's value, getInt takes atoi's, getReal
  // atof's. getText copies at most size - 1 characters and a terminator (size 0 writes nothing).
  int getShort(const char* name, int16_t* out) const;
  int getInt(const char* name, int32_t* out) const;
  int getReal(const char* name, double* out) const;
  int getText(const char* name, char* out, int size) const;
  // The stored value text of name, or null when it is missing; valid until the next change.
  const char* getRaw(const char* name) const;

  // Writes every entry as a "name=value" line to the bound file, through a new file that replaces
  // the old one only when it was written whole. Only when the table is modified and bound; the
  // modified flag clears only after a whole write. 1 when there was nothing to write or the file
  // was written, 0 when writing failed (the old file stays, the table stays modified).
  int save();
  // Saves first when saveFirst is non-zero, then empties the table and unbinds it.
  void clear(int saveFirst);

  // Stores every entry as the drawing storage text base\name (the default root dictionary).
  void exportToDrawing(const char* base) const;
  // Sets every entry from the drawing storage text base\name, read whole. A missing entry, or one
  // that holds no text, leaves the value as it is (the storage prints its warning).
  void importFromDrawing(const char* base);

  int count() const { return count_; }
  int capacity() const { return capacity_; }
  bool isModified() const { return modified_; }
  const char* path() const { return path_.c_str(); }
  // The name of entry index (0 <= index < count()), in the order names were first added.
  const char* nameAt(int index) const { return entries_[index].name; }

private:
  struct Entry {
    char* name;
    char* value;
  };
  int find(const char* name) const;
  bool reserve(int capacity);
  void freeEntries();

  Entry* entries_ = nullptr;
  int32_t count_ = 0;
  int32_t capacity_ = 0;
  bool modified_ = false;
  std::string path_;
};

} // namespace qv
