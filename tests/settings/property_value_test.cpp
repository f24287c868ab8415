// One value of a property file, read or set, when the file layer or memory fails.
#include <string>

#include "platform/sim.h"
#include "settings/settings.h"
#include "testing/failing_new.h"
#include "testing/host_test.h"

namespace {

class PropertyValueTest : public qvtest::HostTest {
protected:
  PropertyValueTest() : HostTest('A') {}
};

// However memory runs out, the file keeps every name: either the new value is saved whole or
// the old file stays; a read finds the value or answers 0.
TEST_F(PropertyValueTest, RunningOutOfMemoryLosesNoName) {
  const std::string before = "Units=Feet\r\nPrecision=3\r\nNote=a=b\r\n";
  const std::string after = "Units=Feet\r\nprecision=4\r\nNote=a=b\r\n";
  const std::string file = atDrive("A:\\p.ini"); // made before the allocation sweep
  const auto body = [&](int) {
    {
      const qvtest::UnfailingAllocations setup;
      writeHost("p.ini", before);
    }
    std::string note = "none";
    const int found = qv::readPropertyValue(file.c_str(), "NOTE", note);
    const int written = qv::writePropertyValue(file.c_str(), "precision", "4");
    const qvtest::UnfailingAllocations checking;
    EXPECT_EQ(note, found == 1 ? "a=b" : "none");
    EXPECT_EQ(readHost("p.ini"), written == 1 ? after : before);
  };
  body(0); // the file layer's first uses stay for the session
  EXPECT_GE(qvtest::forEachAllocationFailure(body), 10);
}

} // namespace
