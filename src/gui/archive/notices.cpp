#include "gui/archive/notices.h"

#include <string_view>

#include "gui/common/widgets.h"

namespace quintello {

namespace {

Dialogs::Icon dialogIcon(Notice::Icon icon) {
  switch (icon) {
    case Notice::Icon::Information:
      return Dialogs::Icon::Information;
    case Notice::Icon::Warning:
      return Dialogs::Icon::Warning;
    case Notice::Icon::Critical:
      return Dialogs::Icon::Critical;
    case Notice::Icon::None:
      break;
  }
  return Dialogs::Icon::None;
}

}  // namespace

void showNotice(Dialogs& dialogs, const Notice& notice) {
  dialogs.message(qText(notice.text), qText(notice.title), dialogIcon(notice.icon));
}

std::optional<QString> ask(Dialogs& dialogs, const InputRequest& request) {
  return dialogs.input(qText(request.prompt), qText(request.title), qText(request.defaultAnswer));
}

}  // namespace quintello
