// A command's options kept in its own variables (integers, reals, texts), moved all at once
// between those variables and four stores: a file of name=value lines, the drawing storage,
// AutoLISP symbols and extended data. Entries are swept newest first, and disabled entries are
// skipped by every sweep. The caller's variables and group texts must outlive the set. Host main
// thread only.
//
//   int32_t precision = 3;
//   char units[32] = "Feet";
//   QvVariableSet options("C:\\Quorvane\\survey.ini", "QVSURVEY", "Survey");
//   options.addInteger("precision", &precision, nullptr);
//   options.addText("units", units, sizeof units, "display");
//   options.readFile();      // precision=4 / units=Meters lines set the variables
//   options.saveToDrawing(); // Survey\precision and Survey\display\units
#pragma once

#include <cstdint>
#include <string>

#include "platform/acad/adsdef.h"

namespace qv {

class QvVariableSet {
public:
  // Entry types.
  static constexpr int kInteger = 1; // 32-bit signed
  static constexpr int kReal = 2;    // double
  static constexpr int kText = 4;    // a character buffer of a given capacity

  // path: the name=value file; application: the registered application name of extended data;
  // dictionaryBase: the first component of the entries' drawing storage paths. Null gives "".
  QvVariableSet(const char* path, const char* application, const char* dictionaryBase);
  // The same names and entries (new copies of the entry names, the same variables and group
  // texts, the same disabled flags and order). When memory runs out, the entries copied so far.
  QvVariableSet(const QvVariableSet& other);
  QvVariableSet& operator=(const QvVariableSet&) = delete;
  // Frees the entries, never the variables.
  ~QvVariableSet();

  // Push an entry at the front. The group, when not null, is the middle component of the entry's
  // drawing storage path. Duplicate names are taken. 1; 0 when memory runs out or name or
  // variable is null. A long is taken as the 32-bit integer it is on the host's platform.
  int addInteger(const char* name, int32_t* variable, const char* group);
  int addInteger(const char* name, long* variable, const char* group);
  int addReal(const char* name, double* variable, const char* group);
  // capacity: of buffer, terminator included; texts going in keep at most capacity - 1
  // characters, and a capacity of 0 takes none.
  int addText(const char* name, char* buffer, int capacity, const char* group);

  // Sets the disabled flag of the newest entry named name exactly: 1, or 0 when there is none.
  int setDisabled(const char* name, int flag);
  // Clears every disabled flag; 1.
  int enableAll();

  // The file: each line "name=value" sets the newest enabled entry of that exact name: integers
  // as atoi reads the value, reals as atof, texts cut to their capacity ("name=" empties a text
  // and leaves a number). Lines are read whole. 1; 0 when the path is empty or the file cannot be
  // opened or read to its end (what was read is kept).
  int readFile();
  // Rewrites the file with one line per enabled entry, newest first: "%s=%d", "%s=%f" or
  // "%s=%s". The new file replaces the old one only when written whole. 1; 0 when the path is
  // empty or the file could not be written (the old one then stays).
  int writeFile();

  // The drawing storage (default root dictionary), at base\group\name or base\name. Loading
  // leaves a variable whose entry is missing or empty as it is (the storage prints a warning for
  // a missing one); saving writes every non-empty value. Both return 1.
  int loadFromDrawing();
  int saveToDrawing();

  // AutoLISP symbols of the entries' names. Loading sets a variable whose symbol is missing or of
  // another type to 0, 0.0 or the empty text; texts are read whole and then cut to the capacity.
  // Saving writes integers as 16-bit values within that range and as 32-bit beyond it, reals and
  // texts as they are; a refused symbol prints its message and the sweep goes on. Both return 1.
  int loadFromLisp();
  int saveToLisp();

  // Takes the entries' values, newest first, from extended data items: after the item 1001 of
  // the set's application when findApplication is non-zero. Integers take 1071 or 1070, reals
  // 1040, texts 1000 (cut to capacity); an item of another type is passed over without changing
  // the variable. rest, when not null, gets the first item not taken. 1; 0 when list is null,
  // the application is not found, or the items run out first.
  int loadFromXdata(const resbuf* list, int findApplication, const resbuf** rest) const;
  // Fills the caller's array of capacity items and links them: a -3 item when withHeader, a 1001
  // item with the application name when withApplication, then one item per enabled entry, newest
  // first (1071, 1040, or 1000 pointing at the caller's own buffer). With a filter, only entries
  // whose names contain filter or "global_". Only filled items are linked; the items point into
  // the set and the variables, so they are not released. Returns the number of items; 0 when
  // they do not fit in capacity (or capacity is 0).
  int buildXdata(resbuf* array, int capacity, int withHeader, const char* filter,
                 int withApplication) const;

  const char* path() const { return path_.c_str(); }
  const char* application() const { return application_.c_str(); }
  const char* dictionaryBase() const { return dictionaryBase_.c_str(); }

private:
  struct Entry {
    char* name;
    void* variable;
    int type;
    bool isLong; // an integer held in a long
    int capacity;
    const char* group;
    int disabled;
    Entry* next;
  };
  Entry* push(const char* name, void* variable, int type, const char* group);
  static int32_t integerOf(const Entry& entry);
  static void setInteger(const Entry& entry, int32_t value);
  static void setText(const Entry& entry, const char* text);
  // The text of a text entry, to its terminator or its capacity, whichever comes first.
  static std::string textOf(const Entry& entry);
  // The entry's drawing storage path.
  std::string storagePath(const Entry& entry) const;

  std::string path_;
  std::string application_;
  std::string dictionaryBase_;
  Entry* first_ = nullptr; // newest first
};

} // namespace qv
