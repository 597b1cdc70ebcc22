// Preparation for a sample rate, the signal chain run for every block, and the
// way parameter changes that reload tables reach it.

#include "PluginProcessor.h"

#include "../tables/Tables.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
// Corner frequencies of the RC filters, as 2 pi fc.
constexpr float twoPiFc20k = 125663.71f;
constexpr float twoPiFc2500 = 15707.964f;
constexpr float twoPiFc8 = 50.265484f;

// The output's DC blocker: far below anything a guitar cabinet reproduces.
constexpr double outputDcCorner = 5.0;

/** A parameter's value, or a fallback when a misbehaving host made it
    non-finite. */
inline float safeValue (float v, float fallback) noexcept
{
    return std::isfinite (v) ? v : fallback;
}

inline bool isOn (const juce::AudioParameterBool* p) noexcept
{
    return p->get();
}

inline void scale (float* x, int n, float g) noexcept
{
    for (int i = 0; i < n; ++i)
        x[i] *= g;
}
} // namespace

//==============================================================================
BrindlecrestAudioProcessor::~BrindlecrestAudioProcessor()
{
    // Any reverb build in flight finishes before the state it writes goes.
    stopBackgroundWorker();
    meterNotifier.cancelPendingUpdate();
    removeListener (this);
}

void BrindlecrestAudioProcessor::startBackgroundWorker()
{
    if (worker == nullptr)
        worker = std::make_unique<BackgroundWorker> (*this);
    if (! worker->isThreadRunning())
        worker->startThread();
}

void BrindlecrestAudioProcessor::stopBackgroundWorker()
{
    if (worker != nullptr)
        worker->stopThread (10000);
}

//==============================================================================
int BrindlecrestAudioProcessor::reverbConfig() const noexcept
{
    return (isOn (reverbType2) ? 1 : 0) | (isOn (hqReverb) ? 2 : 0);
}

bool BrindlecrestAudioProcessor::reverbChangePending() const noexcept
{
    return reverbRequests.load() != reverbRequestsBuilt.load() || buildState.load() != buildIdle;
}

void BrindlecrestAudioProcessor::buildReverb (ReverbSlot& slot, int rate, int baseBlock)
{
    slot.convolver.ready = 0;
    std::fill (std::begin (slot.impulseResponse), std::end (slot.impulseResponse), 0.0f);

    const int f = isOn (hqReverb) ? 2 : 4;
    irDecimator.setup (f);

    const bool second = isOn (reverbType2);
    const float* source = rate == 44100 ? (second ? tables::sr244100 : tables::sr144100)
                                        : (second ? tables::sr248000 : tables::sr148000);
    const int count = rate == 44100 ? (second ? 82778 : 63932) : (second ? 90596 : 69584);

    irDecimator.Apply (source, slot.impulseResponse, count);

    slot.factor = f;
    slot.blockLength = std::max (1, baseBlock / f);
    slot.convolver.Init_lc (slot.impulseResponse, count / f, slot.blockLength, std::max (1, 1024 / baseBlock));
}

void BrindlecrestAudioProcessor::initFFTfilt (int rate, int baseBlock)
{
    buildReverb (reverbSlots[activeReverbSlot.load()], rate, baseBlock);
}

int BrindlecrestAudioProcessor::reverbBaseBlock() const noexcept
{
    // The convolver is fed through its own buffer, so its block need not be
    // the host's. Below about 64 base-rate samples the partition search finds
    // no FFT size at all and the reverb would fall silent.
    return std::max (baseBlockSize, minReverbBaseBlock);
}

void BrindlecrestAudioProcessor::resetReverbPath (const ReverbSlot& slot)
{
    reverbDown2.setup (2);
    reverbDown4.setup (4);
    reverbUp2.setup (2);
    reverbUp4.setup (4);
    reverbFeed.reset (slot.blockLength);
}

void BrindlecrestAudioProcessor::serviceBackgroundWork()
{
    // A reverb change: build the new reverb into the slot the audio thread is
    // not playing; the audio thread switches to it at its next block.
    if (reverbRequests.load() != reverbRequestsBuilt.load() && buildState.load() == buildIdle && prepared
        && ! isNonRealtime())
    {
        const juce::ScopedLock sl (buildLock);
        const auto target = reverbRequests.load();
        if (target != reverbRequestsBuilt.load() && buildState.load() == buildIdle)
        {
            buildState.store (buildRunning);
            buildReverb (reverbSlots[1 - activeReverbSlot.load()], baseRate, reverbBaseBlock());
            reverbRequestsBuilt.store (target);
            buildState.store (buildReady);
        }
    }

    publishMeters();
}

