#include "gui/archive/aggiornamenti_tab.h"

#include "gui/shell/app_context.h"

namespace quintello {

AggiornamentiTab::AggiornamentiTab(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("Aggiornamenti");
}

}  // namespace quintello
