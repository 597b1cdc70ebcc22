// The saved state is an external interface: hosts keep it in their projects
// for years, and must get back exactly what they stored.

#include "ProcessorFixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

namespace
{
constexpr uint32_t magic = 0x21324356; // "VC2!"

std::vector<float> values (juce::AudioProcessor& p)
{
    std::vector<float> v;
    for (auto* param : p.getParameters())
        v.push_back (param->getValue());
    return v;
}

juce::MemoryBlock stateOf (juce::AudioProcessor& p)
{
    juce::MemoryBlock block;
    p.getStateInformation (block);
    return block;
}

/** Wraps XML text in the binary envelope. */
juce::MemoryBlock envelope (const juce::String& xml, std::optional<int> lengthField = {})
{
    juce::MemoryOutputStream out;
    out.writeInt ((int) magic);
    const auto utf8 = xml.toStdString();
    out.writeInt (lengthField.value_or ((int) utf8.size()));
    out.write (utf8.data(), utf8.size());
    out.writeByte (0);
    return out.getMemoryBlock();
}

/** Gives every parameter a random normalised value from a fixed seed. */
void randomiseAll (juce::AudioProcessor& p, uint32_t seed)
{
    std::mt19937 rng (seed);
    std::uniform_real_distribution<float> uni (0.0f, 1.0f);
    for (auto* param : p.getParameters())
        param->setValue (uni (rng));
}

void restore (juce::AudioProcessor& p, const juce::MemoryBlock& block)
{
    p.setStateInformation (block.getData(), (int) block.getSize());
}

/** Every parameter holds a legal value of its kind. */
void expectLegal (juce::AudioProcessor& p)
{
    for (auto* param : p.getParameters())
    {
        const float v = param->getValue();
        ASSERT_TRUE (std::isfinite (v));
        ASSERT_GE (v, 0.0f);
        ASSERT_LE (v, 1.0f);
    }
}
} // namespace

TEST (State, FreshInstanceLayout)
{
    auto processor = makeProcessor();
    const auto block = stateOf (*processor);
    const auto* bytes = static_cast<const uint8_t*> (block.getData());
    const auto size = block.getSize();

    ASSERT_GT (size, 9u);
    EXPECT_EQ (std::memcmp (bytes, "VC2!", 4), 0);
    const auto length = juce::ByteOrder::littleEndianInt (bytes + 4);
    EXPECT_EQ (length, size - 9);
    EXPECT_EQ (bytes[size - 1], 0);

    const juce::String text (juce::CharPointer_UTF8 ((const char*) bytes + 8), length);
    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?> <BRINDLECRESTSETTINGS PEDAL_CHORUS101=\""));
    EXPECT_FALSE (text.containsAnyOf ("\r\n"));

    auto xml = juce::parseXML (text);
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "BRINDLECRESTSETTINGS");
    EXPECT_EQ (xml->getNumChildElements(), 0);
    ASSERT_EQ (xml->getNumAttributes(), 62);
    const auto& params = processor->getParameters();
    for (int i = 0; i < 62; ++i)
    {
        const auto* withId = dynamic_cast<juce::AudioProcessorParameterWithID*> (params[i]);
        EXPECT_EQ (xml->getAttributeName (i), withId->paramID);
        EXPECT_FLOAT_EQ ((float) xml->getAttributeValue (i).getDoubleValue(), params[i]->getValue());
    }
    // Integers are stored normalised: cab 8 of 1..13 is 7/12, an order value 3 is 3/5.
    EXPECT_FLOAT_EQ ((float) xml->getDoubleAttribute ("cab"), 7.0f / 12.0f);
    EXPECT_FLOAT_EQ ((float) xml->getDoubleAttribute ("PEDAL_DelayORDER4"), 3.0f / 5.0f);
}

TEST (State, RoundTripOfEveryParameter)
{
    auto source = makeProcessor();
    randomiseAll (*source, 7);
    source->cab->setValueNotifyingHost (source->cab->convertTo0to1 (11.0f));

    const auto saved = values (*source);
    auto target = makeProcessor();
    restore (*target, stateOf (*source));

    const auto& from = source->getParameters();
    const auto& to = target->getParameters();
    for (int i = 0; i < from.size(); ++i)
    {
        SCOPED_TRACE (i);
        EXPECT_FLOAT_EQ (to[i]->getValue(), saved[(size_t) i]);
        if (auto* b = dynamic_cast<juce::AudioParameterBool*> (to[i]))
        {
            EXPECT_EQ (b->get(), dynamic_cast<juce::AudioParameterBool*> (from[i])->get());
        }
        if (auto* n = dynamic_cast<juce::AudioParameterInt*> (to[i]))
        {
            EXPECT_EQ (n->get(), dynamic_cast<juce::AudioParameterInt*> (from[i])->get());
        }
    }
    EXPECT_EQ (target->cab->get(), 11);
}

