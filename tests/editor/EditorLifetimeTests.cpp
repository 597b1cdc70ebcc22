// Opening and closing the window many times leaves nothing behind.
//
// This test program counts every allocation made through operator new and
// every release through operator delete; what a window allocates and does not
// give back shows up as a count that grows with every window.

#include "EditorFixture.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<long long> liveAllocations { 0 };

void* allocate (std::size_t size)
{
    if (void* p = std::malloc (size == 0 ? 1 : size))
    {
        liveAllocations.fetch_add (1, std::memory_order_relaxed);
        return p;
    }
    throw std::bad_alloc();
}

void release (void* p) noexcept
{
    if (p != nullptr)
    {
        liveAllocations.fetch_sub (1, std::memory_order_relaxed);
        std::free (p);
    }
}
} // namespace

void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return allocate (size);
    }
    catch (...)
    {
        return nullptr;
    }
}
void* operator new[] (std::size_t size, const std::nothrow_t& tag) noexcept { return operator new (size, tag); }
void operator delete (void* p) noexcept { release (p); }
void operator delete[] (void* p) noexcept { release (p); }
void operator delete (void* p, std::size_t) noexcept { release (p); }
void operator delete[] (void* p, std::size_t) noexcept { release (p); }
void operator delete (void* p, const std::nothrow_t&) noexcept { release (p); }
void operator delete[] (void* p, const std::nothrow_t&) noexcept { release (p); }

namespace
{
/** One window's life, as a host leads it: opened, ticked, painted, clicked
    about, closed. */
void openUseAndClose (BrindlecrestAudioProcessor& processor)
{
    std::unique_ptr<juce::AudioProcessorEditor> window (processor.createEditorIfNeeded());
    auto* editor = dynamic_cast<BrindlecrestAudioProcessorEditor*> (window.get());
    ASSERT_NE (editor, nullptr);
    editor->timerCallback();
    juce::Image image (juce::Image::ARGB, 1300, 730, true);
    {
        juce::Graphics g (image);
        editor->paintEntireComponent (g, true);
    }
    editor->getNextButton (0).setToggleState (true, juce::sendNotificationSync);
    editor->getPreviousButton (0).setToggleState (false, juce::sendNotificationSync);
    window.reset();
    editortest::drainMessages();
}
} // namespace

TEST (EditorLifetime, FiftyWindowsOpenedAndClosedLeakNothing)
{
    // Cached pictures would otherwise be let go at some moment in the middle.
    juce::ImageCache::setCacheTimeout (24 * 60 * 60 * 1000);

    auto processor = std::make_unique<BrindlecrestAudioProcessor>();
    processor->pedalboard->setValueNotifyingHost (1.0f); // paint the pedals too

    // The first windows fill the framework's caches (pictures, fonts, glyphs).
    for (int i = 0; i < 3; ++i)
        openUseAndClose (*processor);

    // A window that leaks leaves something behind every time; the framework's
    // caches, still growing now and then, do not.
    int windowsThatLeftSomething = 0;
    long long leftBehind = 0;
    for (int i = 0; i < 50; ++i)
    {
        const auto before = liveAllocations.load();
        openUseAndClose (*processor);
        const auto left = liveAllocations.load() - before;
        windowsThatLeftSomething += left > 0 ? 1 : 0;
        leftBehind += left;
    }
    EXPECT_LE (windowsThatLeftSomething, 5) << "allocations left behind by 50 windows: " << leftBehind;
    EXPECT_EQ (processor->getActiveEditor(), nullptr);
}
