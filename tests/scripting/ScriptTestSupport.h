#pragma once

#include "engine/util/StringTypes.h"

#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

struct lua_State;

// A fresh script state over the repository's own start-up scripts, in a scratch working
// directory whose fonts and images link to the source tree and whose scripts and Config are
// private copies, so tests may rewrite scripts and configuration and save preferences freely.
class ScriptTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs both start-up steps as the World does, without a window.
    void StartScripts();
    // Runs code in the state; returns "" on success, else the error text.
    String Run(const String& code);
    // The value of a Lua expression converted with tostring.
    String Eval(const String& expression);
    void WriteFile(const String& path, const String& text);
    void AppendToFile(const String& path, const String& text);

    lua_State* State();

    ScratchDirectory _scratch;
};
