#pragma once

namespace SoundLib
{
// What every call of the sound library returns. RESULT_OK is 0; the numbers of the
// others appear in log lines, so new codes go at the end.
enum Result
{
    RESULT_OK = 0,
    RESULT_ERR_INVALID_PARAM,
    RESULT_ERR_INVALID_HANDLE,
    RESULT_ERR_CHANNEL_STOLEN,
    RESULT_ERR_CHANNEL_ALLOC,
    RESULT_ERR_INITIALIZED,
    RESULT_ERR_UNINITIALIZED,
    RESULT_ERR_FILE_NOT_FOUND,
    RESULT_ERR_FORMAT,
    RESULT_ERR_OUTPUT_CREATEBUFFER,
    RESULT_ERR_OUTPUT,
    RESULT_COUNT
};

// A short sentence for the result, for log lines; "Unknown error." for codes outside the table.
const char* ResultString(int result);
}
