// brindlecrest render: plays an audio file (or the built-in demo riff) through
// the amplifier offline, driving the processor exactly as a host does.

#include "Commands.h"
#include "DemoRiff.h"
#include "ParameterSettings.h"

#include "plugin/PluginProcessor.h"

#include <juce_audio_formats/juce_audio_formats.h>
#include <samplerate.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <unistd.h>

namespace
{
const char* const usage =
    "Usage: brindlecrest render [INPUT] -o OUTPUT [options]\n"
    "\n"
    "Plays INPUT (WAV or AIFF, any bit depth, mono or stereo) through the amplifier\n"
    "and writes a mono WAV file. Without INPUT it plays the built-in demo riff.\n"
    "\n"
    "Options:\n"
    "  -o, --output FILE   the WAV file to write (required)\n"
    "  --set ID=VALUE      set a parameter in its own units, e.g. --set cab=3,\n"
    "                      --set reverb=0.4, --set chanelDrive=on (repeatable;\n"
    "                      'brindlecrest params' lists IDs and ranges)\n"
    "  --state FILE        start from a saved state: a host's state block or its XML\n"
    "  --rate HZ           the rate to run at: 44100, 48000, 88200, 96000, 176400\n"
    "                      or 192000 (default: the input's rate when it is one of\n"
    "                      these, else 48000; other input rates are converted)\n"
    "  --block N           samples per block handed to the amplifier (default 512)\n"
    "  --tail SECONDS      silence added after the input, to let the reverb and\n"
    "                      the delay ring out (default 2)\n"
    "  --mix               mix all input channels down (default: the first channel)\n"
    "  --float             write 32-bit float samples (default: 24-bit integer)\n"
    "  -q, --quiet         no progress bar and no summary\n";

const int supportedRates[] = { 44100, 48000, 88200, 96000, 176400, 192000 };

std::atomic<bool> interrupted { false };

extern "C" void onInterrupt (int)
{
    interrupted.store (true);
}

struct RenderOptions
{
    juce::String input, output, stateFile;
    juce::StringArray settings;
    std::optional<int> rate;
    int block = 512;
    double tail = 2.0;
    bool mix = false, asFloat = false, quiet = false;
};

/** Thrown for any error the user can act on; the message is one line. */
struct RenderError
{
    juce::String message;
};

using cli::parseNumber;

RenderOptions parseOptions (const juce::StringArray& args)
{
    RenderOptions o;
    auto needValue = [&] (int& i) -> juce::String {
        if (i + 1 >= args.size())
            throw RenderError { "option " + args[i] + " needs a value" };
        return args[++i];
    };

    for (int i = 0; i < args.size(); ++i)
    {
        const auto& a = args[i];
        double number = 0.0;
        if (a == "-o" || a == "--output")
            o.output = needValue (i);
        else if (a == "--set")
            o.settings.add (needValue (i));
        else if (a == "--state")
            o.stateFile = needValue (i);
        else if (a == "--rate")
        {
            const auto v = needValue (i);
            if (! parseNumber (v, number) || std::find (std::begin (supportedRates), std::end (supportedRates), (int) number) == std::end (supportedRates)
                || number != std::floor (number))
                throw RenderError { "--rate " + v + " is not a rate the amplifier runs at (44100, 48000, 88200, 96000, 176400, 192000)" };
            o.rate = (int) number;
        }
        else if (a == "--block")
        {
            const auto v = needValue (i);
            if (! parseNumber (v, number) || number != std::floor (number) || number < 1 || number > 65536)
                throw RenderError { "--block " + v + " must be a whole number from 1 to 65536" };
            o.block = (int) number;
        }
        else if (a == "--tail")
        {
            const auto v = needValue (i);
            if (! parseNumber (v, number) || number < 0 || number > 600)
                throw RenderError { "--tail " + v + " must be a number of seconds from 0 to 600" };
            o.tail = number;
        }
        else if (a == "--mix")
            o.mix = true;
        else if (a == "--float")
            o.asFloat = true;
        else if (a == "-q" || a == "--quiet")
            o.quiet = true;
        else if (a.startsWith ("-") && a != "-")
            throw RenderError { "unknown option " + a + " (try 'brindlecrest render --help')" };
        else if (o.input.isEmpty())
            o.input = a;
        else
            throw RenderError { "more than one input file given ('" + o.input + "' and '" + a + "')" };
    }

    if (o.output.isEmpty())
        throw RenderError { "no output file given (use -o FILE.wav)" };
    return o;
}

juce::File fileFromArgument (const juce::String& path)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}

