// Loads the built version-2 plug-in with dlopen, as the simplest host would,
// and checks the effect structure and the answers to the host's queries.

#include <gtest/gtest.h>

#include "pluginterfaces/vst2.x/aeffectx.h"

#include <cmath>
#include <cstring>
#include <dlfcn.h>
#include <string>

namespace
{
using EntryFunction = AEffect* (*) (audioMasterCallback);

int hostVersionAnswer = 2400;

BcVstPtrInt hostCallback (AEffect*, int opcode, int, BcVstPtrInt, void*, float)
{
    switch (opcode)
    {
        case audioMasterVersion:
            return hostVersionAnswer;
        default:
            return 0;
    }
}

/** Opens the plug-in library for one test and closes it afterwards. */
struct Library
{
    Library() : handle (dlopen (BC_VST2_PATH, RTLD_NOW | RTLD_LOCAL)) {}
    ~Library()
    {
        if (handle != nullptr)
            dlclose (handle);
    }
    EntryFunction entry (const char* name) const
    {
        return reinterpret_cast<EntryFunction> (dlsym (handle, name));
    }
    void* handle;
};

BcVstPtrInt dispatch (AEffect* e, int opcode, int index = 0, BcVstPtrInt value = 0, void* ptr = nullptr)
{
    return e->dispatcher (e, opcode, index, value, ptr, 0.0f);
}

std::string stringQuery (AEffect* e, int opcode, int index = 0)
{
    char text[256] = {};
    dispatch (e, opcode, index, 0, text);
    return text;
}
} // namespace

TEST (Vst2Plugin, ExportsBothEntryNames)
{
    Library lib;
    ASSERT_NE (lib.handle, nullptr) << dlerror();
    EXPECT_NE (lib.entry ("VSTPluginMain"), nullptr);
    EXPECT_NE (lib.entry ("main"), nullptr);
}

TEST (Vst2Plugin, EffectStructureAndQueries)
{
    Library lib;
    ASSERT_NE (lib.handle, nullptr) << dlerror();
    hostVersionAnswer = 2400;
    AEffect* e = lib.entry ("VSTPluginMain") (hostCallback);
    ASSERT_NE (e, nullptr);

    EXPECT_EQ (e->magic, 0x56737450); // 'VstP'
    EXPECT_EQ (e->flags, 0x231);
    EXPECT_EQ (e->uniqueID, 0x62637176); // 'bcqv'
    EXPECT_EQ (e->version, 0x10001);
    EXPECT_EQ (e->numInputs, 1);
    EXPECT_EQ (e->numOutputs, 2);
    EXPECT_EQ (e->numParams, 62);
    EXPECT_EQ (e->numPrograms, 1);
    EXPECT_NE (e->processReplacing, nullptr);

    dispatch (e, effOpen);
    EXPECT_EQ (stringQuery (e, effGetEffectName), "Brindlecrest");
    EXPECT_EQ (stringQuery (e, effGetProductString), "Brindlecrest");
    EXPECT_EQ (stringQuery (e, effGetVendorString), "Quorvanex");
    EXPECT_EQ (dispatch (e, effGetVendorVersion), 0x10001);
    EXPECT_EQ (dispatch (e, effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ (dispatch (e, effGetVstVersion), 2400);
    EXPECT_EQ (dispatch (e, effGetTailSize), 0);
    EXPECT_EQ (stringQuery (e, effGetParamName, 59), "Cabinet");
    for (const char* midiQuery : { "receiveVstMidiEvent", "receiveVstEvents", "sendVstMidiEvent", "sendVstEvents" })
        EXPECT_EQ (dispatch (e, effCanDo, 0, 0, const_cast<char*> (midiQuery)), -1) << midiQuery;

    // The state travels as one chunk, in the binary envelope.
    void* chunk = nullptr;
    const auto chunkSize = dispatch (e, effGetChunk, 0, 0, &chunk);
    ASSERT_GT (chunkSize, 9);
    ASSERT_NE (chunk, nullptr);
    EXPECT_EQ (std::memcmp (chunk, "VC2!", 4), 0);

    // A block of silence comes out finite on both outputs.
    dispatch (e, effSetSampleRate, 0, 0, nullptr);
    e->dispatcher (e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch (e, effSetBlockSize, 0, 256);
    dispatch (e, effMainsChanged, 0, 1);
    float in[256] = {}, outL[256], outR[256];
    float* ins[] = { in };
    float* outs[] = { outL, outR };
    e->processReplacing (e, ins, outs, 256);
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE (std::isfinite (outL[i]) && std::isfinite (outR[i]));
    dispatch (e, effMainsChanged, 0, 0);

    dispatch (e, effClose);
}

TEST (Vst2Plugin, HostThatAnswersZeroToTheVersionRequestGetsNothing)
{
    Library lib;
    ASSERT_NE (lib.handle, nullptr) << dlerror();
    hostVersionAnswer = 0;
    EXPECT_EQ (lib.entry ("VSTPluginMain") (hostCallback), nullptr);
    EXPECT_EQ (lib.entry ("main") (hostCallback), nullptr);
    hostVersionAnswer = 2400;
}
