// Brindlecrest's own description of the extended part of the version-2
// effect interface: events, transport information, pins, speaker
// arrangements and plug-in categories, as far as the framework's wrapper
// uses them. See aeffect.h.

#pragma once

#include "aeffect.h"

enum VstStringLimits
{
    kVstMaxParamStrLen = 8,
    kVstMaxLabelLen = 64,
    kVstMaxShortLabelLen = 8
};

//==============================================================================
// Events

enum VstEventTypes
{
    kVstMidiType = 1,
    kVstSysExType = 6
};

/** Common head of every event. */
struct VstEvent
{
    int type;
    int byteSize;       // size of the whole event minus the first two fields' 8 bytes
    int deltaFrames;    // sample offset within the current block
    int flags;
    char data[16];
};

/** A list of events; the array runs on beyond two entries as needed. */
struct VstEvents
{
    int numEvents;
    BcVstPtrInt reserved;
    VstEvent* events[2];
};

struct VstMidiEvent
{
    int type;
    int byteSize;
    int deltaFrames;
    int flags;
    int noteLength;
    int noteOffset;
    char midiData[4];
    char detune;
    char noteOffVelocity;
    char reserved1;
    char reserved2;
};

struct VstMidiSysexEvent
{
    int type;
    int byteSize;
    int deltaFrames;
    int flags;
    int dumpBytes;
    BcVstPtrInt resvd1;
    char* sysexDump;
    BcVstPtrInt resvd2;
};

//==============================================================================
// Transport information

struct VstTimeInfo
{
    double samplePos;
    double sampleRate;
    double nanoSeconds;
    double ppqPos;
    double tempo;
    double barStartPos;
    double cycleStartPos;
    double cycleEndPos;
    int timeSigNumerator;
    int timeSigDenominator;
    int smpteOffset;
    int smpteFrameRate;
    int samplesToNextClock;
    int flags;
};

enum VstTimeInfoFlags
{
    kVstTransportChanged = 1,
    kVstTransportPlaying = 1 << 1,
    kVstTransportCycleActive = 1 << 2,
    kVstTransportRecording = 1 << 3,
    kVstNanosValid = 1 << 8,
    kVstPpqPosValid = 1 << 9,
    kVstTempoValid = 1 << 10,
    kVstBarsValid = 1 << 11,
    kVstCyclePosValid = 1 << 12,
    kVstTimeSigValid = 1 << 13,
    kVstSmpteValid = 1 << 14,
    kVstClockValid = 1 << 15
};

enum VstSmpteFrameRate
{
    kVstSmpte24fps = 0,
    kVstSmpte25fps = 1,
    kVstSmpte2997fps = 2,
    kVstSmpte30fps = 3,
    kVstSmpte2997dfps = 4,
    kVstSmpte30dfps = 5,
    kVstSmpteFilm16mm = 6,
    kVstSmpteFilm35mm = 7,
    kVstSmpte239fps = 10,
    kVstSmpte249fps = 11,
    kVstSmpte599fps = 12,
    kVstSmpte60fps = 13
};

//==============================================================================
// Pins and speakers

struct VstPinProperties
{
    char label[kVstMaxLabelLen];
    int flags;
    int arrangementType;
    char shortLabel[kVstMaxShortLabelLen];
    char future[48];
};

enum VstPinPropertiesFlags
{
    kVstPinIsActive = 1,
    kVstPinIsStereo = 1 << 1,
    kVstPinUseSpeaker = 1 << 2
};

struct VstSpeakerProperties
{
    float azimuth;
    float elevation;
    float radius;
    float reserved;
    char name[64];
    int type;
    char future[28];
};

/** A speaker arrangement; the speaker array runs on beyond eight entries as needed. */
struct VstSpeakerArrangement
{
    int type;
    int numChannels;
    VstSpeakerProperties speakers[8];
};

enum VstProcessPrecision
{
    kVstProcessPrecision32 = 0,
    kVstProcessPrecision64 = 1
};

enum VstSpeakerType
{
    kSpeakerL = 1,
    kSpeakerR = 2,
    kSpeakerC = 3,
    kSpeakerLfe = 4,
    kSpeakerLs = 5,
    kSpeakerRs = 6,
    kSpeakerLc = 7,
    kSpeakerRc = 8,
    kSpeakerS = 9,
    kSpeakerSl = 10,
    kSpeakerSr = 11,
    kSpeakerTm = 12,
    kSpeakerTfl = 13,
    kSpeakerTfc = 14,
    kSpeakerTfr = 15,
    kSpeakerTrl = 16,
    kSpeakerTrc = 17,
    kSpeakerTrr = 18,
    kSpeakerLfe2 = 19
};

enum VstSpeakerArrangementType
{
    kSpeakerArrUserDefined = -2,
    kSpeakerArrEmpty = -1,
    kSpeakerArrMono = 0,
    kSpeakerArrStereo,
    kSpeakerArrStereoSurround,
    kSpeakerArrStereoCenter,
    kSpeakerArrStereoSide,
    kSpeakerArrStereoCLfe,
    kSpeakerArr30Cine,
    kSpeakerArr30Music,
    kSpeakerArr31Cine,
    kSpeakerArr31Music,
    kSpeakerArr40Cine,
    kSpeakerArr40Music,
    kSpeakerArr41Cine,
    kSpeakerArr41Music,
    kSpeakerArr50,
    kSpeakerArr51,
    kSpeakerArr60Cine,
    kSpeakerArr60Music,
    kSpeakerArr61Cine,
    kSpeakerArr61Music,
    kSpeakerArr70Cine,
    kSpeakerArr70Music,
    kSpeakerArr71Cine,
    kSpeakerArr71Music,
    kSpeakerArr80Cine,
    kSpeakerArr80Music,
    kSpeakerArr81Cine,
    kSpeakerArr81Music,
    kSpeakerArr102
};

//==============================================================================
// Plug-in categories (the answer to effGetPlugCategory)

enum VstPlugCategory
{
    kPlugCategUnknown = 0,
    kPlugCategEffect = 1,
    kPlugCategSynth = 2
};
