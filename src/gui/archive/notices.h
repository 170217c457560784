#pragma once

#include <QString>
#include <optional>

#include "archive/notice.h"
#include "gui/common/dialogs.h"

namespace quintello {

// The archive rules word their message and input boxes as Notice and InputRequest; these
// hand them to the program's dialogs unchanged.
void showNotice(Dialogs& dialogs, const Notice& notice);
// Nothing when the user cancels.
std::optional<QString> ask(Dialogs& dialogs, const InputRequest& request);

}  // namespace quintello
