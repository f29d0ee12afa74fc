// The almanac of one day, as "GetHuangLiDay" answers.
#include "almanac.h"
#include "fuzzcommon.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CaHuangLiDayInfo day;
    bool valid = false;
    day.strJsonToInfo(Fuzz::text(data, size), valid);
    if (valid)
        (void)day.toJson();
    return 0;
}
