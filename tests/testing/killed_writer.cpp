#include "testing/killed_writer.h"

#ifndef _WIN32

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <atomic>

namespace qvtest {

namespace {

void sleepMicroseconds(long microseconds) {
  timespec pause{microseconds / 1000000, (microseconds % 1000000) * 1000};
  nanosleep(&pause, nullptr);
}

} // namespace

int killDuringWrites(const std::function<void()>& write, const std::function<void()>& check,
                     int rounds) {
  // The child counts its finished writes in memory both processes see.
  void* shared = mmap(nullptr, sizeof(std::atomic<long>), PROT_READ | PROT_WRITE,
                      MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (shared == MAP_FAILED) {
    ADD_FAILURE() << "no shared memory for the child's count";
    return 0;
  }
  auto* finished = new (shared) std::atomic<long>(0);
  int killedInFirstWrite = 0;
  for (int round = 0; round < rounds; ++round) {
    finished->store(0);
    const pid_t child = fork();
    if (child < 0) {
      ADD_FAILURE() << "fork failed";
      break;
    }
    if (child == 0) {
      for (;;) {
        write();
        finished->fetch_add(1);
      }
    }
    sleepMicroseconds((round * 137) % 2000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the writer left on its own in round " << round;
    if (finished->load() == 0) {
      ++killedInFirstWrite;
    }
    check();
  }
  munmap(shared, sizeof(std::atomic<long>));
  return killedInFirstWrite;
}

} // namespace qvtest

#endif
