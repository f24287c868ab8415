// The drawing storage: a walk down the root dictionary and its folders, and Xrecord entries.
#include "records/drawing_storage.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/dbxrecrd.h"

namespace qv {

namespace {

// Closes a database object when it goes out of scope, unless released to the caller. A new
// object that never went into the database is its maker's, so it is deleted instead: whichever
// way a write ends, what it made is either in the drawing or gone.
class Opened {
public:
  explicit Opened(AcDbObject* object = nullptr) : object_(object) {}
  ~Opened() { let(); }
  Opened(const Opened&) = delete;
  Opened& operator=(const Opened&) = delete;
  AcDbObject* get() const { return object_; }
  void reset(AcDbObject* object) {
    let();
    object_ = object;
  }
  AcDbObject* release() {
    AcDbObject* object = object_;
    object_ = nullptr;
    return object;
  }

private:
  void let() {
    if (object_ == nullptr) {
      return;
    }
    if (object_->objectId().isNull()) {
      delete object_;
    } else {
      object_->close();
    }
  }

  AcDbObject* object_;
};

struct KeyParts {
  std::vector<std::string> folders; // non-empty names, outermost first
  std::string entry;
};

KeyParts cutKeyPath(const char* keyPath) {
  KeyParts parts;
  const std::string path = keyPath != nullptr ? keyPath : "";
  const size_t last = path.rfind('\\');
  if (last == std::string::npos) {
    parts.entry = path;
    return parts;
  }
  parts.entry = path.substr(last + 1);
  size_t start = 0;
  while (start < last) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos || end > last) {
      end = last;
    }
    if (end > start) {
      parts.folders.push_back(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return parts;
}

// Copies text into a buffer of size bytes (size > 0): at most size - 1 characters and a NUL.
// True when the whole text fitted.
bool copyBounded(char* buffer, size_t size, const char* text) {
  const size_t length = std::strlen(text);
  const size_t kept = length < size ? length : size - 1;
  std::memcpy(buffer, text, kept);
  buffer[kept] = '\0';
  return kept == length;
}

// The walk from the named-object dictionary through the root and the folders. In write mode a
// missing folder is made; any entry on the way that is not a dictionary ends the walk untouched.
AcDbDictionary* openFolder(const KeyParts& parts, const char* rootName, bool readOnly) {
  const AcDb::OpenMode mode = readOnly ? AcDb::kForRead : AcDb::kForWrite;
  AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
  if (database == nullptr) {
    return nullptr;
  }
  AcDbDictionary* named = nullptr;
  if (database->getNamedObjectsDictionary(named, mode) != Acad::eOk) {
    return nullptr;
  }
  Opened current(named);
  std::vector<std::string> names;
  names.push_back(rootName != nullptr ? rootName : kStorageRoot);
  names.insert(names.end(), parts.folders.begin(), parts.folders.end());
  for (const std::string& name : names) {
    auto* dictionary = static_cast<AcDbDictionary*>(current.get());
    AcDbObject* next = nullptr;
    const Acad::ErrorStatus status = dictionary->getAt(name.c_str(), next, mode);
    if (status == Acad::eKeyNotFound && !readOnly) {
      Opened folder(new (std::nothrow) AcDbDictionary());
      AcDbObjectId id;
      if (folder.get() == nullptr ||
          dictionary->setAt(name.c_str(), folder.get(), id) != Acad::eOk) {
        return nullptr;
      }
      next = folder.release(); // added, and open for write
    } else if (status != Acad::eOk) {
      return nullptr;
    }
    Opened opened(next);
    if (AcDbDictionary::cast(next) == nullptr) {
      return nullptr; // an entry, not a folder, under that name
    }
    current.reset(opened.release());
  }
  return static_cast<AcDbDictionary*>(current.release());
}

} // namespace

AcDbDictionary* openStorageFolder(const char* keyPath, const char* rootName, int readOnly) {
  try {
    return openFolder(cutKeyPath(keyPath), rootName, readOnly != 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

int removeStorageEntry(const char* keyPath, const char* rootName) {
  try {
    const KeyParts parts = cutKeyPath(keyPath);
    Opened folder(openFolder(parts, rootName, false));
    if (folder.get() == nullptr) {
      return 0;
    }
    return static_cast<AcDbDictionary*>(folder.get())->remove(parts.entry.c_str()) == Acad::eOk ? 1
                                                                                                : 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

resbuf* listStorageFolders(const char* folderPath, const char* rootName) {
  if (folderPath == nullptr || *folderPath == '\0') {
    return nullptr;
  }
  resbuf* head = nullptr;
  try {
    std::string path = folderPath;
    if (path.back() != '\\') {
      path += '\\'; // the whole path is the folder part
    }
    Opened folder(openFolder(cutKeyPath(path.c_str()), rootName, true));
    if (folder.get() == nullptr) {
      return nullptr;
    }
    AcDbDictionaryIterator* iterator =
        static_cast<AcDbDictionary*>(folder.get())->newIterator(AcRx::kDictSorted);
    if (iterator == nullptr) {
      return nullptr;
    }
    resbuf** tail = &head;
    bool complete = true;
    for (; !iterator->done(); iterator->next()) {
      AcDbObject* object = nullptr;
      if (iterator->getObject(object, AcDb::kForRead) != Acad::eOk) {
        complete = false; // a folder that cannot be looked at would be missing from the list
        break;
      }
      Opened entry(object);
      const char* name = iterator->name();
      if (!object->isKindOf(AcDbDictionary::desc()) || name == nullptr ||
          std::strcmp(name, "(null)") == 0) {
        continue;
      }
      resbuf* item = acutNewRb(RTSTR);
      if (item == nullptr || (item->resval.rstring = acad_strdup(name)) == nullptr) {
        acutRelRb(item);
        complete = false;
        break;
      }
      *tail = item;
      tail = &item->rbnext;
    }
    delete iterator;
    if (!complete) {
      acutRelRb(head);
      return nullptr;
    }
    return head;
  } catch (const std::bad_alloc&) {
    acutRelRb(head);
    return nullptr;
  }
}

void writeStorageEntry(const char* keyPath, const resbuf* list, const char* rootName) {
  try {
    const KeyParts parts = cutKeyPath(keyPath);
    Opened folder(openFolder(parts, rootName, false));
    if (folder.get() == nullptr) {
      return;
    }
    Opened made(new (std::nothrow) AcDbXrecord());
    auto* record = static_cast<AcDbXrecord*>(made.get());
    if (record == nullptr) {
      return;
    }
    // Filled before it goes in, so that a list the host refuses leaves the old entry as it was.
    if (list != nullptr && record->setFromRbChain(*list) != Acad::eOk) {
      acedAlert("Failed!");
      return;
    }
    AcDbObjectId id;
    static_cast<AcDbDictionary*>(folder.get())->setAt(parts.entry.c_str(), record, id);
  } catch (const std::bad_alloc&) {
  }
}

resbuf* readStorageEntry(const char* keyPath, const char* rootName) {
  try {
    const KeyParts parts = cutKeyPath(keyPath);
    AcDbObject* object = nullptr;
    {
      Opened folder(openFolder(parts, rootName, true));
      if (folder.get() == nullptr ||
          static_cast<AcDbDictionary*>(folder.get())
                  ->getAt(parts.entry.c_str(), object, AcDb::kForRead) != Acad::eOk) {
        return nullptr;
      }
    }
    Opened entry(object);
    const AcDbXrecord* record = AcDbXrecord::cast(object);
    resbuf* list = nullptr;
    if (record == nullptr || record->rbChain(&list) != Acad::eOk) {
      return nullptr;
    }
    return list;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void writeStorageText(const char* keyPath, const char* text, const char* rootName) {
  resbuf* item = acutNewRb(1);
  if (item == nullptr) {
    return;
  }
  item->resval.rstring = acad_strdup(text != nullptr ? text : "");
  if (item->resval.rstring != nullptr) {
    writeStorageEntry(keyPath, item, rootName);
  }
  acutRelRb(item);
}

void readStorageText(const char* keyPath, char* buffer, int size, const char* rootName) {
  if (buffer == nullptr || size < 1) {
    return;
  }
  buffer[0] = '\0';
  const char* shown = keyPath != nullptr ? keyPath : "";
  resbuf* list = readStorageEntry(keyPath, rootName);
  if (list == nullptr) {
    acutPrintf("\nWarning 1: dictionary entry %s not found", shown);
    return;
  }
  if (list->restype != 1 || list->resval.rstring == nullptr) {
    acutPrintf("\nWarning 2: dictionary entry %s not found", shown);
  } else {
    copyBounded(buffer, static_cast<size_t>(size), list->resval.rstring);
  }
  acutRelRb(list);
}

int splitKeyPath(const char* keyPath, char* folderPart, size_t folderSize, char* entryName,
                 size_t entrySize) {
  const char* path = keyPath != nullptr ? keyPath : "";
  const char* last = std::strrchr(path, '\\');
  bool fitted = true;
  if (folderPart != nullptr && folderSize > 0) {
    const size_t length = last != nullptr ? static_cast<size_t>(last - path) : 0;
    const size_t kept = length < folderSize ? length : folderSize - 1;
    std::memcpy(folderPart, path, kept);
    folderPart[kept] = '\0';
    fitted = kept == length;
  }
  if (entryName != nullptr && entrySize > 0) {
    fitted = copyBounded(entryName, entrySize, last != nullptr ? last + 1 : path) && fitted;
  }
  return fitted ? 1 : 0;
}

} // namespace qv
