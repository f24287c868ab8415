// The root class of the host's runtime objects.
#pragma once

// Objects that the host's system registry holds and hands out derive from this class.
class AcRxObject {
public:
  virtual ~AcRxObject() = default;
};
