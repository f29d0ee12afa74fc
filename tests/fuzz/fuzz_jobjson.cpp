// One job as JSON, the form the calendar application and the data server exchange.
#include "fuzzcommon.h"
#include "scheduledatainfo.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ScheduleDataInfo job = ScheduleDataInfo::JsonStrToSchedule(Fuzz::text(data, size));
    // Whatever was read is written again when the job is opened in the calendar application.
    const ScheduleDataInfo again =
        ScheduleDataInfo::JsonStrToSchedule(ScheduleDataInfo::ScheduleToJsonStr(job));
    FUZZ_ASSERT(again.getID() == job.getID() && again.getRecurID() == job.getRecurID() &&
                again.getType() == job.getType() && again.getAllDay() == job.getAllDay());
    return 0;
}
