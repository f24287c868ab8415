// Reading and writing files of name=value lines as record chains.
#include "records/name_value_file.h"

#include <cstring>

#include "platform/win/windows.h"
#include "records/allocation_watch.h"
#include "records/internal/text_lines.h"
#include "records/uni_record.h"
#include "support/file_rewrite.h"

namespace qv {

namespace {

constexpr int kNameValueRead = 1024; // a read holds at most 1023 characters

} // namespace

IQvUniRecord* readNameValueFile(const char* path, int share) {
  FILE* file = textfile::openForReading(path, share);
  if (file == nullptr) {
    return nullptr;
  }
  IQvUniRecord* first = nullptr;
  IQvUniRecord* last = nullptr;
  QvAllocationWatch watch;
  char line[kNameValueRead];
  while (fgets(line, kNameValueRead, file) != nullptr) {
    char* text = textfile::trimInPlace(line, std::strlen(line));
    while (*text == '=') {
      ++text;
    }
    char* cut = std::strchr(text, '=');
    if (cut == nullptr) {
      continue; // no value
    }
    char* valueStart = cut;
    while (*valueStart == '=') {
      ++valueStart;
    }
    if (*valueStart == '\0') {
      continue;
    }
    const char* name = textfile::trimInPlace(text, static_cast<size_t>(cut - text));
    char* value = textfile::trimInPlace(valueStart, std::strlen(valueStart));
    if (*value == '"') {
      ++value;
      const size_t length = std::strlen(value);
      if (length > 0 && value[length - 1] == '"') {
        value[length - 1] = '\0';
      }
    }
    if (*name == '\0') {
      continue;
    }
    QvUniRecord* record = QvUniRecord::create();
    if (record == nullptr) {
      break;
    }
    record->setId(name);
    record->setField("name", name, 0, nullptr);
    record->setField("value", value, 0, nullptr);
    if (first == nullptr) {
      first = record;
    } else {
      last->setNext(record);
    }
    last = record;
  }
  fclose(file);
  // A file read only in part is not handed out as if it were whole.
  if (watch.failed() && first != nullptr) {
    first->releaseChain();
    first = nullptr;
  }
  return first;
}

int writeNameValueFile(const char* path, const IQvUniRecord* first, int share) {
  QvFileRewrite rewrite(path, nullptr, "w", share);
  FILE* out = rewrite.file();
  if (out == nullptr) {
    return 0;
  }
  for (const IQvUniRecord* record = first; record != nullptr; record = record->next()) {
    const char* name = textfile::fieldValue(record, "name");
    if (name == nullptr || name[0] == '\0') {
      name = record->getId() != nullptr ? record->getId() : "";
    }
    const char* value = textfile::fieldValue(record, "value");
    fprintf(out, "%s=%s\n", name, value != nullptr ? value : "");
  }
  return rewrite.commit();
}

} // namespace qv
