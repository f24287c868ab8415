// Property files and variable sets when memory runs out at any allocation: no exception escapes,
// nothing leaks, and what is kept is whole. (Writes to the drawing and AutoLISP are swept through
// the host's calls instead.)
#include <string>

#include "platform/sim.h"
#include "records/drawing_storage.h"
#include "settings/settings.h"
#include "testing/failing_new.h"
#include "testing/host_test.h"

namespace {

class SettingsAllocationTest : public qvtest::HostTest {
protected:
  SettingsAllocationTest() : HostTest('A') {}
};

TEST_F(SettingsAllocationTest, EveryFailedAllocationIsContained) {
  const qv::QvPropertyDefault defaults[] = {{"Units", "Feet"}, {"Scale", "1"}};
  const std::string longText(600, 'q');
  writeHost("p.ini", "Units=" + longText + "\r\nScale=2\r\n");
  writeHost("v.txt", "n=" + longText + "\r\nr=1.5\r\n");
  const auto body = [&](int) {
    // A drawing of each run's own, closed with what the run stored in it.
    int document = 0;
    {
      qvtest::UnfailingAllocations seeding;
      document = sim::openDocument("C:\\work\\sweep.dwg");
      qv::writeStorageText("D\\Units", "Meters", nullptr);
    }
    {
      qv::QvPropertyFile file;
      file.open("A:\\p.ini", defaults, 2);
      file.setValue("Extra", longText.c_str(), 0);
      file.importFromDrawing("D");
      file.save();
      // A default that found no memory is missing; a value is one of those given, whole.
      qvtest::UnfailingAllocations checking;
      const std::string units = file.getRaw("Units") != nullptr ? file.getRaw("Units") : "Feet";
      EXPECT_TRUE(units == "Meters" || units == longText || units == "Feet");
    }
    {
      char text[16] = "";
      double real = 0;
      qv::QvVariableSet set("A:\\v.txt", "APP", "B");
      set.addText("n", text, sizeof text, "g");
      set.addReal("r", &real, nullptr);
      const qv::QvVariableSet copy(set);
      copy.buildXdata(nullptr, 0, 0, nullptr, 0);
      set.readFile();
      set.writeFile();
      set.loadFromDrawing();
    }
    qvtest::UnfailingAllocations closing;
    sim::takeCommandLine();
    EXPECT_TRUE(sim::closeDocument(document));
  };
  body(0); // the host's first uses stay for the session
  const int points = qvtest::forEachAllocationFailure(body);
  EXPECT_GE(points, 10);
}

} // namespace
