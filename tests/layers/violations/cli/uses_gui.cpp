#include <QtCore/QDir>

#include "gui/common/dialogs.h"
