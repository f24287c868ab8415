// The host's application services: the database the host is working in.
#pragma once

class AcDbDatabase;

class AcDbHostApplicationServices {
public:
  virtual ~AcDbHostApplicationServices() = default;
  // The database of the current drawing; null when no drawing is open.
  virtual AcDbDatabase* workingDatabase() const;
};

AcDbHostApplicationServices* acdbHostApplicationServices();
