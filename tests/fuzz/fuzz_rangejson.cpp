// The range text of a "GetJobs" reply: days and their jobs.
#include "fuzzcommon.h"
#include "scheduledatainfo.h"

#include <algorithm>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    auto range = ScheduleDataInfo::StrJsonToRangeInfo(Fuzz::text(data, size));
    // The view sorts each day's jobs and writes them back for the calendar application.
    for (auto &jobs : range) {
        std::sort(jobs.begin(), jobs.end());
        for (const ScheduleDataInfo &job : std::as_const(jobs))
            (void)job.isValid();
    }
    (void)ScheduleDataInfo::RangeInfoToStrJson(range);
    return 0;
}
