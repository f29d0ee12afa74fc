#include "viewlog.h"

Q_LOGGING_CATEGORY(lcView, "tasklist.view")