void BrindlecrestAudioProcessor::publishMeters()
{
    // The host hears about meter movements on the message thread, where it
    // expects parameter news, at most about 30 times a second; not from the
    // audio thread, where telling the host means taking its locks.
    const auto now = juce::Time::getMillisecondCounter();
    if (now - lastMeterPublish.load() < 30 || ! metersChanged.exchange (false))
        return;
    lastMeterPublish.store (now);
    meterNotifier.triggerAsyncUpdate();
}

void BrindlecrestAudioProcessor::MeterNotifier::handleAsyncUpdate()
{
    for (auto* meter : { owner.levelIn, owner.levelOut })
        meter->sendValueChangedMessageToListeners (static_cast<juce::AudioProcessorParameter*> (meter)->getValue());
}

//==============================================================================
void BrindlecrestAudioProcessor::loadSpeakerModel (int cabinet)
{
    speakerModel = cabinet - 2;
    speakerCascade.setTables (speakerSosBase + 150 * speakerModel, speakerGainBase + 26 * speakerModel, 25);
    speakerLowPass.setTables (speakerLowPassTables[0], speakerLowPassTables[1], 4);
    speakerHighPass.setTables (speakerHighPassTables[0], speakerHighPassTables[1], 3);
}

void BrindlecrestAudioProcessor::applyPendingChanges()
{
    // Cabinet: cheap, so it is done here, at the block boundary. A value set
    // without an announcement (a restored state) is caught by the comparison.
    const int c = cab->get();
    if (cabChangeRequested.exchange (false) || c != appliedCabinet)
    {
        appliedCabinet = c;
        if (c >= 2)
            loadSpeakerModel (c);
    }

    // Reverb: a change of type or quality, announced or not, is a request.
    const int config = reverbConfig();
    if (config != lastSeenReverbConfig)
    {
        lastSeenReverbConfig = config;
        reverbRequests.fetch_add (1);
    }

    auto switchToBuiltReverb = [this] {
        const int next = 1 - activeReverbSlot.load();
        activeReverbSlot.store (next);
        resetReverbPath (reverbSlots[next]);
        buildState.store (buildIdle);
    };

    if (isNonRealtime() && reverbRequests.load() != reverbRequestsBuilt.load())
    {
        // Offline: build right here so that a render does not depend on timing.
        const juce::ScopedLock sl (buildLock);
        if (buildState.load() == buildReady)
            switchToBuiltReverb();
        const auto target = reverbRequests.load();
        if (target != reverbRequestsBuilt.load())
        {
            buildReverb (reverbSlots[activeReverbSlot.load()], baseRate, reverbBaseBlock());
            reverbRequestsBuilt.store (target);
            resetReverbPath (reverbSlots[activeReverbSlot.load()]);
        }
    }
    else if (buildState.load() == buildReady)
    {
        switchToBuiltReverb();
    }
}

