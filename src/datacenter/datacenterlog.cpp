#include "datacenterlog.h"

Q_LOGGING_CATEGORY(lcDataCenter, "tasklist.datacenter")
