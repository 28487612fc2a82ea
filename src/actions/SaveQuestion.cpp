#include "actions/SaveQuestion.h"

namespace actions {

SaveAnswer CheckIfSaved(bool modified, const std::function<SaveAnswer(const UiMessage&)>& ask,
                        const std::function<bool()>& save) {
  if (!modified) return SaveAnswer::No;
  const SaveAnswer answer = ask ? ask(UiMessage::Text(kUnsavedChangesText)) : SaveAnswer::Cancel;
  if (answer != SaveAnswer::Yes) return answer;
  return save && save() ? SaveAnswer::Yes : SaveAnswer::Cancel;
}

}  // namespace actions
