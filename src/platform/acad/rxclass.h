// Class descriptions of the host's runtime: every database class has one, reached with desc() on
// the class and isA() on an object, so that code can ask what an object is without RTTI.
#pragma once

class AcRxClass {
public:
  AcRxClass(const char* name, const AcRxClass* parent) : name_(name), parent_(parent) {}
  AcRxClass(const AcRxClass&) = delete;
  AcRxClass& operator=(const AcRxClass&) = delete;

  const char* name() const { return name_; }
  AcRxClass* myParent() const { return const_cast<AcRxClass*>(parent_); }
  // True for this class and every class derived from it.
  bool isDerivedFrom(const AcRxClass* other) const {
    for (const AcRxClass* walk = this; walk != nullptr; walk = walk->parent_) {
      if (walk == other) {
        return true;
      }
    }
    return false;
  }

private:
  const char* name_;
  const AcRxClass* parent_;
};
