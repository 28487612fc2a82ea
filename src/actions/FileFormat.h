#pragma once
// Reading and writing action list files: the checks and messages of a load, the padding of
// a save, and saving to a path without ever leaving a half-written file.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "actions/FileWriter.h"
#include "actions/ListDocument.h"
#include "actions/Message.h"

namespace actions {

inline constexpr const char* kNotProperFormatMessage = "Not proper Rovalis file format.";
inline constexpr const char* kAdvancedFileMessage =
    "This Rovalis file was saved in Advanced Mode.  You must switch to Advanced Mode before opening this "
    "file.";

enum class LoadStatus {
  Loaded,
  Missing,     // the chosen file does not exist: nothing is said
  Unreadable,  // the file cannot be read: nothing is said
  NotProperFormat,
  OtherVersion,
  AdvancedFile,  // an advanced-mode file while running in beginner mode
};

struct LoadResult {
  LoadStatus Status = LoadStatus::Loaded;
  UiMessage Message;      // empty for Loaded, Missing and Unreadable
  ListDocument Document;  // the document to take over; meaningful only when Loaded
  std::string Reason;     // for Unreadable: why, in the system's words ("Permission denied")
  bool ok() const { return Status == LoadStatus::Loaded; }
};

// "Can not open Rovalis file.  File format is version M.m.  Expected version 1.3."
std::string VersionMessage(std::uint8_t version);

// Checks a file's bytes and makes the document they hold. Only the first 9240 bytes count;
// fewer is not an action list file. Refused as not proper: a wrong header, a step whose kind
// is above 7 or whose sensor set is above 4. Values outside their kind's range are limited as
// a step slot would limit them; the sentinels and the records behind each list's last step
// are made clean sentinel copies.
LoadResult LoadDocument(std::span<const std::uint8_t> bytes, bool advancedMode);

// The 9240 bytes a save writes: header, version, the mode byte, and each list padded with
// copies of its sentinel behind its last step.
DocumentBytes SaveDocument(const ListDocument& doc, bool advancedMode);

// Reads a file; Missing when there is none, Unreadable (with the reason) when it cannot be
// read or is no regular file.
LoadResult LoadDocumentFile(const std::filesystem::path& path, bool advancedMode);

// Why a load failed, in one line, for tools without dialogs: the load's own message, or
// what kept the file from being read.
std::string DescribeLoadFailure(const LoadResult& result);

}  // namespace actions
