// Placeholder for the VD1 tokenizer until it is written: it compiles nothing, so a VD1 source
// ends with "157-Nothing to tokenize".

#include "tokenizer/Passes.h"
#include "tokenizer/Tokenizer.h"

namespace tok {

struct Vd1WorkRecord {};
void Vd1WorkDeleter::operator()(Vd1WorkRecord* record) const { delete record; }

void TokenizeVd1(Tokenizer&) {}

}  // namespace tok
