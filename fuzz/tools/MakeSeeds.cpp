// Writes the seed corpora of the fuzz targets from the repository's own programs and files:
//   fuzz_make_seeds <repository> <output folder>
// makes <output>/<target>/ for tokenize, rvl, machine, module_protocol and link. Programs
// are compiled with the tokenizer; their images seed the interpreter, their packets the wire
// exchanges of both sides.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "actions/FileFormat.h"
#include "actions/ListDocument.h"
#include "tokenizer/Tokenizer.h"

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

int written = 0;

void Write(const fs::path& folder, const std::string& name, const Bytes& bytes) {
  fs::create_directories(folder);
  std::ofstream out(folder / name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ++written;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<fs::path> Programs(const fs::path& repo) {
  std::vector<fs::path> found;
  for (const char* folder : {"resources/programs", "tests/tokenizer/programs", "tests/tokenizer/vd1"}) {
    if (!fs::is_directory(repo / folder)) continue;
    for (const auto& entry : fs::directory_iterator(repo / folder))
      if (entry.path().extension() == ".bas") found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

struct Packets {
  int module = 0;
  std::vector<Bytes> packets;
};

// The wire from the PC's side for the virtual module: config bytes, then (silence, byte)
// pairs: a handshake after a pause, every packet, the closing zero and one test command.
Bytes ProtocolStream(const Packets& p) {
  const int type = p.module >= 2 && p.module <= 5 ? p.module : 2;
  Bytes s = {static_cast<std::uint8_t>(type - 2), 0x10};
  auto send = [&](std::uint8_t byte, std::uint8_t silence) {
    s.push_back(silence);
    s.push_back(byte);
  };
  if (type == 2) {
    send('V', 25);
    send('D', 0);
    send('2', 0);
    send(0, 0);
  } else {
    send(type == 3 ? 'e' : type == 4 ? 'X' : 'P', 25);
    send(0, 0);  // program number
  }
  for (const Bytes& packet : p.packets)
    for (std::uint8_t b : packet) send(b, 0);
  send(0, 0);
  for (std::uint8_t b : {0x01, 0x02, 0x03, 0x04}) send(b, 1);
  return s;
}

// What a healthy module answers to identification and download, as chunks per write.
Bytes LinkScript(const Packets& p, bool download) {
  const int type = p.module >= 2 && p.module <= 6 ? p.module : 2;
  const int count = std::min<int>(static_cast<int>(p.packets.size()), 16);
  Bytes s = {static_cast<std::uint8_t>((type - 2) | count << 3), static_cast<std::uint8_t>(download ? 1 : 0)};
  auto handshake = [&] {
    if (type == 2) {
      for (std::uint8_t b : {'V', 'D', '2'}) s.insert(s.end(), {2, b, static_cast<std::uint8_t>(256 - b)});
      s.insert(s.end(), {2, 0, 0x10});
    } else {
      const std::uint8_t id = type == 3 ? 'e' : type == 4 ? 'X' : 'P';
      s.insert(s.end(), {2, id, static_cast<std::uint8_t>(type == 6 ? id + 2 : id)});
    }
  };
  handshake();
  if (download) {
    handshake();
    if (type >= 3 && type <= 5) s.insert(s.end(), {1, 0});  // the program number's echo
    for (int k = 0; k < count; ++k) {
      s.push_back(19);
      s.insert(s.end(), 18, static_cast<std::uint8_t>(0x80 + k));
      s.push_back(0);
    }
    s.push_back(1);
    s.push_back(0);
  }
  return s;
}

void DocumentSeeds(const fs::path& out) {
  actions::ListDocument plain;
  for (bool advanced : {false, true}) {
    const actions::DocumentBytes bytes = actions::SaveDocument(plain, advanced);
    Bytes seed = {static_cast<std::uint8_t>(advanced)};
    seed.insert(seed.end(), bytes.begin(), bytes.end());
    Write(out, advanced ? "empty_advanced" : "empty_beginner", seed);
  }
  actions::ListDocument steps;
  for (int list = 1; list <= actions::kListCount; ++list) {
    for (int row = 1; row <= 8; ++row) {
      actions::StepRecord& s = steps.List(list)[row];
      s.Kind = static_cast<std::uint8_t>(row - 1);
      s.Value = static_cast<std::int16_t>(row * 3);
      s.BothSet = s.LeftSet = s.RightSet = static_cast<std::uint8_t>(row % 5);
    }
  }
  for (bool advanced : {false, true}) {
    const actions::DocumentBytes bytes = actions::SaveDocument(steps, advanced);
    Bytes seed = {static_cast<std::uint8_t>(advanced)};
    seed.insert(seed.end(), bytes.begin(), bytes.end());
    Write(out, advanced ? "steps_advanced" : "steps_beginner", seed);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: fuzz_make_seeds <repository> <output folder>\n";
    return 2;
  }
  const fs::path repo = argv[1];
  const fs::path out = argv[2];
  auto t = std::make_unique<tok::Tokenizer>();

  int n = 0;
  for (const fs::path& program : Programs(repo)) {
    const std::string text = ReadText(program);
    const std::string stem = program.stem().string();
    // Read the $VARDA directive, any language version, each module type without the directive.
    for (std::uint8_t mode : {0x08, 0x28, 0x00, 0x01, 0x02, 0x05, 0x10}) {
      Bytes seed = {mode};
      seed.insert(seed.end(), text.begin(), text.end());
      Write(out / "tokenize", stem + "_" + std::to_string(mode), seed);
    }
    if (!t->SetSource(text) || !t->Tokenize(false, true, false)) continue;
    const tok::ResultRecord& r = t->TokenizeResult;
    Packets p;
    p.module = r.TargetModule;
    for (int k = 0; k < r.PacketCount; ++k)
      p.packets.emplace_back(r.PacketBuffer + k * tok::PacketSize, r.PacketBuffer + (k + 1) * tok::PacketSize);
    if (r.TargetModule >= 2) Write(out / "machine", stem, Bytes(r.EEPROM, r.EEPROM + tok::EEPROMSize));
    Write(out / "module_protocol", stem, ProtocolStream(p));
    Write(out / "link", stem + "_download", LinkScript(p, true));
    if (n++ < 3) Write(out / "link", stem + "_identify", LinkScript(p, false));
  }
  for (int type = 3; type <= 6; ++type) {
    Packets p;
    p.module = type;
    p.packets.assign(2, Bytes(18, 0x81));
    Write(out / "link", "type" + std::to_string(type), LinkScript(p, true));
  }
  DocumentSeeds(out / "rvl");
  std::cout << "fuzz_make_seeds: " << written << " seeds in " << out.string() << "\n";
  return 0;
}