TEST (State, AcceptedAndRejectedEnvelopes)
{
    struct Case
    {
        const char* what;
        juce::MemoryBlock block;
        bool changesCab;
    };
    const juce::String cab12 = juce::String ("cab=\"") + juce::String (11.0 / 12.0) + "\"";
    const juce::String doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?> ";
    const auto good = doc + "<BRINDLECRESTSETTINGS " + cab12 + "/>";

    auto wrongMagic = envelope (good);
    static_cast<char*> (wrongMagic.getData())[0] = 'X';
    auto truncatedHeader = envelope (good);
    truncatedHeader.setSize (8);

    Case cases[] = {
        { "valid", envelope (good), true },
        { "tag in lower case", envelope (doc + "<brindlecrestsettings " + cab12 + "/>"), true },
        { "length field beyond the data", envelope (good, 100000), true },
        { "another tag", envelope (doc + "<OTHERSETTINGS " + cab12 + "/>"), false },
        { "attribute name in another case", envelope (doc + "<BRINDLECRESTSETTINGS CAB=\"0.9\"/>"), false },
        { "wrong magic", wrongMagic, false },
        { "zero length", envelope (good, 0), false },
        { "negative length", envelope (good, -5), false },
        { "not XML", envelope ("this is not xml"), false },
        { "eight bytes", truncatedHeader, false },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        auto processor = makeProcessor();
        const auto before = values (*processor);
        restore (*processor, c.block);
        EXPECT_EQ (processor->cab->get(), c.changesCab ? 12 : 8);
        auto after = values (*processor);
        // Nothing but cab may move.
        const int cabIndex = processor->cab->getParameterIndex();
        after[(size_t) cabIndex] = before[(size_t) cabIndex];
        EXPECT_EQ (after, before);
    }
}

TEST (State, PartialStateChangesOnlyItsParametersAndKeepsCurrentValues)
{
    auto processor = makeProcessor();
    processor->volume->setValueNotifyingHost (0.9f); // not the default: must survive
    const auto before = values (*processor);

    restore (*processor, envelope ("<BRINDLECRESTSETTINGS presence=\"0.25\" hqReverb=\"1\" unknownThing=\"1\"/>"));

    const auto after = values (*processor);
    for (size_t i = 0; i < before.size(); ++i)
    {
        const auto* p = processor->getParameters()[(int) i];
        if (p == processor->presence)
            EXPECT_FLOAT_EQ (after[i], 0.25f);
        else if (p == processor->hqReverb)
            EXPECT_TRUE (processor->hqReverb->get());
        else
            EXPECT_EQ (after[i], before[i]) << i;
    }
}

TEST (State, OutOfRangeAndNonNumericValuesNeverLeaveTheRange)
{
    auto processor = makeProcessor();
    restore (*processor, envelope ("<BRINDLECRESTSETTINGS volume=\"7.5\" hqReverb=\"3\" presence=\"-2\" "
                                   "reverb=\"nan\" cab=\"inf\" boost1=\"-inf\"/>"));
    expectLegal (*processor);
    EXPECT_EQ (processor->volume->get(), 1.0f);
    EXPECT_EQ (static_cast<juce::AudioProcessorParameter*> (processor->hqReverb)->getValue(), 1.0f);
    EXPECT_EQ (processor->presence->get(), 0.0f);
    EXPECT_EQ (processor->reverb->get(), 0.0f); // unchanged default
    EXPECT_EQ (processor->cab->get(), 8);       // unchanged default
    EXPECT_FALSE (processor->boost1->get());
}

TEST (State, TruncatedBlocksNeverCorruptValues)
{
    auto source = makeProcessor();
    randomiseAll (*source, 11);
    const auto full = stateOf (*source);
    const auto stored = values (*source);

    auto target = makeProcessor();
    const auto defaults = values (*target);
    for (size_t cut = 0; cut < full.getSize(); ++cut)
    {
        // A fresh copy of exactly 'cut' bytes, so that reading past it is caught.
        std::vector<char> bytes (static_cast<const char*> (full.getData()),
                                 static_cast<const char*> (full.getData()) + cut);
        auto processor = makeProcessor();
        processor->setStateInformation (bytes.data(), (int) bytes.size());
        const auto got = values (*processor);
        for (size_t i = 0; i < got.size(); ++i)
            ASSERT_TRUE (got[i] == defaults[i] || got[i] == stored[i]) << "cut " << cut << " parameter " << i;
    }
}

TEST (State, RandomAndBitFlippedBlocksAreHandledSafely)
{
    auto processor = makeProcessor();
    const auto valid = stateOf (*processor);
    std::mt19937 rng (1234);

    for (int round = 0; round < 3000; ++round)
    {
        std::vector<uint8_t> bytes;
        if (round % 3 == 0)
        {
            bytes.resize ((size_t) (rng() % 2000));
            for (auto& b : bytes)
                b = (uint8_t) rng();
            if (bytes.size() >= 8 && round % 2 == 0) // often a plausible header
            {
                std::memcpy (bytes.data(), "VC2!", 4);
                const auto len = (uint32_t) (rng() % 4000);
                std::memcpy (bytes.data() + 4, &len, 4);
            }
        }
        else
        {
            bytes.assign (static_cast<const uint8_t*> (valid.getData()),
                          static_cast<const uint8_t*> (valid.getData()) + valid.getSize());
            for (int flips = 1 + (int) (rng() % 4); flips > 0; --flips)
                bytes[rng() % bytes.size()] ^= (uint8_t) (1u << (rng() % 8));
        }

        processor->setStateInformation (bytes.data(), (int) bytes.size());
        expectLegal (*processor);
    }
}

TEST (State, DamagedMagicChangesNothing)
{
    auto source = makeProcessor();
    source->volume->setValueNotifyingHost (0.123f);
    auto block = stateOf (*source);
    for (int byte = 0; byte < 4; ++byte)
        for (int bit = 0; bit < 8; ++bit)
        {
            auto copy = block;
            static_cast<uint8_t*> (copy.getData())[byte] ^= (uint8_t) (1 << bit);
            auto target = makeProcessor();
            const auto before = values (*target);
            restore (*target, copy);
            EXPECT_EQ (values (*target), before);
        }
}
