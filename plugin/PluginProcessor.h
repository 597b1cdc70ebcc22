#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include "../dsp/BlockFeed.h"
#include "../dsp/DcBlocker.h"
#include "../dsp/FFTFilt.h"
#include "../dsp/Fiveband.h"
#include "../dsp/Pedal.h"
#include "../dsp/RCfilt.h"
#include "../dsp/RateStream.h"
#include "../dsp/Resampler.h"
#include "../dsp/Sos.h"
#include "../dsp/ValveStage.h"

#include <atomic>

/** The amplifier: a mono guitar signal in, one or two identical channels out.

    The chain runs at a base rate of 44.1 or 48 kHz; hosts at two or four
    times a base rate are converted down before it and up after it. Every
    stage passes over the whole block in place before the next one starts.

    Threads: processBlock runs on the host's audio thread and never allocates,
    locks or waits. Loading a new loudspeaker model is cheap and happens on the
    audio thread at the next block boundary. A new reverb (type or quality) is
    built on a background thread into a second convolver and switched in at a
    block boundary; offline (non-real-time) renders build it synchronously at
    the block boundary instead, so that renders are repeatable.

    The object is large (its DSP state is embedded by value, tens of
    megabytes), so it is always created on the heap.
*/
class BrindlecrestAudioProcessor : public juce::AudioProcessor,
                                   public juce::AudioProcessorListener
{
public:
    static constexpr int numPedals = 5;
    static constexpr int numParameters = 62;
    static constexpr int maxBlockSize = Frame::maxBlockLength;
    static constexpr int impulseCapacity = 75000;
    static constexpr int minReverbBaseBlock = 64;
    static constexpr const char* stateTag = "BRINDLECRESTSETTINGS";

    BrindlecrestAudioProcessor();
    ~BrindlecrestAudioProcessor() override;

    const juce::String getName() const override;

    void prepareToPlay (double sampleRate, int maximumBlockSize) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override;
    using juce::AudioProcessor::processBlock;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int) override;
    const juce::String getProgramName (int) override;
    void changeProgramName (int, const juce::String&) override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    void audioProcessorChanged (juce::AudioProcessor*, const juce::AudioProcessorListener::ChangeDetails&) override;
    void audioProcessorParameterChanged (juce::AudioProcessor*, int parameterIndex, float) override;

    /** Decimates the impulse response that reverbType2 selects for the base
        rate `rate` by the factor hqReverb selects, and sets up the active
        convolver for base-rate blocks of baseBlock samples. Not for the audio
        thread. */
    void initFFTfilt (int rate, int baseBlock);

    //==============================================================================
    // What the editor reads: the pedals' descriptions and the slot order.
    Pedal pedals[numPedals];
    juce::AudioParameterInt* orderParams[numPedals] {};

    // The amplifier parameters, named after their IDs.
    juce::AudioParameterFloat* preGainBody1 = nullptr;
    juce::AudioParameterFloat* preGainDetail1 = nullptr;
    juce::AudioParameterFloat* preGainBody2 = nullptr;
    juce::AudioParameterFloat* preGainDetail2 = nullptr;
    juce::AudioParameterFloat* cleanEQ1 = nullptr;
    juce::AudioParameterFloat* driveEQ1 = nullptr;
    juce::AudioParameterFloat* cleanEQ2 = nullptr;
    juce::AudioParameterFloat* driveEQ2 = nullptr;
    juce::AudioParameterFloat* cleanEQ3 = nullptr;
    juce::AudioParameterFloat* driveEQ3 = nullptr;
    juce::AudioParameterFloat* cleanEQ4 = nullptr;
    juce::AudioParameterFloat* driveEQ4 = nullptr;
    juce::AudioParameterFloat* cleanEQ5 = nullptr;
    juce::AudioParameterFloat* driveEQ5 = nullptr;
    juce::AudioParameterFloat* volume = nullptr;
    juce::AudioParameterBool* pedalboard = nullptr;
    juce::AudioParameterFloat* volumeClean = nullptr;
    juce::AudioParameterFloat* volumeDrive = nullptr;
    juce::AudioParameterFloat* presence = nullptr;
    juce::AudioParameterFloat* reverb = nullptr;
    juce::AudioParameterBool* reverbType2 = nullptr;
    juce::AudioParameterBool* chanelDrive = nullptr;
    juce::AudioParameterBool* midboost1 = nullptr;
    juce::AudioParameterBool* midboost2 = nullptr;
    juce::AudioParameterBool* hqReverb = nullptr;
    juce::AudioParameterBool* boost1 = nullptr;
    juce::AudioParameterBool* boost2 = nullptr;
    juce::AudioParameterInt* cab = nullptr;
    juce::AudioParameterFloat* levelIn = nullptr;
    juce::AudioParameterFloat* levelOut = nullptr;

    /** Decodes a saved-state block (binary envelope around one XML element).
        Returns null for anything that is not a complete, well-formed document. */
    static std::unique_ptr<juce::XmlElement> parseStateBlock (const void* data, int sizeInBytes);

    //==============================================================================
    // The DSP state. Public so that tests and benchmarks can look inside;
    // nothing else touches it.

    /** One impulse response and the convolver that plays it. */
    struct ReverbSlot
    {
        FFTFilt convolver;
        float impulseResponse[impulseCapacity] {};
        int factor = 4;    ///< Decimation of the reverb rate below the base rate.
        int blockLength = 1; ///< The convolver's block, in reverb-rate samples.
    };

    float presenceBuffer[maxBlockSize] {};
    float reverbBuffer[maxBlockSize] {};
    float detailBuffer[maxBlockSize] {};
    int baseRate = 0;
    int baseBlockSize = 0;
    int rateFactor = 0; ///< Host rate / base rate: 1, 2 or 4; 0 for a rate the chain does not run at.

    Sos speakerCascade, speakerLowPass, speakerHighPass;
    int speakerModel = 6;
    const float* speakerSosBase = nullptr;
    const float* speakerGainBase = nullptr;
    const float* speakerLowPassTables[2] {};  ///< Section table, gain vector.
    const float* speakerHighPassTables[2] {}; ///< Section table, gain vector.

    Fiveband cleanEq, driveEq;
    ValveStage bodyValve, detailValve, powerValve;
    Sos bodyNoMid, detailNoMid, bodyMid, detailMid;
    Resample irDecimator;
    RCfilt inputHighPass, driveHighPass, presenceLowPass, presenceHighPass;

    StreamDecimator reverbDown2, reverbDown4;
    StreamInterpolator reverbUp2, reverbUp4;
    BlockFeed<2 * maxBlockSize> reverbFeed; ///< Gathers exact convolver blocks.
    ReverbSlot reverbSlots[2];
    std::atomic<int> activeReverbSlot { 0 };

    StreamDecimator hostDown2, hostDown4;
    StreamInterpolator hostUp2, hostUp4;
    DcBlocker outputDcBlocker; ///< At the host rate, after everything else.

    float inputPeak = 0.0f, outputPeak = 0.0f;
    int meterCount = 0, meterWindow = 0;

    /** The convolver the audio thread plays. */
    FFTFilt& reverbConvolver() noexcept { return reverbSlots[activeReverbSlot.load()].convolver; }

    /** True while a reverb change is waiting to be built or switched in. */
    bool reverbChangePending() const noexcept;

    /** Runs pending reverb rebuilds and publishes the meters to the host, as
        the background thread does; for tests and hosts without that thread. */
    void serviceBackgroundWork();

    /** Tells the host and the parameter listeners about the meters, on the
        message thread, when the background work asks for it. */
    struct MeterNotifier : public juce::AsyncUpdater
    {
        explicit MeterNotifier (BrindlecrestAudioProcessor& p) : owner (p) {}
        void handleAsyncUpdate() override;
        BrindlecrestAudioProcessor& owner;
    };
    MeterNotifier meterNotifier { *this };

