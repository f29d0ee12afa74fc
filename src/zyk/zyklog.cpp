#include "zyklog.h"

Q_LOGGING_CATEGORY(lcZyk, "tasklist.zyk")
