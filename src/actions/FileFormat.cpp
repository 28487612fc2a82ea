#include "actions/FileFormat.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#include "actions/ActionKind.h"
#include "actions/ValueRules.h"

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace actions {

namespace {

LoadResult Refuse(LoadStatus status, std::string text = {}) {
  LoadResult result;
  result.Status = status;
  if (!text.empty()) result.Message = UiMessage::Plain(std::move(text));
  return result;
}

bool HeaderMatches(std::span<const std::uint8_t> bytes) {
  if (bytes[0] != kHeaderText.size()) return false;
  return std::equal(kHeaderText.begin(), kHeaderText.end(), bytes.begin() + 1,
                    [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

// Everything that is used as an index or written to the robot must be in range.
bool StepsAreProper(const ListDocument& doc) {
  for (int list = 1; list <= kListCount; ++list) {
    const StepList& records = doc.List(list);
    for (int r = 1, n = doc.StepCount(list); r <= n; ++r) {
      const StepRecord& step = records[r];
      if (!IsValidKind(step.Kind)) return false;
      if (step.BothSet >= kSensorSetCount || step.LeftSet >= kSensorSetCount ||
          step.RightSet >= kSensorSetCount)
        return false;
    }
  }
  return true;
}

void Normalise(ListDocument& doc) {
  for (int list = 1; list <= kListCount; ++list) {
    StepList& records = doc.List(list);
    const int n = doc.StepCount(list);
    records[0] = kSentinel;
    for (int r = 1; r <= n; ++r) records[r].Value = ClampToLimits(records[r].kind(), r, records[r].Value);
    for (int r = n + 1; r < kRecordsPerList; ++r) records[r] = kSentinel;
  }
}

std::string ErrorText(const char* what, const std::filesystem::path& path, int error) {
  return std::string(what) + " \"" + path.string() + "\". " + std::generic_category().message(error);
}

}  // namespace

std::string VersionMessage(std::uint8_t version) {
  return "Can not open Rovalis file.  File format is version " + std::to_string(version >> 4) + "." +
         std::to_string(version & 15) + ".  Expected version " + std::to_string(kFormatVersion >> 4) + "." +
         std::to_string(kFormatVersion & 15) + ".";
}

LoadResult LoadDocument(std::span<const std::uint8_t> bytes, bool advancedMode) {
  if (bytes.size() < kDocumentSize || !HeaderMatches(bytes))
    return Refuse(LoadStatus::NotProperFormat, kNotProperFormatMessage);
  if (bytes[20] != kFormatVersion) return Refuse(LoadStatus::OtherVersion, VersionMessage(bytes[20]));
  if (!advancedMode && bytes[21] != 0) return Refuse(LoadStatus::AdvancedFile, kAdvancedFileMessage);
  ListDocument doc = FromBytes(bytes.first<kDocumentSize>());
  if (!StepsAreProper(doc)) return Refuse(LoadStatus::NotProperFormat, kNotProperFormatMessage);
  Normalise(doc);
  LoadResult result;
  result.Document = doc;
  return result;
}

DocumentBytes SaveDocument(const ListDocument& doc, bool advancedMode) {
  ListDocument saved = doc;
  saved.PrepareForSave(advancedMode);
  return ToBytes(saved);
}

LoadResult LoadDocumentFile(const std::filesystem::path& path, bool advancedMode) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return Refuse(LoadStatus::Missing);
  std::ifstream in(path, std::ios::binary);
  if (!in) return Refuse(LoadStatus::Unreadable);
  std::vector<std::uint8_t> bytes(kDocumentSize);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return Refuse(LoadStatus::Unreadable);
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return LoadDocument(bytes, advancedMode);
}

std::string DescribeLoadFailure(const LoadResult& result) {
  switch (result.Status) {
    case LoadStatus::Loaded:
      return {};
    case LoadStatus::Missing:
      return "No such file.";
    case LoadStatus::Unreadable:
      return "The file cannot be read.";
    default:
      return result.Message.Literal;
  }
}

std::string WriteFileAtomically(const std::filesystem::path& requested, std::span<const std::uint8_t> bytes) {
  // Through a link the file it names is replaced, not the link.
  std::error_code linkError;
  std::filesystem::path path = requested;
  if (std::filesystem::is_symlink(requested, linkError)) {
    std::filesystem::path resolved = std::filesystem::weakly_canonical(requested, linkError);
    if (!linkError) path = resolved;
  }
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  std::random_device seed;
  std::mt19937 random(seed());
  std::filesystem::path temporary;
  std::FILE* file = nullptr;
  int error = 0;
  for (int attempt = 0; attempt < 100 && !file; ++attempt) {
    temporary = folder / ("." + path.filename().string() + "." + std::to_string(random() % 1000000) + ".tmp");
    errno = 0;
    file = std::fopen(temporary.string().c_str(), "wbx");  // never reuses an existing name
    error = errno;
    if (!file && error != EEXIST) break;
  }
  if (!file) return ErrorText("Cannot create file", path, error ? error : EIO);

  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  error = written ? 0 : (errno ? errno : EIO);
  if (written && std::fflush(file) != 0) {
    written = false;
    error = errno ? errno : EIO;
  }
#if defined(__unix__) || defined(__APPLE__)
  if (written && ::fsync(::fileno(file)) != 0) {
    written = false;
    error = errno ? errno : EIO;
  }
#endif
  if (std::fclose(file) != 0 && written) {
    written = false;
    error = errno ? errno : EIO;
  }
  std::error_code ec;
  // A replaced file keeps its permissions.
  const auto existing = std::filesystem::status(path, ec);
  if (written && !ec && std::filesystem::is_regular_file(existing))
    std::filesystem::permissions(temporary, existing.permissions(), ec);
  ec.clear();
  if (!written) {
    std::filesystem::remove(temporary, ec);
    return ErrorText("Cannot write file", path, error);
  }
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return ErrorText("Cannot create file", path, ec.value());
  }
  return {};
}

}  // namespace actions
