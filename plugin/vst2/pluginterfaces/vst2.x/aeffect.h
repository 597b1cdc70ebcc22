// Brindlecrest's own description of the version-2 effect plug-in binary
// interface: the effect structure, the two callback directions and the opcodes
// and flags the framework's wrapper uses. Written from the wrapper's needs and
// the interface's documented values; nothing else of the interface is here.
//
// The framework includes this file inside a namespace, so it must not include
// any other header; it relies on compiler-provided integer types only.

#pragma once

#if defined(_WIN32) && ! defined(__GNUC__)
typedef __int64 BcVstPtrInt;
#else
typedef __INTPTR_TYPE__ BcVstPtrInt;
#endif

// Interface version the plug-in reports to hosts (2.4).
#define kVstVersion 2400

#if defined(_WIN32)
 #define BC_VST_CALL __cdecl
#else
 #define BC_VST_CALL
#endif

struct AEffect;

/** Host callback: the plug-in calls it with one of the host opcodes below. */
typedef BcVstPtrInt (BC_VST_CALL *audioMasterCallback) (AEffect* effect, int opcode, int index,
                                                         BcVstPtrInt value, void* ptr, float opt);

/** Plug-in entry points reached through the effect structure. */
typedef BcVstPtrInt (BC_VST_CALL *AEffectDispatcherProc) (AEffect* effect, int opcode, int index,
                                                           BcVstPtrInt value, void* ptr, float opt);
typedef void (BC_VST_CALL *AEffectProcessProc) (AEffect* effect, float** inputs, float** outputs, int sampleFrames);
typedef void (BC_VST_CALL *AEffectProcessDoubleProc) (AEffect* effect, double** inputs, double** outputs,
                                                       int sampleFrames);
typedef void (BC_VST_CALL *AEffectSetParameterProc) (AEffect* effect, int index, float parameter);
typedef float (BC_VST_CALL *AEffectGetParameterProc) (AEffect* effect, int index);

/** The structure an effect hands to the host from its entry function.
    The field order and sizes are the binary contract. */
struct AEffect
{
    int magic;                          // 'VstP'
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process;         // obsolete accumulating process, unused
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    int numPrograms;
    int numParams;
    int numInputs;
    int numOutputs;
    int flags;
    BcVstPtrInt resvd1;
    BcVstPtrInt resvd2;
    int initialDelay;
    int realQualities;                  // obsolete
    int offQualities;                   // obsolete
    float ioRatio;                      // obsolete
    void* object;                       // the plug-in's own object
    void* user;                         // free for the host
    int uniqueID;
    int version;
    AEffectProcessProc processReplacing;
    AEffectProcessDoubleProc processDoubleReplacing;
    char future[56];
};

/** Bits of AEffect::flags. */
enum VstAEffectFlags
{
    effFlagsHasEditor = 1 << 0,
    effFlagsCanReplacing = 1 << 4,
    effFlagsProgramChunks = 1 << 5,
    effFlagsIsSynth = 1 << 8,
    effFlagsNoSoundInStop = 1 << 9,
    effFlagsCanDoubleReplacing = 1 << 12
};

/** Opcodes the host sends to the plug-in's dispatcher. */
enum AEffectOpcodes
{
    effOpen = 0,
    effClose = 1,
    effSetProgram = 2,
    effGetProgram = 3,
    effSetProgramName = 4,
    effGetProgramName = 5,
    effGetParamLabel = 6,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effEditIdle = 19,
    effIdentify = 22,
    effGetChunk = 23,
    effSetChunk = 24,
    effProcessEvents = 25,
    effCanBeAutomated = 26,
    effString2Parameter = 27,
    effGetProgramNameIndexed = 29,
    effGetInputProperties = 33,
    effGetOutputProperties = 34,
    effGetPlugCategory = 35,
    effSetSpeakerArrangement = 42,
    effSetBypass = 44,
    effGetEffectName = 45,
    effGetVendorString = 47,
    effGetProductString = 48,
    effGetVendorVersion = 49,
    effVendorSpecific = 50,
    effCanDo = 51,
    effGetTailSize = 52,
    effKeysRequired = 57,
    effGetVstVersion = 58,
    effGetCurrentMidiProgram = 63,
    effGetSpeakerArrangement = 69,
    effSetTotalSampleToProcess = 73,
    effSetProcessPrecision = 77,
    effGetNumMidiInputChannels = 78,
    effGetNumMidiOutputChannels = 79
};

/** Opcodes the plug-in sends to the host callback. */
enum AudioMasterOpcodesX
{
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterWantMidi = 6,
    audioMasterGetTime = 7,
    audioMasterProcessEvents = 8,
    audioMasterIOChanged = 13,
    audioMasterSizeWindow = 15,
    audioMasterGetCurrentProcessLevel = 23,
    audioMasterVendorSpecific = 35,
    audioMasterCanDo = 37,
    audioMasterUpdateDisplay = 42,
    audioMasterBeginEdit = 43,
    audioMasterEndEdit = 44
};

/** Editor rectangle, in pixels. */
struct ERect
{
    short top;
    short left;
    short bottom;
    short right;
};
