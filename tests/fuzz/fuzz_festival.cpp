// The festivals of a month, as "GetFestivalMonth" answers.
#include "almanac.h"
#include "fuzzcommon.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QVector<_tagFestivalInfo> festivals;
    if (_tagFestivalInfo::appendFromJson(Fuzz::text(data, size), 2024, festivals))
        (void)_tagFestivalInfo::toJson(festivals);
    else
        FUZZ_ASSERT(festivals.isEmpty());
    return 0;
}