//==============================================================================
void BrindlecrestAudioProcessor::prepareToPlay (double sampleRate, int maximumBlockSize)
{
    // Audio is stopped; the background thread may be building a reverb, and
    // waits here until everything is set for the new rate.
    const juce::ScopedLock sl (buildLock);

    // Meters.
    meterWindow = static_cast<int> (static_cast<double> (0.3f) * sampleRate);
    inputPeak = outputPeak = 0.0f;
    meterCount = 0;

    // Base rate, rate factor and base block size. Blocks longer than the
    // chain's limit are processed in pieces, so the limit caps the size.
    const int hostBlock = std::min (std::max (1, maximumBlockSize), maxBlockSize);
    if (sampleRate == 44100.0 || sampleRate == 48000.0)
        rateFactor = 1;
    else if (sampleRate == 88200.0 || sampleRate == 96000.0)
        rateFactor = 2;
    else if (sampleRate == 176400.0 || sampleRate == 192000.0)
        rateFactor = 4;
    else
        rateFactor = 0;
    baseRate = (sampleRate == 48000.0 || sampleRate == 96000.0 || sampleRate == 192000.0) ? 48000 : 44100;
    baseBlockSize = std::max (1, hostBlock / std::max (1, rateFactor));

    // Reverb: built here, synchronously; anything built aside is dropped.
    {
        buildState.store (buildIdle);
        reverbConvolver().ready = 0;
        const auto target = reverbRequests.load();
        initFFTfilt (baseRate, reverbBaseBlock());
        reverbRequestsBuilt.store (target);
        lastSeenReverbConfig = reverbConfig();
        resetReverbPath (reverbSlots[activeReverbSlot.load()]);
    }

    const bool r44 = baseRate == 44100;

    // Tone filters.
    bodyNoMid.setTables (r44 ? tables::noMidBody_44100_sos : tables::noMidBody_48000_sos,
                         r44 ? tables::noMidBody_44100_gain : tables::noMidBody_48000_gain, 25);
    bodyMid.setTables (r44 ? tables::MidBody_44100_sos : tables::MidBody_48000_sos,
                       r44 ? tables::MidBody_44100_gain : tables::MidBody_48000_gain, 25);
    detailNoMid.setTables (r44 ? tables::noMidDetail_44100_sos : tables::noMidDetail_48000_sos,
                           r44 ? tables::noMidDetail_44100_gain : tables::noMidDetail_48000_gain, 25);
    detailMid.setTables (r44 ? tables::MidDetail_44100_sos : tables::MidDetail_48000_sos,
                         r44 ? tables::MidDetail_44100_gain : tables::MidDetail_48000_gain, 25);

    // Valve stages.
    bodyValve.table = tables::tube_vm2;
    detailValve.table = tables::tube_vm2;
    powerValve.table = tables::tube_el34;

    // Rate converters between the host and the base rate.
    hostDown2.setup (2);
    hostUp2.setup (2);
    hostDown4.setup (4);
    hostUp4.setup (4);

    // Loudspeaker: the family of this rate is recorded whatever the cabinet,
    // so that a later change of cabinet always finds it.
    speakerSosBase = r44 ? tables::hpsos2_44100 : tables::hpsos2_48000;
    speakerGainBase = r44 ? tables::hpgain2_44100 : tables::hpgain2_48000;
    speakerLowPassTables[0] = r44 ? tables::hpsoslp2_44100 : tables::hpsoslp2_48000;
    speakerLowPassTables[1] = r44 ? tables::hpgainlp2_44100 : tables::hpgainlp2_48000;
    speakerHighPassTables[0] = r44 ? tables::hpsoshp2_44100 : tables::hpsoshp2_48000;
    speakerHighPassTables[1] = r44 ? tables::hpgainhp2_44100 : tables::hpgainhp2_48000;
    appliedCabinet = cab->get();
    cabChangeRequested.store (false);
    if (appliedCabinet >= 2)
        loadSpeakerModel (appliedCabinet);

    // Equalisers.
    cleanEq.setTables (r44 ? tables::sos_band_44100 : tables::sos_band_48000,
                       r44 ? tables::gain_band_44100 : tables::gain_band_48000);
    driveEq.setTables (r44 ? tables::sos_band_44100 : tables::sos_band_48000,
                       r44 ? tables::gain_band_44100 : tables::gain_band_48000);

    // RC filters, at the base rate (the input high-pass runs at the host rate,
    // so its corner moves up with the rate factor).
    presenceLowPass.setup (true, twoPiFc20k, baseRate);
    presenceHighPass.setup (false, twoPiFc2500, baseRate);
    inputHighPass.setup (false, twoPiFc8, baseRate);
    driveHighPass.setup (false, twoPiFc8, baseRate);

    outputDcBlocker.setup (outputDcCorner, sampleRate);

    prepared.store (true);
    startBackgroundWorker();
}

void BrindlecrestAudioProcessor::releaseResources() {}

//==============================================================================
void BrindlecrestAudioProcessor::resetSignalState()
{
    for (auto* s : { &speakerCascade, &speakerLowPass, &speakerHighPass, &bodyNoMid, &detailNoMid, &bodyMid, &detailMid })
        s->reset();
    for (auto* eq : { &cleanEq, &driveEq })
        for (auto& band : eq->band)
            band.reset();
    for (auto* rc : { &inputHighPass, &driveHighPass, &presenceLowPass, &presenceHighPass })
        rc->xPrev = rc->yPrev = 0.0f;
    hostDown2.setup (2);
    hostUp2.setup (2);
    hostDown4.setup (4);
    hostUp4.setup (4);
    outputDcBlocker.xPrev = outputDcBlocker.yPrev = 0.0;
    auto& slot = reverbSlots[activeReverbSlot.load()];
    slot.convolver.clearState();
    resetReverbPath (slot);
    for (auto& pedal : pedals)
        pedal.dsp.reset();
}

