// The almanac of a month, as "GetHuangLiMonth" answers.
#include "almanac.h"
#include "fuzzcommon.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CaHuangLiMonthInfo month;
    bool valid = false;
    month.strJsonToInfo(Fuzz::text(data, size), valid);
    if (valid)
        (void)month.toJson();
    return 0;
}
