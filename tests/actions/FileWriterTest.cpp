#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "WithoutRoot.h"
#include "actions/ActionLists.h"
#include "actions/FileWriter.h"

using namespace actions;
namespace fs = std::filesystem;

namespace {

class FileWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ =
        fs::temp_directory_path() / ("rovalis_writer_" + std::to_string(::getpid()) + "_" + test->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder_, ignored);
  }

  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.insert(entry.path().filename().string());
    return names;
  }

  fs::path folder_;
};

std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t value) {
  return std::vector<std::uint8_t>(size, value);
}

std::vector<std::uint8_t> Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

fs::perms Permissions(const fs::path& path) {
  return fs::status(path).permissions() & fs::perms::mask;
}

// A disk that takes `room` bytes and then reports itself full.
WriteCall FullAfter(std::size_t room) {
  auto left = std::make_shared<std::size_t>(room);
  return [left](int fd, const void* data, std::size_t size) -> ssize_t {
    if (*left == 0) {
      errno = ENOSPC;
      return -1;
    }
    const ssize_t n = ::write(fd, data, std::min(size, *left));
    if (n > 0) *left -= static_cast<std::size_t>(n);
    return n;
  };
}

}  // namespace

// Targets the writer must refuse: the old content stays and no file is left behind.
TEST_F(FileWriterTest, RefusedTargetsLeaveEverythingAsItWas) {
  struct Case {
    std::string name;
    std::function<fs::path(const fs::path&)> prepare;  // returns the target
    std::string reason;
    WriteCall write;
  };
  const Case cases[] = {
      {"folder",
       [](const fs::path& f) {
         fs::create_directories(f / "out" / "inside");
         return f / "out";
       },
       "Is a directory",
       {}},
      {"missing folder",
       [](const fs::path& f) { return f / "none" / "out.bin"; },
       "No such file or directory",
       {}},
      {"link loop",
       [](const fs::path& f) {
         fs::create_symlink("b", f / "a");
         fs::create_symlink("a", f / "b");
         return f / "a";
       },
       "Too many levels of symbolic links",
       {}},
      {"full disk",
       [](const fs::path& f) {
         Put(f / "out.bin", "old");
         return f / "out.bin";
       },
       "No space left on device", FullAfter(1000)},
      {"disk taking nothing",
       [](const fs::path& f) {
         Put(f / "out.bin", "old");
         return f / "out.bin";
       },
       "No space left on device", [](int, const void*, std::size_t) -> ssize_t { return 0; }},
      {"folder that is a file",
       [](const fs::path& f) {
         Put(f / "plain", "x");
         return f / "plain" / "out.bin";
       },
       "Not a directory",
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    const fs::path target = c.prepare(folder_);
    const std::set<std::string> before = Names();
    std::error_code ec;
    const bool hadFile = fs::is_regular_file(target, ec);
    const std::string error = WriteFileAtomically(target, Pattern(5000, 7), {c.write});
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_NE(error.find(target.filename().string()), std::string::npos) << error;
    EXPECT_EQ(Names(), before);
    if (hadFile) {
      EXPECT_EQ(Read(target), std::vector<std::uint8_t>({'o', 'l', 'd'}));
    }
  }
}

TEST_F(FileWriterTest, AReadOnlyFolderRefusesTheSaveAndKeepsTheFile) {
  const fs::path folder = folder_ / "ro", target = folder / "out.bin";
  fs::permissions(folder_, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
  fs::create_directories(folder);
  Put(target, "old");
  fs::permissions(target, fs::perms::all);
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  EXPECT_WITHOUT_ROOT([&] {
    const std::string error = WriteFileAtomically(target, Pattern(100, 1));
    return error.find("Permission denied") != std::string::npos && error.find("out.bin") != std::string::npos;
  });
  EXPECT_EQ(Read(target), std::vector<std::uint8_t>({'o', 'l', 'd'}));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

// Whatever the target was, it keeps what it was: permissions, links, other files beside it.
TEST_F(FileWriterTest, ReplacedFilesKeepTheirPermissionsLinksAndNeighbours) {
  struct Case {
    std::string name;
    fs::path target;  // relative to the folder; what the writer is given
    fs::path real;    // the regular file that must hold the bytes
    std::function<void(const fs::path&)> prepare;
    fs::perms expected;
  };
  const auto rw = fs::perms::owner_read | fs::perms::owner_write;
  const Case cases[] = {
      {"private file", "out.bin", "out.bin",
       [&](const fs::path& f) {
         Put(f / "out.bin", "x");
         fs::permissions(f / "out.bin", rw);
       },
       rw},
      {"shared read-only file", "out.bin", "out.bin",
       [](const fs::path& f) {
         Put(f / "out.bin", "x");
         fs::permissions(f / "out.bin",
                         fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       },
       fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read},
      {"link to a file", "link.bin", "real/out.bin",
       [&](const fs::path& f) {
         fs::create_directories(f / "real");
         Put(f / "real" / "out.bin", "x");
         fs::permissions(f / "real" / "out.bin", rw);
         fs::create_symlink("real/out.bin", f / "link.bin");
       },
       rw},
      {"link to a link", "link2.bin", "out.bin",
       [&](const fs::path& f) {
         Put(f / "out.bin", "x");
         fs::permissions(f / "out.bin", rw);
         fs::create_symlink(f / "out.bin", f / "link1.bin");
         fs::create_symlink("link1.bin", f / "link2.bin");
       },
       rw},
      {"link to a file still to be made", "dangling.bin", "new.bin",
       [](const fs::path& f) { fs::create_symlink("new.bin", f / "dangling.bin"); },
       fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read},
      {"user's own TARGET.tmp", "out.bin", "out.bin",
       [&](const fs::path& f) {
         Put(f / "out.bin", "x");
         fs::permissions(f / "out.bin", rw);
         Put(f / "out.bin.tmp", "mine");
         Put(f / ".out.bin.tmp", "mine too");
       },
       rw},
  };
  const mode_t oldMask = ::umask(022);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    c.prepare(folder_);
    std::set<std::string> before = Names();
    before.insert(c.real.begin()->string());
    const auto bytes = Pattern(3000, 0x5A);
    ASSERT_EQ(WriteFileAtomically(folder_ / c.target, bytes), "");
    EXPECT_EQ(Read(folder_ / c.real), bytes);
    EXPECT_EQ(Permissions(folder_ / c.real), c.expected);
    EXPECT_EQ(Names(), before);
    if (c.target != c.real) {
      EXPECT_TRUE(fs::is_symlink(folder_ / c.target));
    }
    if (fs::exists(folder_ / "out.bin.tmp")) {
      EXPECT_EQ(Read(folder_ / "out.bin.tmp").size(), 4u);
      EXPECT_EQ(Read(folder_ / ".out.bin.tmp").size(), 8u);
    }
  }
  ::umask(oldMask);
}

// A FIFO (as a device would be) is written where it is and stays a FIFO.
TEST_F(FileWriterTest, AFifoIsWrittenDirectlyAndNotReplaced) {
  const fs::path fifo = folder_ / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink("pipe", folder_ / "to-pipe");
  for (const fs::path& target : {fifo, folder_ / "to-pipe"}) {
    SCOPED_TRACE(target.string());
    // Opened for reading first, so that the writer's open does not wait for a reader.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const auto bytes = Pattern(1000, 0x42);
    EXPECT_EQ(WriteFileAtomically(target, bytes), "");
    std::vector<std::uint8_t> got(2000);
    const ssize_t n = ::read(reader, got.data(), got.size());
    ::close(reader);
    got.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    EXPECT_EQ(got, bytes);
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
    EXPECT_EQ(Names(), (std::set<std::string>{"pipe", "to-pipe"}));
  }
}

TEST_F(FileWriterTest, ConcurrentWritersEachLeaveAWholeFile) {
  const fs::path target = folder_ / "out.bin";
  const std::size_t size = 256 * 1024;
  std::atomic<bool> done{false};
  std::atomic<int> failures{0};
  auto writer = [&](std::uint8_t value) {
    const auto bytes = Pattern(size, value);
    for (int i = 0; i < 40; ++i)
      if (!WriteFileAtomically(target, bytes).empty()) ++failures;
  };
  std::thread a(writer, 0xAA), b(writer, 0xBB);
  std::thread reader([&] {
    while (!done) {
      const auto seen = Read(target);
      if (seen.empty()) continue;  // not yet made
      ASSERT_EQ(seen.size(), size);
      ASSERT_TRUE(seen == Pattern(size, seen[0])) << "a mixed file";
    }
  });
  a.join();
  b.join();
  done = true;
  reader.join();
  EXPECT_EQ(failures, 0);
  const auto last = Read(target);
  EXPECT_TRUE(last == Pattern(size, 0xAA) || last == Pattern(size, 0xBB));
  EXPECT_EQ(Names(), std::set<std::string>{"out.bin"});
}

// What an interrupted save left is cleared by the next save of that target; everything
// else, a save still running included, stays.
TEST_F(FileWriterTest, StaleTemporariesGoWithTheNextSave) {
  struct Case {
    std::string name;
    bool removed;
  };
  const std::string prefix = TemporaryPrefix("list.rvl");
  const Case cases[] = {
      {prefix + "a1B2c3", true},
      {".list.rvl.123456.tmp", true},
      {".list.rvl.7.tmp", true},
      {prefix + "a1B2", false},
      {prefix + "a1B2c3d", false},
      {prefix + "a1-2c3", false},
      {".other.rvl.rovalis-tmp-a1B2c3", false},
      {".list.rvl.1234567.tmp", false},
      {".list.rvl.12a.tmp", false},
      {"list.rvl.tmp", false},
      {"list.rvl.123456.tmp", false},
  };
  for (const Case& c : cases) Put(folder_ / c.name, "left");
  const fs::path held = folder_ / (prefix + "Held00");
  Put(held, "a save still running");
  const int lock = ::open(held.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(lock, LOCK_EX), 0);
  fs::create_directories(folder_ / (prefix + "Dir000"));

  ASSERT_EQ(WriteFileAtomically(folder_ / "list.rvl", Pattern(10, 1)), "");
  ::close(lock);
  for (const Case& c : cases) EXPECT_EQ(fs::exists(folder_ / c.name), !c.removed) << c.name;
  EXPECT_TRUE(fs::exists(held));
  EXPECT_TRUE(fs::is_directory(folder_ / (prefix + "Dir000")));
  EXPECT_EQ(RemoveStaleTemporaries(folder_ / "list.rvl"), 1);  // the one no longer held
}

// A save killed halfway leaves its temporary file; the application's next save of that file
// clears it away.
TEST_F(FileWriterTest, AKilledSaveIsClearedByTheApplicationsNextSave) {
  const fs::path target = folder_ / "list.rvl";
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const WriteCall stuck = [&](int, const void*, std::size_t) -> ssize_t {
      [[maybe_unused]] ssize_t told = ::write(ready[1], "x", 1);
      for (;;) ::pause();
    };
    WriteFileAtomically(target, Pattern(100, 1), {stuck});
    ::_exit(0);
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  ::close(ready[0]);
  ::close(ready[1]);
  const std::set<std::string> left = Names();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_TRUE(left.begin()->starts_with(TemporaryPrefix("list.rvl")));

  ActionLists lists;
  lists.AppendTile(ActionKind::Forward);
  ASSERT_EQ(lists.SaveToPath(target), "");
  EXPECT_EQ(Names(), std::set<std::string>{"list.rvl"});
}

TEST(WriteAll, ResumesAfterShortWritesAndReportsTheFailure) {
  int pipes[2];
  ASSERT_EQ(::pipe(pipes), 0);
  const std::vector<std::uint8_t> bytes{1, 2, 3, 4, 5, 6, 7};
  std::vector<std::size_t> sizes;
  const WriteCall oneByte = [&](int fd, const void* data, std::size_t size) {
    sizes.push_back(size);
    return ::write(fd, data, 1);
  };
  EXPECT_EQ(WriteAll(pipes[1], bytes, oneByte), 0);
  EXPECT_EQ(sizes.size(), bytes.size());
  std::vector<std::uint8_t> got(16);
  got.resize(static_cast<std::size_t>(::read(pipes[0], got.data(), got.size())));
  EXPECT_EQ(got, bytes);
  EXPECT_EQ(WriteAll(pipes[1], bytes, FullAfter(3)), ENOSPC);
  ::close(pipes[0]);
  ::close(pipes[1]);
}
