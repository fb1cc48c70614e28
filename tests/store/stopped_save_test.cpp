// A save stopped at each of its steps, by a failure there and by the program being killed there: the
// save file on disk is always the whole old save or the whole new one, and the next save goes through
// without a temporary file left behind.
#include <errno.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "store/backups.h"
#include "store/builders.h"
#include "store/file_io.h"
#include "store/savefile.h"

namespace polmina::testing {
namespace {

class StoppedSave : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(saveGame(*plausibleGame(100), dir.path()));
    oldSave = readBytes(file());
    next = plausibleGame(7);
    next->year = 2009;
    next->cats[5].totalPrize = 77777;
    // The new save as it comes out over the old one, and the steps it takes there.
    TempDir other;
    writeBytes(savePath(other.path()), oldSave);
    setReplaceStepHook([this](ReplaceStep step) {
      steps.push_back(step);
      return 0;
    });
    ASSERT_TRUE(saveGame(*next, other.path()));
    setReplaceStepHook({});
    newSave = readBytes(savePath(other.path()));
    ASSERT_NE(newSave, oldSave);
  }
  void TearDown() override { setReplaceStepHook({}); }

  std::filesystem::path file() const { return savePath(dir.path()); }
  bool tempLeft() const { return std::filesystem::exists(tempPathFor(file())); }

  // Stops the save at its step number `at` with `stop` (what the hook does there).
  void stopAt(size_t at, const std::function<int()>& stop) {
    setReplaceStepHook([at, stop, n = size_t{0}](ReplaceStep) mutable { return n++ == at ? stop() : 0; });
  }

  // A save of `next` by another process, killed at its step number `at`: true when it died there.
  bool killedAt(size_t at) {
    const pid_t child = ::fork();
    if (child == 0) {
      stopAt(at, [] { return ::raise(SIGKILL); });
      saveGame(*next, dir.path());
      ::_exit(0);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  }

  // The next save after a stopped one: it replaces whatever is there and leaves nothing beside it.
  void expectNextSaveClean(size_t at) {
    setReplaceStepHook({});
    ASSERT_TRUE(saveGame(*next, dir.path())) << "step " << at;
    EXPECT_EQ(readBytes(file()), newSave) << "step " << at;
    EXPECT_FALSE(tempLeft()) << "step " << at;
    auto s = std::make_unique<GameState>();
    ASSERT_TRUE(loadGame(*s, dir.path())) << "step " << at;
    EXPECT_EQ(s->year, 2009);
  }

  TempDir dir;
  Bytes oldSave, newSave;
  std::unique_ptr<GameState> next;
  std::vector<ReplaceStep> steps;
};

TEST_F(StoppedSave, StepsOfOneSave) {
  using enum ReplaceStep;
  const size_t writes = (newSave.size() + WritePiece - 1) / WritePiece;
  std::vector<ReplaceStep> expected{CreateTemp};
  expected.insert(expected.end(), writes, Write);
  expected.insert(expected.end(), {FlushFile, CloseFile, Rename, FlushDirectory});
  EXPECT_EQ(steps, expected);
}

TEST_F(StoppedSave, FailureAtEachStep) {
  for (size_t at = 0; at < steps.size(); ++at) {
    writeBytes(file(), oldSave);
    stopAt(at, [] { return EIO; });
    const StoreResult r = saveGame(*next, dir.path());
    EXPECT_FALSE(r.ok) << "step " << at;
    EXPECT_FALSE(tempLeft()) << "step " << at;
    const bool replaced = steps[at] == ReplaceStep::FlushDirectory;
    EXPECT_EQ(readBytes(file()), replaced ? newSave : oldSave) << "step " << at;
    // The player is told whether the old save is still there.
    EXPECT_EQ(r.message.find(u"前回のセーブデータはそのまま残っています") != std::u16string::npos, !replaced);
    expectNextSaveClean(at);
  }
}

TEST_F(StoppedSave, KilledAtEachStep) {
  for (size_t at = 0; at < steps.size(); ++at) {
    writeBytes(file(), oldSave);
    ASSERT_TRUE(killedAt(at)) << "step " << at;
    const bool renamed = steps[at] == ReplaceStep::FlushDirectory;
    EXPECT_EQ(readBytes(file()), renamed ? newSave : oldSave) << "step " << at;
    expectNextSaveClean(at);
  }
}

TEST_F(StoppedSave, LeftoverLinkAtTheTemporaryNameIsNotFollowed) {
  const auto victim = dir.path() / "someone-elses-file";
  writeBytes(victim, Bytes{1, 2, 3});
  std::filesystem::create_symlink(victim, tempPathFor(file()));
  expectNextSaveClean(0);
  EXPECT_EQ(readBytes(victim), (Bytes{1, 2, 3}));
}

TEST_F(StoppedSave, KillsBetweenTheBackupAndTheRenameLeaveTheOlderSavesThere) {
  auto between = plausibleGame(100);
  between->year = 2005;
  ASSERT_TRUE(saveGame(*between, dir.path()));
  const Bytes betweenSave = readBytes(file());
  const size_t rename = static_cast<size_t>(std::find(steps.begin(), steps.end(), ReplaceStep::Rename) - steps.begin());
  for (int kill = 0; kill < 5; ++kill) ASSERT_TRUE(killedAt(rename));
  expectNextSaveClean(0);
  const auto backups = listBackups(dir.path());
  ASSERT_EQ(backups.size(), 2u) << "one backup of each save before the current one";
  EXPECT_EQ(readBytes(backups[0].file), betweenSave);
  EXPECT_EQ(readBytes(backups[1].file), oldSave);
}

}  // namespace
}  // namespace polmina::testing