private:
    /** Builds reverbs aside and publishes the meters, off the audio thread. */
    class BackgroundWorker : public juce::Thread
    {
    public:
        explicit BackgroundWorker (BrindlecrestAudioProcessor& p) : juce::Thread ("Brindlecrest worker"), owner (p) {}

        void run() override
        {
            while (! threadShouldExit())
            {
                owner.serviceBackgroundWork();
                wait (10);
            }
        }

    private:
        BrindlecrestAudioProcessor& owner;
    };

    void startBackgroundWorker();
    void stopBackgroundWorker();
    void processPiece (juce::AudioBuffer<float>& buffer, int start, int length);
    void runBaseRateChain (Frame& frame);
    void runPedals (Frame& frame, bool boardGroup);
    void addReverb (Frame& frame);
    void applyPendingChanges();
    void loadSpeakerModel (int cabinet);
    void buildReverb (ReverbSlot& slot, int rate, int baseBlock);
    void resetReverbPath (const ReverbSlot& slot);
    void resetSignalState();
    void updateMeters (int numSamples);
    void setMeter (juce::AudioParameterFloat* meter, float value);
    void publishMeters();
    int reverbConfig() const noexcept;
    int reverbBaseBlock() const noexcept;

    void addPedalParameters (int pedalIndex);
    void addAmplifierParameters();

    std::atomic<bool> prepared { false };

    // Reactions to parameter changes. The listener (any thread) and the block
    // start (audio thread) only record requests; see the class comment.
    std::atomic<bool> cabChangeRequested { false };
    int appliedCabinet = 0;                        ///< Audio thread only.
    std::atomic<uint32_t> reverbRequests { 0 };    ///< Bumped for every reverb change.
    std::atomic<uint32_t> reverbRequestsBuilt { 0 };
    int lastSeenReverbConfig = -1;                 ///< Audio thread only.
    enum BuildState { buildIdle, buildRunning, buildReady };
    std::atomic<int> buildState { buildIdle };
    juce::CriticalSection buildLock; ///< Serialises builders; never taken on the audio thread in real time.

    std::atomic<bool> metersChanged { false };
    std::atomic<juce::uint32> lastMeterPublish { 0 };

    std::unique_ptr<BackgroundWorker> worker;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BrindlecrestAudioProcessor)
};