//==============================================================================
void applySetting (BrindlecrestAudioProcessor& processor, const juce::String& setting)
{
    if (const auto error = cli::applyParameterSetting (processor, setting); error.isNotEmpty())
        throw RenderError { error };
}

/** Loads a saved state: the binary block a host stores, or its XML text. */
void applyStateFile (BrindlecrestAudioProcessor& processor, const juce::File& file)
{
    juce::MemoryBlock data;
    if (! file.existsAsFile() || ! file.loadFileAsData (data))
        throw RenderError { "cannot read state file '" + file.getFullPathName() + "'" };

    if (data.getSize() < 4 || std::memcmp (data.getData(), "VC2!", 4) != 0)
    {
        // Bare XML: wrap it in the envelope the processor reads.
        const auto xml = juce::parseXML (data.toString());
        if (xml == nullptr)
            throw RenderError { "state file '" + file.getFileName() + "' is neither a state block nor XML" };
        juce::MemoryBlock wrapped;
        juce::AudioProcessor::copyXmlToBinary (*xml, wrapped);
        data = wrapped;
    }

    const auto xml = BrindlecrestAudioProcessor::parseStateBlock (data.getData(), (int) data.getSize());
    if (xml == nullptr || ! xml->getTagName().equalsIgnoreCase (BrindlecrestAudioProcessor::stateTag))
        throw RenderError { "state file '" + file.getFileName() + "' holds no Brindlecrest settings" };
    processor.setStateInformation (data.getData(), (int) data.getSize());
}

//==============================================================================
/** Where the samples come from: an audio file, converted to the processing
    rate when needed, or the demo riff. Delivers mono blocks on request. */
class Source
{
public:
    virtual ~Source() = default;
    /** Fills up to n samples; returns how many, 0 at the end. */
    virtual int read (float* dest, int n) = 0;
    /** Expected number of samples at the processing rate. */
    virtual juce::int64 expectedLength() const = 0;
};

class DemoSource : public Source
{
public:
    explicit DemoSource (int rate) : samples (cli::synthesiseDemoRiff (rate)) {}
    int read (float* dest, int n) override
    {
        const int count = (int) std::min<size_t> ((size_t) n, samples.size() - position);
        std::copy_n (samples.data() + position, count, dest);
        position += (size_t) count;
        return count;
    }
    juce::int64 expectedLength() const override { return (juce::int64) samples.size(); }

private:
    std::vector<float> samples;
    size_t position = 0;
};

class FileSource : public Source
{
public:
    FileSource (std::unique_ptr<juce::AudioFormatReader> r, bool mixChannels, int outputRate)
        : reader (std::move (r)), mix (mixChannels), ratio (outputRate / reader->sampleRate)
    {
        if (ratio != 1.0)
        {
            int error = 0;
            converter = src_new (SRC_SINC_BEST_QUALITY, 1, &error);
            if (converter == nullptr)
                throw RenderError { juce::String ("cannot start the sample-rate converter: ") + src_strerror (error) };
        }
    }
    ~FileSource() override
    {
        if (converter != nullptr)
            src_delete (converter);
    }

    int read (float* dest, int n) override
    {
        if (converter == nullptr)
            return readMono (dest, n);

        // Convert: feed the converter from the file until it has given n
        // samples or the input is over.
        int produced = 0;
        while (produced < n && ! finished)
        {
            if (pendingCount == 0 && ! inputEnded)
            {
                pendingCount = readMono (pending.data(), (int) pending.size());
                pendingStart = 0;
                inputEnded = pendingCount == 0;
            }
            SRC_DATA d {};
            d.data_in = pending.data() + pendingStart;
            d.input_frames = pendingCount;
            d.data_out = dest + produced;
            d.output_frames = n - produced;
            d.src_ratio = ratio;
            d.end_of_input = inputEnded ? 1 : 0;
            if (const int error = src_process (converter, &d))
                throw RenderError { juce::String ("sample-rate conversion failed: ") + src_strerror (error) };
            pendingStart += (int) d.input_frames_used;
            pendingCount -= (int) d.input_frames_used;
            produced += (int) d.output_frames_gen;
            if (inputEnded && d.output_frames_gen == 0)
                finished = true;
        }
        return produced;
    }

