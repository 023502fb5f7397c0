#pragma once

#include "support/CapturingLog.h"

// The capture of the engine's system log. The system log keeps plain pointers to its member
// logs for the whole process, so the capture lives as long; tests clear its lines instead.
CapturingLog& SystemLogCapture();
