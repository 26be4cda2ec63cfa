#include "wrapper/Skorvane3JuceRuntime.h"

#include <juce_events/juce_events.h>

#include <memory>
#include <mutex>
#include <vector>

namespace juce
{
// Defined by JUCE's Linux message loop (juce_linux_Messaging.cpp).
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace Skorvane3AAX
{
namespace
{

// The thread that owns JUCE's message loop for the plug-in.
class MessageThread final : public juce::Thread
{
public:
    MessageThread()
        : juce::Thread ("Skorvane3 message thread")
    {}

    bool begin()
    {
        if (! startThread())
            return false;
        // Wait until the thread has taken over as JUCE's message thread.
        return ready.wait (10000);
    }

    void end()
    {
        if (auto* mm = juce::MessageManager::getInstanceWithoutCreating())
            mm->stopDispatchLoop();
        signalThreadShouldExit();
        stopThread (-1);
    }

    void run() override
    {
        juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();
        ready.signal();
        while (! threadShouldExit())
            if (! juce::dispatchNextMessageOnSystemQueue (true))
                juce::Thread::sleep (1);
    }

private:
    juce::WaitableEvent ready;
};

std::mutex gRuntimeLock;
int gHolders = 0;
std::unique_ptr<MessageThread> gMessageThread;
// Loops told to end from inside themselves; joined by the next start.
std::vector<std::unique_ptr<MessageThread>> gRetiredThreads;

} // namespace

JuceRuntime::JuceRuntime()
{
    std::lock_guard<std::mutex> l (gRuntimeLock);
    if (gHolders++ == 0)
    {
        for (auto& t : gRetiredThreads)
            t->stopThread (-1);
        gRetiredThreads.clear();
        juce::initialiseJuce_GUI();
        gMessageThread = std::make_unique<MessageThread>();
        gMessageThread->begin();
    }
}

JuceRuntime::~JuceRuntime()
{
    std::lock_guard<std::mutex> l (gRuntimeLock);
    if (--gHolders == 0)
    {
        auto* mm = juce::MessageManager::getInstanceWithoutCreating();
        if (gMessageThread && mm != nullptr && mm->isThisTheMessageThread())
        {
            // The last holder went away inside the message loop, which cannot
            // wait for itself: let the loop end on its own and leave JUCE up;
            // the next holder starts a fresh loop.
            gMessageThread->signalThreadShouldExit();
            gRetiredThreads.push_back (std::move (gMessageThread));
            return;
        }
        if (gMessageThread)
        {
            gMessageThread->end();
            gMessageThread.reset();
        }
        // The loop has stopped: this thread becomes the message thread for
        // the clean-up of JUCE's singletons.
        juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();
        juce::shutdownJuce_GUI();
    }
}

int JuceRuntime::activeHolders()
{
    std::lock_guard<std::mutex> l (gRuntimeLock);
    return gHolders;
}

bool JuceRuntime::callOnMessageThread (const std::function<void()>& fn)
{
    struct Call
    {
        const std::function<void()>* fn;
        bool ok;
    };
    Call call { &fn, false };
    auto trampoline = [] (void* data) -> void* {
        auto* c = static_cast<Call*> (data);
        try
        {
            (*c->fn)();
            c->ok = true;
        }
        catch (...)
        {
            c->ok = false;
        }
        return nullptr;
    };

    auto* mm = juce::MessageManager::getInstanceWithoutCreating();
    if (mm == nullptr)
        return false;
    if (mm->isThisTheMessageThread())
    {
        trampoline (&call);
        return call.ok;
    }
    mm->callFunctionOnMessageThread (trampoline, &call);
    return call.ok;
}

} // namespace Skorvane3AAX
