#include "archive/update_file.h"
#include "core/wheels.h"
