#pragma once
// Whether unsaved changes must be saved before the lists are replaced or the program ends.

#include <functional>

#include "actions/Message.h"

namespace actions {

enum class SaveAnswer { Yes, No, Cancel };
inline constexpr int kUnsavedChangesText = 427;

// "No" without asking when nothing is unsaved; otherwise asks text 427 (Yes, No, Cancel)
// and on Yes runs `save`, which tells whether the lists were saved. A Yes whose save did not
// happen (dialog cancelled, write failed) is Cancel: the user asked to keep the lists, and
// going on would lose them. Callers stop on Cancel and go on otherwise.
SaveAnswer CheckIfSaved(bool modified, const std::function<SaveAnswer(const UiMessage&)>& ask,
                        const std::function<bool()>& save);

inline bool CallerGoesOn(SaveAnswer answer) {
  return answer != SaveAnswer::Cancel;
}

}  // namespace actions
