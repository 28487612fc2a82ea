#include "actions/SaveQuestion.h"

namespace actions {

SaveAnswer CheckIfSaved(bool modified, const std::function<SaveAnswer(const UiMessage&)>& ask,
                        const std::function<void()>& save) {
  if (!modified) return SaveAnswer::No;
  SaveAnswer answer = ask ? ask(UiMessage::Text(kUnsavedChangesText)) : SaveAnswer::Cancel;
  if (answer == SaveAnswer::Yes && save) save();
  return answer;
}

}  // namespace actions
