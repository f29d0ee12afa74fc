#include "modellog.h"

Q_LOGGING_CATEGORY(lcModel, "tasklist.model")
