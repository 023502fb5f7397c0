// The key-binding file, read the way start-up reads it: from "Config/input_bindings.ini".
#include "FuzzSupport.h"

#include "engine/input/InputManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnterScratchDirectory();
    TrapRawControlBytesInLog();
    WriteInputFile("Config/input_bindings.ini", data, size);
    InputManager::Destroy();
    InputManager::GetInstance();
    return 0;
}
