#pragma once
// Compiling Tessic sources into images for the virtual module's decoder and interpreter tests.

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "sim/vm/ObjectCode.h"
#include "tokenizer/Tokenizer.h"

namespace vmtest {

struct Compiled {
  bool ok = false;
  std::string error;
  sim::vm::Image image{};
  int codeEnd = 0;
  int module = 2;
};

inline Compiled CompileSource(std::string_view source) {
  Compiled c;
  auto t = std::make_unique<tok::Tokenizer>();
  t->SetSource(source);
  c.ok = t->Tokenize(false, true, false);
  if (!c.ok) {
    c.error = t->TokenizeResult.ErrorText ? t->TokenizeResult.ErrorText : "failed";
    return c;
  }
  for (int i = 0; i < sim::vm::kImageSize; ++i) c.image[i] = t->TokenizeResult.EEPROM[i];
  c.codeEnd = t->CodeBitPos;
  c.module = t->TokenizeResult.TargetModule;
  return c;
}

// A VD2 program in Tessic 2.5 around `body`.
inline Compiled CompileBody(std::string_view body) {
  return CompileSource("'{$VARDA VD2}\n'{$TESSIC 2.5}\n" + std::string(body) + "\n");
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace vmtest
