#pragma once
// What every fuzz target asserts about one input. Each check runs the code under test on the
// bytes and returns the empty text when everything held, else what went wrong. The libFuzzer
// entry points abort on a non-empty answer; the regression tests expect it empty.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace fuzz {

using Bytes = std::span<const std::uint8_t>;

// Tokenize on source text. The first byte chooses the module type (low three bits, 7 reads
// as 0), whether the $VARDA directive is read (bit 3), DirectivesOnly (bit 4) and
// AnyLanguageVersion (bit 5); the rest is the source.
std::string CheckTokenize(Bytes input);

// The .rvl loader through the action lists: a refused file leaves the open document and its
// modified flag alone; an accepted one is taken over and survives a save and a reload. The
// first byte's bit 0 chooses advanced mode; the rest is the file.
std::string CheckRvlLoad(Bytes input);

// The virtual robot's side of the wire: the first byte chooses the module type and fault,
// every following pair is (silence before the byte, the byte).
std::string CheckModuleProtocol(Bytes input);

// The object-code decoder and interpreter on an image of exactly 2048 bytes (shorter inputs
// are padded with zeros, longer ones cut), for every module type, with a bounded number of
// statements.
std::string CheckMachine(Bytes input);

}  // namespace fuzz
