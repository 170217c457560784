#include "core/wheels.h"
#include "archive/update_file.h"