void BrindlecrestAudioProcessor::setMeter (juce::AudioParameterFloat* meter, float value)
{
    static_cast<juce::AudioProcessorParameter*> (meter)->setValue (meter->convertTo0to1 (value));
    metersChanged.store (true);
}

void BrindlecrestAudioProcessor::updateMeters (int numSamples)
{
    if (meterCount > meterWindow)
    {
        // A window has ended: one first-order step towards its peak.
        const float targetIn = (inputPeak * 0.3f) * 100.0f + levelIn->get() * 0.7f;
        if (targetIn != levelIn->get())
            setMeter (levelIn, targetIn);
        const float targetOut = (outputPeak * 0.3f) * 100.0f + levelOut->get() * 0.7f;
        if (targetOut != levelOut->get())
            setMeter (levelOut, targetOut);
        meterCount = 0;
        inputPeak = 0.0f;
        outputPeak = 0.0f;
    }
    else
    {
        // Within a window a new peak shows at once.
        if (inputPeak * 100.0f > levelIn->get())
            setMeter (levelIn, inputPeak * 100.0f);
        if (outputPeak * 100.0f > levelOut->get())
            setMeter (levelOut, outputPeak * 100.0f);
        meterCount += numSamples;
    }
}

void BrindlecrestAudioProcessor::runPedals (Frame& frame, bool boardGroup)
{
    for (auto* slot : orderParams)
    {
        const int p = slot->get(); // whole numbers, rounded by the parameter
        if (p < 0 || p >= numPedals) // an order value that names no pedal skips its slot
            continue;
        if (isOn (pedals[p].isBefore) == boardGroup)
            pedals[p].Apply (&frame);
    }
}

void BrindlecrestAudioProcessor::addReverb (Frame& frame)
{
    const int n = frame.length;
    std::copy (frame.data, frame.data + n, reverbBuffer);

    auto& slot = reverbSlots[activeReverbSlot.load()];
    const float amount = safeValue (reverb->get(), 0.0f);
    if (slot.convolver.ready == 0 || ! (amount > 0.0f))
        return;

    // Down to the reverb rate, through the convolver in blocks of exactly its
    // length (a fixed latency on the wet path only), and back up.
    Frame send { reverbBuffer, n, frame.sampleRate };
    const bool half = slot.factor == 2;
    (half ? reverbDown2 : reverbDown4).Apply (&send);
    const int reverbRate = send.sampleRate;
    reverbFeed.run (send.data, send.length, [&] (float* block) {
        slot.convolver.Apply (Frame { block, slot.blockLength, reverbRate });
    });
    (half ? reverbUp2 : reverbUp4).Apply (&send, n);

    for (int i = 0; i < n; ++i)
        frame.data[i] = (amount * send.data[i]) * 0.05f + frame.data[i];
}

