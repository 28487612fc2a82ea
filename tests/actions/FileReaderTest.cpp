#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "WithoutRoot.h"
#include "actions/FileFormat.h"
#include "actions/FileReader.h"

using namespace actions;
namespace fs = std::filesystem;

namespace {

fs::path Folder() {
  const fs::path folder = fs::temp_directory_path() / ("rovalis_reader_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  return folder;
}

}  // namespace

// Every input that is not a readable regular file is refused at once with the reason, and
// the action list load passes that reason on.
TEST(FileReader, RefusesWhatIsNoReadableRegularFile) {
  const fs::path folder = Folder();
  struct Case {
    std::string name;
    std::function<fs::path()> prepare;
    int error;
    std::string reason;
  };
  const Case cases[] = {
      {"missing", [&] { return folder / "none.rvl"; }, ENOENT, "No such file or directory"},
      {"folder",
       [&] {
         fs::create_directories(folder / "dir.rvl");
         return folder / "dir.rvl";
       },
       EISDIR, "Is a directory"},
      {"FIFO without a writer",
       [&] {
         ::mkfifo((folder / "fifo.rvl").c_str(), 0600);
         return folder / "fifo.rvl";
       },
       EINVAL, "Not a regular file (a FIFO)"},
      {"device", [] { return fs::path("/dev/null"); }, EINVAL, "Not a regular file (a character device)"},
      {"link loop",
       [&] {
         fs::create_symlink("loop2.rvl", folder / "loop1.rvl");
         fs::create_symlink("loop1.rvl", folder / "loop2.rvl");
         return folder / "loop1.rvl";
       },
       ELOOP, "Too many levels of symbolic links"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = c.prepare();
    const ReadResult read = ReadRegularFile(path);
    EXPECT_EQ(read.Error, c.error);
    EXPECT_EQ(read.Reason, c.reason);
    EXPECT_TRUE(read.Bytes.empty());
    const LoadResult loaded = LoadDocumentFile(path, true);
    EXPECT_EQ(loaded.Status, c.error == ENOENT ? LoadStatus::Missing : LoadStatus::Unreadable);
    EXPECT_EQ(DescribeLoadFailure(loaded), c.error == ENOENT ? "No such file." : c.reason);
  }
  fs::remove_all(folder);
}

TEST(FileReader, AnUnreadableFileIsRefusedWithTheReason) {
  const fs::path folder = Folder();
  fs::permissions(folder, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
  std::ofstream(folder / "secret.rvl") << "x";
  fs::permissions(folder / "secret.rvl", fs::perms::none);
  EXPECT_WITHOUT_ROOT([&] {
    const ReadResult read = ReadRegularFile(folder / "secret.rvl");
    const LoadResult loaded = LoadDocumentFile(folder / "secret.rvl", true);
    return read.Error == EACCES && read.Reason == "Permission denied" &&
           loaded.Status == LoadStatus::Unreadable && DescribeLoadFailure(loaded) == "Permission denied";
  });
  fs::remove_all(folder);
}

TEST(FileReader, ReadsARegularFileUpToTheLimit) {
  const fs::path folder = Folder();
  std::string text(100000, 'x');
  text[99999] = 'y';
  std::ofstream(folder / "big.bas", std::ios::binary) << text;
  fs::create_symlink("big.bas", folder / "link.bas");
  const ReadResult whole = ReadRegularFile(folder / "link.bas");
  ASSERT_TRUE(whole.ok()) << whole.Reason;
  EXPECT_EQ(std::string(whole.Bytes.begin(), whole.Bytes.end()), text);
  const ReadResult start = ReadRegularFile(folder / "big.bas", 10);
  ASSERT_TRUE(start.ok());
  EXPECT_EQ(std::string(start.Bytes.begin(), start.Bytes.end()), "xxxxxxxxxx");
  fs::remove_all(folder);
}
