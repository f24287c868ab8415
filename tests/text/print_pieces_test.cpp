// Long messages reach the host's command line whole, in pieces its 132-character buffer takes.
#include "text/print_pieces.h"

#include <string>

#include "platform/sim.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class PrintPiecesTest : public qvtest::HostTest {};

// A text of the given length whose every position can be told apart, '%' signs included.
std::string numbered(size_t length) {
  std::string text;
  for (size_t i = 0; i < length; ++i) {
    text += "0123456789%abcdefghijklmnopqrstuvwxyz"[i % 37];
  }
  return text;
}

TEST_F(PrintPiecesTest, EveryLengthArrivesWhole) {
  for (size_t length : {0, 1, 131, 132, 133, 264, 265, 1000}) {
    const std::string text = numbered(length);
    qv::PrintInPieces(text.c_str());
    EXPECT_EQ(sim::takeCommandLine(), text) << length;
    qv::PrintLong("<%s>%d", text.c_str(), 7);
    EXPECT_EQ(sim::takeCommandLine(), "<" + text + ">7") << length;
  }
  qv::PrintInPieces(nullptr);
  qv::PrintLong(nullptr);
  EXPECT_EQ(sim::commandLine(), "");
}

TEST_F(PrintPiecesTest, WithoutMemoryTheFirstPieceStillArrives) {
  const std::string text = numbered(300);
  qvtest::forEachFailure("acad_malloc", [&](int nth) {
    qv::PrintLong("%s", text.c_str());
    const std::string printed = sim::takeCommandLine();
    EXPECT_EQ(printed, nth == 1 ? text.substr(0, qv::kCommandLinePiece) : text);
  });
}

} // namespace
