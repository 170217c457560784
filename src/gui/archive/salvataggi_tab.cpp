#include "gui/archive/salvataggi_tab.h"

#include "gui/shell/app_context.h"

namespace quintello {

SalvataggiTab::SalvataggiTab(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("Salvataggi");
}

}  // namespace quintello
