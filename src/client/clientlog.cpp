#include "clientlog.h"

Q_LOGGING_CATEGORY(lcClient, "tasklist.client")
