// processBlock must never touch the heap or take a lock: either can stall the
// host's audio thread behind another thread. This executable interposes the
// C allocation functions (which operator new uses) and the mutex functions,
// and counts the calls made by the test's own thread while a probe is open.
// The first test proves the probe sees both.

#include "../plugin/ChainFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <dlfcn.h>
#include <mutex>
#include <pthread.h>
#include <thread>

extern "C" void* __libc_malloc (size_t);
extern "C" void* __libc_calloc (size_t, size_t);
extern "C" void* __libc_realloc (void*, size_t);
extern "C" void* __libc_memalign (size_t, size_t);
extern "C" void __libc_free (void*);

namespace
{
thread_local bool counting = false;
std::atomic<long> heapCalls { 0 };
std::atomic<long> lockCalls { 0 };

inline void countHeap()
{
    if (counting)
        heapCalls.fetch_add (1, std::memory_order_relaxed);
}

template <typename Fn>
Fn realFunction (const char* name)
{
    return reinterpret_cast<Fn> (dlsym (RTLD_NEXT, name));
}
} // namespace

extern "C"
{
void* malloc (size_t n)
{
    countHeap();
    return __libc_malloc (n);
}

void* calloc (size_t count, size_t n)
{
    countHeap();
    return __libc_calloc (count, n);
}

void* realloc (void* p, size_t n)
{
    countHeap();
    return __libc_realloc (p, n);
}

void* aligned_alloc (size_t alignment, size_t n)
{
    countHeap();
    return __libc_memalign (alignment, n);
}

void free (void* p)
{
    if (p != nullptr)
        countHeap();
    __libc_free (p);
}

int pthread_mutex_lock (pthread_mutex_t* m)
{
    static auto real = realFunction<int (*) (pthread_mutex_t*)> ("pthread_mutex_lock");
    if (counting)
        lockCalls.fetch_add (1, std::memory_order_relaxed);
    return real (m);
}

int pthread_mutex_trylock (pthread_mutex_t* m)
{
    static auto real = realFunction<int (*) (pthread_mutex_t*)> ("pthread_mutex_trylock");
    if (counting)
        lockCalls.fetch_add (1, std::memory_order_relaxed);
    return real (m);
}
}

namespace
{
/** Counts heap and lock calls of this thread while it is alive. */
struct Probe
{
    long heapStart = heapCalls.load(), lockStart = lockCalls.load();
    Probe() { counting = true; }
    ~Probe() { counting = false; }
    long heap() const { return heapCalls.load() - heapStart; }
    long locks() const { return lockCalls.load() - lockStart; }
};

/** One host block, made outside any probe. */
struct Block
{
    juce::AudioBuffer<float> buffer;
    juce::MidiBuffer midi;
    explicit Block (int n) : buffer (2, n) { midi.ensureSize (64); }
};

void fill (Block& b, int n, uint32_t seed)
{
    const auto x = testNoise ((size_t) n, seed, 0.2f);
    b.buffer.setSize (2, n, false, false, true);
    b.buffer.clear();
    std::copy (x.begin(), x.end(), b.buffer.getWritePointer (0));
}

void everythingOn (BrindlecrestAudioProcessor& q)
{
    for (auto& pedal : q.pedals)
        setParam (q, pedal.onOff->paramID, 1.0f);
    setParam (q, "reverb", 0.5f);
    setParam (q, "hqReverb", 1.0f);
    setParam (q, "boost2", 1.0f);
    setParam (q, "midboost2", 1.0f);
}
} // namespace

TEST (RealtimeSafety, ProbeSeesHeapAndLocks)
{
    std::mutex m;
    Probe probe;
    {
        auto v = std::make_unique<std::vector<float>> (100);
        const std::lock_guard<std::mutex> lock (m);
    }
    EXPECT_GE (probe.heap(), 2);
    EXPECT_GE (probe.locks(), 1);
}

TEST (RealtimeSafety, ProcessBlockNeitherAllocatesNorLocks)
{
    struct Case
    {
        double rate;
        std::vector<int> lengths;
        bool allOn;
    };
    const Case cases[] = {
        { 48000, { 512 }, false },
        { 44100, { 64 }, true },
        { 96000, { 511, 1, 64, 333, 8192 }, true },
        { 192000, { 1023, 2, 4096 }, true },
        { 32000, { 256 }, false },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.rate);
        auto p = makePrepared (c.rate, 8192, true, [&] (BrindlecrestAudioProcessor& q) {
            if (c.allOn)
                everythingOn (q);
        });
        Block block (8192);
        long heap = 0, locks = 0;
        for (int i = 0; i < 200; ++i)
        {
            const int n = c.lengths[(size_t) i % c.lengths.size()];
            fill (block, n, (uint32_t) i);
            Probe probe;
            p->processBlock (block.buffer, block.midi);
            heap += probe.heap();
            locks += probe.locks();
        }
        EXPECT_EQ (heap, 0);
        EXPECT_EQ (locks, 0);
    }
}

TEST (RealtimeSafety, ReactionsOnTheAudioThreadNeitherAllocateNorLock)
{
    // Automation arriving on the audio thread (the value set, then our
    // listener told, as the framework's notification does after taking its
    // own lock), a cabinet change and a reverb switched in at block
    // boundaries, and the meters: all inside the probe.
    auto p = makePrepared (48000, 512, true, everythingOn);
    auto automate = [&] (juce::RangedAudioParameter* param, float value) {
        const float normalised = param->convertTo0to1 (value);
        param->setValue (normalised);
        p->audioProcessorParameterChanged (p.get(), param->getParameterIndex(), normalised);
    };
    auto* type = findParameter (*p, "reverbType2");
    auto* cabinet = findParameter (*p, "cab");
    auto* presence = findParameter (*p, "presence");
    Block block (512);
    long heap = 0, locks = 0;
    int switches = 0;
    for (int i = 0; i < 400; ++i)
    {
        fill (block, 512, (uint32_t) i);
        const int slot = p->activeReverbSlot.load();
        {
            Probe probe;
            if (i % 50 == 10)
                automate (type, (float) ((i / 50) % 2));
            if (i % 30 == 5)
                automate (cabinet, (float) (2 + i % 12));
            automate (presence, (float) (i % 10) / 10.0f);
            p->processBlock (block.buffer, block.midi);
            heap += probe.heap();
            locks += probe.locks();
        }
        switches += p->activeReverbSlot.load() != slot ? 1 : 0;
        std::this_thread::sleep_for (std::chrono::milliseconds (1)); // time for the builder
    }
    EXPECT_GE (switches, 4);
    EXPECT_EQ (heap, 0);
    EXPECT_EQ (locks, 0);
}
