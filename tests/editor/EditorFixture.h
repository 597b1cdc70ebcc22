#pragma once

// A processor with its editor open, a listener standing in for the host, and
// a way to let the message loop run for a while.

#include "editor/PluginEditor.h"
#include "plugin/PluginProcessor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

#if JUCE_LINUX || JUCE_BSD
namespace juce
{
// The framework's own plug-in message thread drives the queue with this.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce
#endif

namespace editortest
{
/** Delivers the messages posted to the message thread (timer ticks, async
    clicks) for about `milliseconds`, or until `done` says so. */
template <typename Done>
inline bool runMessagesUntil (int milliseconds, Done done)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) milliseconds;
    while (! done())
    {
        if (juce::Time::getMillisecondCounter() >= end)
            return false;
#if JUCE_LINUX || JUCE_BSD
        if (! juce::dispatchNextMessageOnSystemQueue (true))
            juce::Thread::sleep (1);
#endif
    }
    return true;
}

inline void runMessages (int milliseconds)
{
    runMessagesUntil (milliseconds, [] { return false; });
}

/** Delivers what is pending now and returns. */
inline void drainMessages()
{
#if JUCE_LINUX || JUCE_BSD
    for (int i = 0; i < 10000 && juce::dispatchNextMessageOnSystemQueue (true); ++i)
    {
    }
#endif
}

/** What the host hears: every value change and gesture, in order, as
    "set ID value", "begin ID" and "end ID". */
struct HostSpy : juce::AudioProcessorListener
{
    explicit HostSpy (juce::AudioProcessor& p) : processor (p) { processor.addListener (this); }
    ~HostSpy() override { processor.removeListener (this); }

    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float newValue) override
    {
        events.push_back ("set " + id (index) + " " + juce::String (newValue, 4));
    }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override
    {
        events.push_back ("begin " + id (index));
    }
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override
    {
        events.push_back ("end " + id (index));
    }

    /** The value changes heard, without the gestures. */
    std::vector<juce::String> writes() const
    {
        std::vector<juce::String> w;
        for (const auto& e : events)
            if (e.startsWith ("set "))
                w.push_back (e);
        return w;
    }

    juce::String id (int index) const
    {
        auto* p = dynamic_cast<juce::RangedAudioParameter*> (processor.getParameters()[index]);
        return p != nullptr ? p->paramID : juce::String (index);
    }

    juce::AudioProcessor& processor;
    std::vector<juce::String> events;
};

/** The parameter with the given ID; fails the test when there is none. */
inline juce::RangedAudioParameter& parameter (juce::AudioProcessor& p, const juce::String& id)
{
    for (auto* param : p.getParameters())
        if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (param); ranged != nullptr && ranged->paramID == id)
            return *ranged;
    ADD_FAILURE() << "no parameter " << id;
    static juce::AudioParameterFloat none ("none", "none", 0.0f, 1.0f, 0.0f);
    return none;
}

/** Sets a parameter to a value in its own units the way a host automates it:
    the value changes and the listeners hear of it. */
inline void hostSets (juce::AudioProcessor& p, const juce::String& id, float plain)
{
    auto& param = parameter (p, id);
    param.setValueNotifyingHost (param.convertTo0to1 (plain));
}

/** A fresh processor (on the heap: it is large), optionally with parameters
    changed before the window opens, and the window itself. */
struct OpenEditor
{
    OpenEditor() : OpenEditor ([] (BrindlecrestAudioProcessor&) {}) {}

    template <typename Prepare>
    explicit OpenEditor (Prepare prepare) : processor (std::make_unique<BrindlecrestAudioProcessor>())
    {
        prepare (*processor);
        editor = std::make_unique<BrindlecrestAudioProcessorEditor> (*processor);
    }

    ~OpenEditor()
    {
        editor.reset();
        drainMessages();
    }

    /** The control standing for the parameter with the given ID. */
    juce::Component* control (const juce::String& id) const
    {
        const auto& params = processor->getParameters();
        for (int i = 0; i < params.size(); ++i)
            if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (params[i]); ranged != nullptr && ranged->paramID == id)
                return editor->getParameterControls()[i];
        ADD_FAILURE() << "no parameter " << id;
        return nullptr;
    }

    template <typename T>
    T& controlAs (const juce::String& id) const
    {
        auto* c = dynamic_cast<T*> (control (id));
        if (c == nullptr)
            throw std::runtime_error (("the control of " + id + " is not of the expected kind").toStdString());
        return *c;
    }

    /** The slot-order parameters' values, slot 0 first. */
    std::vector<int> slotOrder() const
    {
        std::vector<int> order;
        for (auto* p : processor->orderParams)
            order.push_back (p->get());
        return order;
    }

    /** The pedals shown on a row, left to right. */
    std::vector<int> pedalsOn (juce::Component& row) const
    {
        std::vector<std::pair<int, int>> found;
        for (int p = 0; p < 5; ++p)
            if (editor->getPedalView (p).getParentComponent() == &row)
                found.push_back ({ editor->getPedalView (p).getX(), p });
        std::sort (found.begin(), found.end());
        std::vector<int> pedals;
        for (auto& f : found)
            pedals.push_back (f.second);
        return pedals;
    }

    std::unique_ptr<BrindlecrestAudioProcessor> processor;
    std::unique_ptr<BrindlecrestAudioProcessorEditor> editor;
};

/** Gives slot s (0 to 4) of the processor the pedal p, quietly. */
inline void setSlot (BrindlecrestAudioProcessor& p, int slot, int pedal)
{
    auto* param = p.orderParams[slot];
    param->setValueNotifyingHost (param->convertTo0to1 ((float) pedal));
}

/** Puts pedal p before the amplifier (true) or in the loop. */
inline void setSide (BrindlecrestAudioProcessor& p, int pedal, bool onBoard)
{
    p.pedals[pedal].isBefore->setValueNotifyingHost (onBoard ? 1.0f : 0.0f);
}
} // namespace editortest