    juce::int64 expectedLength() const override
    {
        return (juce::int64) std::ceil ((double) reader->lengthInSamples * ratio);
    }

private:
    int readMono (float* dest, int n)
    {
        const auto left = reader->lengthInSamples - position;
        const int count = (int) std::min<juce::int64> (n, left);
        if (count <= 0)
            return 0;
        const int channels = (int) reader->numChannels;
        scratch.setSize (channels, count, false, false, true);
        if (! reader->read (&scratch, 0, count, position, true, channels > 1))
            throw RenderError { "reading the input file failed" };
        position += count;

        const float* first = scratch.getReadPointer (0);
        if (! mix || channels == 1)
        {
            std::copy_n (first, count, dest);
        }
        else
        {
            for (int i = 0; i < count; ++i)
            {
                float sum = 0.0f;
                for (int ch = 0; ch < channels; ++ch)
                    sum += scratch.getSample (ch, i);
                dest[i] = sum / (float) channels;
            }
        }
        return count;
    }

    std::unique_ptr<juce::AudioFormatReader> reader;
    bool mix;
    double ratio;
    SRC_STATE* converter = nullptr;
    juce::AudioBuffer<float> scratch;
    juce::int64 position = 0;
    std::vector<float> pending = std::vector<float> (8192);
    int pendingStart = 0, pendingCount = 0;
    bool inputEnded = false, finished = false;
};

//==============================================================================
/** A progress bar on standard error, drawn when the output goes to a
    terminal and the render is long enough to be worth watching. */
class Progress
{
public:
    Progress (juce::int64 total, int rate, bool enabled)
        : totalSamples (std::max<juce::int64> (1, total)), sampleRate (rate),
          active (enabled && total > 2 * rate && isatty (STDERR_FILENO))
    {
    }

    void update (juce::int64 done)
    {
        if (! active)
            return;
        const auto now = juce::Time::getMillisecondCounter();
        if (now - lastDraw < 100 && done < totalSamples)
            return;
        lastDraw = now;
        const double fraction = juce::jlimit (0.0, 1.0, (double) done / (double) totalSamples);
        const int width = 30;
        const int filled = (int) std::round (fraction * width);
        std::cerr << "\r[" << std::string ((size_t) filled, '#') << std::string ((size_t) (width - filled), ' ') << "] "
                  << juce::String (fraction * 100.0, 0) << "%  " << juce::String ((double) done / sampleRate, 1) << " s of "
                  << juce::String ((double) totalSamples / sampleRate, 1) << " s" << std::flush;
    }

    void finish()
    {
        if (active)
            std::cerr << "\r" << std::string (72, ' ') << "\r" << std::flush;
    }

private:
    juce::int64 totalSamples;
    int sampleRate;
    bool active;
    juce::uint32 lastDraw = 0;
};

/** Removes a half-written file unless the render completed. */
struct TemporaryFile
{
    juce::File file;
    bool keep = false;
    ~TemporaryFile()
    {
        if (! keep)
            file.deleteFile();
    }
};

