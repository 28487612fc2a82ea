// Placeholders for the declaration and statement passes until they are written; they leave
// the element list alone, so a program compiles to nothing ("157-Nothing to tokenize").

#include "tokenizer/Passes.h"

namespace tok {

void RunDeclarationPasses(Tokenizer&) {}
void CountGosubs(Tokenizer&) {}
void StatementLoop(Tokenizer&) {}
void ResolveFixups(Tokenizer&) {}
void BuildPackets(Tokenizer&) {}

}  // namespace tok