void BrindlecrestAudioProcessor::runBaseRateChain (Frame& frame)
{
    const int n = frame.length;
    float* body = frame.data;

    // Pedals before the amplifier.
    runPedals (frame, true);

    // Preamplifier: the block is the body signal, its copy the detail signal.
    std::copy (body, body + n, detailBuffer);
    const bool clean = isOn (chanelDrive);
    const bool mid = isOn (clean ? midboost1 : midboost2);
    (mid ? bodyMid : bodyNoMid).SosApply (body, n);
    (mid ? detailMid : detailNoMid).SosApply (detailBuffer, n);
    if (isOn (clean ? boost1 : boost2))
    {
        scale (body, n, 5.0f);
        scale (detailBuffer, n, 5.0f);
    }
    const float preScale = clean ? 8.0f : 80.0f;
    scale (body, n, safeValue ((clean ? preGainBody1 : preGainBody2)->get(), 0.5f) * preScale);
    scale (detailBuffer, n, safeValue ((clean ? preGainDetail1 : preGainDetail2)->get(), 0.5f) * preScale);
    bodyValve.Apply (body, n);
    detailValve.Apply (detailBuffer, n);
    for (int i = 0; i < n; ++i)
        body[i] = detailBuffer[i] + body[i];

    if (! clean)
        driveHighPass.Apply (frame);

    float gains[5];
    juce::AudioParameterFloat* const cleanBands[] = { cleanEQ1, cleanEQ2, cleanEQ3, cleanEQ4, cleanEQ5 };
    juce::AudioParameterFloat* const driveBands[] = { driveEQ1, driveEQ2, driveEQ3, driveEQ4, driveEQ5 };
    for (int b = 0; b < 5; ++b)
        gains[b] = safeValue ((clean ? cleanBands[b] : driveBands[b])->get(), 0.5f);
    (clean ? cleanEq : driveEq).Apply (frame, gains);

    const float channelVolume = safeValue ((clean ? volumeClean : volumeDrive)->get(), 0.5f);
    scale (body, n, channelVolume + channelVolume);

    // Presence: up to 20 times the 2.5 to 20 kHz band of the preamplifier
    // output, added back.
    std::copy (body, body + n, presenceBuffer);
    presenceLowPass.Apply (Frame { presenceBuffer, n, frame.sampleRate });
    presenceHighPass.Apply (Frame { presenceBuffer, n, frame.sampleRate });
    const float presenceAmount = safeValue (presence->get(), 0.5f);
    for (int i = 0; i < n; ++i)
    {
        const float doubled = presenceBuffer[i] + presenceBuffer[i];
        body[i] = (presenceAmount * doubled) * 10.0f + body[i];
    }

    // Power valve, then the reverb in parallel.
    powerValve.Apply (body, n);
    addReverb (frame);

    // Pedals in the effects loop.
    runPedals (frame, false);

    // Loudspeaker, or a fixed attenuation without one.
    if (appliedCabinet >= 2)
    {
        speakerCascade.SosApply (body, n);
        speakerLowPass.SosApply (body, n);
        speakerHighPass.SosApply (body, n);
    }
    else
    {
        scale (body, n, 0.3f);
    }

    const float master = safeValue (volume->get(), 0.5f);
    scale (body, n, master + master);
}

void BrindlecrestAudioProcessor::processPiece (juce::AudioBuffer<float>& buffer, int start, int length)
{
    float* channel0 = buffer.getWritePointer (0, start);

    updateMeters (length);

    // A non-finite input sample would poison every filter state; it is
    // replaced by silence before anything reads it.
    for (int i = 0; i < length; ++i)
    {
        if (! std::isfinite (channel0[i]))
            channel0[i] = 0.0f;
        inputPeak = std::max (inputPeak, std::abs (channel0[i]));
    }

    Frame frame { channel0, length, static_cast<int> (getSampleRate()) };
    inputHighPass.Apply (frame);

    if (rateFactor == 0)
        return; // a rate the chain does not run at: the input high-pass only

    if (rateFactor == 2)
        hostDown2.Apply (&frame);
    else if (rateFactor == 4)
        hostDown4.Apply (&frame);

    if (frame.length > 0)
        runBaseRateChain (frame);

    if (rateFactor == 2)
        hostUp2.Apply (&frame, length);
    else if (rateFactor == 4)
        hostUp4.Apply (&frame, length);

    outputDcBlocker.Apply (frame.data, frame.length);

    // Whatever went wrong inside (a non-finite value from a host's parameter,
    // say), the chain starts again from silence rather than staying broken.
    float blockPeak = 0.0f;
    bool finite = true;
    for (int i = 0; i < frame.length; ++i)
    {
        const float a = std::abs (frame.data[i]);
        finite = finite && a <= std::numeric_limits<float>::max();
        blockPeak = std::max (blockPeak, a);
    }
    if (! finite)
    {
        resetSignalState();
        std::fill (frame.data, frame.data + frame.length, 0.0f);
        blockPeak = 0.0f;
    }
    outputPeak = std::max (outputPeak, blockPeak);

    if (frame.data != channel0)
        std::copy (frame.data, frame.data + frame.length, channel0);
    if (getTotalNumOutputChannels() == 2 && buffer.getNumChannels() >= 2)
        std::copy (channel0, channel0 + length, buffer.getWritePointer (1, start));
}

void BrindlecrestAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    const juce::ScopedNoDenormals noDenormals;

    const int numSamples = buffer.getNumSamples();
    for (int ch = getTotalNumInputChannels(); ch < getTotalNumOutputChannels(); ++ch)
        buffer.clear (ch, 0, numSamples);

    if (! prepared || buffer.getNumChannels() == 0)
        return;

    applyPendingChanges();

    // Long offline blocks go through in pieces the chain can take.
    for (int start = 0; start < numSamples; start += maxBlockSize)
        processPiece (buffer, start, std::min (maxBlockSize, numSamples - start));
}