int runRender (const juce::StringArray& args)
{
    if (cli::wantsHelp (args))
    {
        std::cout << usage;
        return 0;
    }

    try
    {
        const auto options = parseOptions (args);
        const auto outFile = fileFromArgument (options.output);
        if (! outFile.getParentDirectory().isDirectory())
            throw RenderError { "the folder of '" + options.output + "' does not exist" };
        if (outFile.isDirectory())
            throw RenderError { "'" + options.output + "' is a folder" };

        // The input, and the rate the amplifier runs at.
        std::unique_ptr<Source> source;
        int rate = options.rate.value_or (48000);
        if (options.input.isNotEmpty())
        {
            const auto inFile = fileFromArgument (options.input);
            if (! inFile.existsAsFile())
                throw RenderError { "input file '" + options.input + "' does not exist" };
            if (inFile == outFile)
                throw RenderError { "the output would overwrite the input" };

            juce::AudioFormatManager formats;
            formats.registerFormat (new juce::WavAudioFormat(), true);
            formats.registerFormat (new juce::AiffAudioFormat(), false);
            std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (inFile));
            if (reader == nullptr)
                throw RenderError { "cannot read '" + options.input + "': not a WAV or AIFF file the tool understands" };
            if (reader->numChannels < 1 || reader->sampleRate <= 0)
                throw RenderError { "'" + options.input + "' has no audio" };

            const int inputRate = (int) reader->sampleRate;
            const bool native = reader->sampleRate == inputRate
                                && std::find (std::begin (supportedRates), std::end (supportedRates), inputRate) != std::end (supportedRates);
            if (! options.rate.has_value() && native)
                rate = inputRate;
            source = std::make_unique<FileSource> (std::move (reader), options.mix, rate);
        }
        else
        {
            source = std::make_unique<DemoSource> (rate);
        }

        // The amplifier, set up as a host would: mono in, mono out, offline.
        auto processor = std::make_unique<BrindlecrestAudioProcessor>();
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (juce::AudioChannelSet::mono());
        layout.outputBuses.add (juce::AudioChannelSet::mono());
        processor->setBusesLayout (layout);
        processor->setNonRealtime (true);
        if (options.stateFile.isNotEmpty())
            applyStateFile (*processor, fileFromArgument (options.stateFile));
        for (const auto& s : options.settings)
            applySetting (*processor, s);
        processor->setRateAndBufferSizeDetails (rate, options.block);
        processor->prepareToPlay (rate, options.block);

        // The output, written aside and renamed into place when complete.
        TemporaryFile temp { outFile.getSiblingFile ("." + outFile.getFileName() + ".partial-"
                                                     + juce::String::toHexString (juce::Random::getSystemRandom().nextInt())) };
        std::unique_ptr<juce::AudioFormatWriter> writer;
        {
            auto stream = std::make_unique<juce::FileOutputStream> (temp.file);
            if (! stream->openedOk())
                throw RenderError { "cannot write to the folder of '" + options.output + "'" };
            juce::WavAudioFormat wav;
            writer.reset (wav.createWriterFor (stream.get(), rate, 1, options.asFloat ? 32 : 24, {}, 0));
            if (writer == nullptr)
                throw RenderError { "cannot create a WAV file at " + juce::String (rate) + " Hz" };
            stream.release(); // the writer owns it now
        }

        std::signal (SIGINT, onInterrupt);
        std::signal (SIGTERM, onInterrupt);

        const auto tailSamples = (juce::int64) std::llround (options.tail * rate);
        const auto total = source->expectedLength() + tailSamples;
        Progress progress (total, rate, ! options.quiet);

        juce::AudioBuffer<float> buffer (1, options.block);
        juce::MidiBuffer midi;
        juce::int64 done = 0, tailDone = 0;
        float peak = 0.0f;
        const auto started = juce::Time::getMillisecondCounterHiRes();
        bool inputOver = false;

        while (! interrupted.load())
        {
            float* x = buffer.getWritePointer (0);
            int n = 0;
            if (! inputOver)
            {
                n = source->read (x, options.block);
                inputOver = n < options.block;
            }
            // The tail: silence after the input, to the end of the block.
            const int room = options.block - n;
            const int silence = (int) std::min<juce::int64> (room, tailSamples - tailDone);
            if (inputOver && silence > 0)
            {
                std::fill (x + n, x + n + silence, 0.0f);
                n += silence;
                tailDone += silence;
            }
            if (n == 0)
                break;

            buffer.setSize (1, n, true, false, true);
            processor->processBlock (buffer, midi);
            const float* y = buffer.getReadPointer (0);
            for (int i = 0; i < n; ++i)
                peak = std::max (peak, std::abs (y[i]));
            if (! writer->writeFromFloatArrays (&y, 1, n))
                throw RenderError { "writing '" + options.output + "' failed (disk full?)" };
            buffer.setSize (1, options.block, false, false, true);
            done += n;
            progress.update (done);
        }
        progress.finish();

        if (interrupted.load())
            throw RenderError { "interrupted; no output written" };

        writer.reset(); // flushes and closes the file
        if (! temp.file.moveFileTo (outFile))
            throw RenderError { "cannot move the finished file to '" + options.output + "'" };
        temp.keep = true;

        const double seconds = (double) done / rate;
        const double elapsed = std::max (1.0e-6, (juce::Time::getMillisecondCounterHiRes() - started) / 1000.0);
        const double peakDb = peak > 0.0f ? 20.0 * std::log10 ((double) peak) : -200.0;
        if (! options.quiet)
        {
            std::cout << "rendered " << juce::String (seconds, 2) << " s at " << rate << " Hz in "
                      << juce::String (elapsed, 2) << " s (" << juce::String (seconds / elapsed, 1)
                      << "x realtime), output peak " << juce::String (peakDb, 1) << " dBFS"
                      << (peak > 1.0f && ! options.asFloat ? " (clipped; try --float or a lower volume)" : "")
                      << " -> " << options.output << std::endl;
        }
        return 0;
    }
    catch (const RenderError& e)
    {
        return cli::fail (e.message);
    }
}

const cli::CommandRegistration registration ({ "render", "play an audio file, or the built-in demo riff, through the amplifier", runRender });
} // namespace
