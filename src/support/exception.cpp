// The exceptions of the thread and lock classes.
#include "support/exception.h"

namespace qv {

Exception::Exception(const char* name, int32_t code, const char* message)
    : name_(name != nullptr ? name : ""), code_(code), message_(message != nullptr ? message : "") {
}

Exception::~Exception() = default;

void Exception::release() {
  delete this;
}

void Exception::release(Exception* thrown) {
  if (thrown != nullptr) {
    thrown->release();
  }
}

SyncException::SyncException(int32_t code, const char* message)
    : Exception("SyncException", code, message) {}

SyncException::~SyncException() = default;

} // namespace qv
