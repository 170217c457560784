#include "gui/common/grid_view.h"
#include "gui/shell/main_window.h"
