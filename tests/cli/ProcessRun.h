#pragma once
// Runs a tool as a child process with its standard output and error on one pipe, optionally
// sending it a signal as soon as a given text appears in that output.

#include <string>
#include <vector>

namespace clitest {

struct ProcessResult {
  int exitStatus = -1;  // the exit status, or -1 when it did not exit normally
  int killedBy = 0;     // the signal that ended it, when one did
  std::string output;   // standard output and error together
};

// Runs `program` with `args`. When `trigger` is not empty, `signalNumber` goes to the child
// the moment `trigger` appears in its output.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& trigger = {}, int signalNumber = 0);

}  // namespace clitest
