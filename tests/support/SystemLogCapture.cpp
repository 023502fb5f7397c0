#include "support/SystemLogCapture.h"

#include "engine/log/CompoundLog.h"

CapturingLog& SystemLogCapture()
{
    static CapturingLog* capture = 0;
    if (capture == 0)
    {
        capture = new CapturingLog();
        CompoundLog::GetSystemLog().AddLog(capture);
    }
    return *capture;
}
