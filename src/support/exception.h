// The exceptions of the thread and lock classes: thrown as pointers made with new, and freed by
// the catcher with release.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

class Exception {
public:
  // Keeps copies of the name and message (null reads as empty).
  Exception(const char* name, int32_t code, const char* message);
  virtual ~Exception();
  // Deletes this exception, which must have been made with new.
  virtual void release();
  // Releases a caught exception; null does nothing.
  static void release(Exception* thrown);

  const std::string& name() const { return name_; }
  int32_t code() const { return code_; }
  const std::string& message() const { return message_; }

private:
  std::string name_;
  int32_t code_;
  std::string message_;
};

// What the lock, condition and thread classes throw when the system refuses them a resource:
// an Exception named "SyncException".
class SyncException : public Exception {
public:
  SyncException(int32_t code, const char* message);
  ~SyncException() override;
};

} // namespace qv
