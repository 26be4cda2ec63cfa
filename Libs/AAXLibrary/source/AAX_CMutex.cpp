#include "AAX_CMutex.h"

#include <atomic>
#include <new>
#include <pthread.h>

struct AAX_CMutex::Record
{
    // The holder's thread, or a default-constructed value while free. Read
    // before the mutex is taken, so it is atomic; only the holding thread
    // can find its own identifier here.
    std::atomic<pthread_t> ownerThread { pthread_t() };
    std::atomic<bool> held { false };
    pthread_mutex_t mutex;
};

namespace
{
bool HeldByCaller (const std::atomic<bool>& held, const std::atomic<pthread_t>& owner)
{
    return held.load (std::memory_order_acquire) && pthread_equal (owner.load (std::memory_order_acquire), pthread_self()) != 0;
}
} // namespace

AAX_CMutex::AAX_CMutex()
    : record (new (std::nothrow) Record)
{
    if (record != nullptr && pthread_mutex_init (&record->mutex, nullptr) != 0)
    {
        delete record;
        record = nullptr;
    }
}

AAX_CMutex::~AAX_CMutex()
{
    if (record == nullptr)
        return;
    pthread_mutex_destroy (&record->mutex);
    delete record;
}

bool AAX_CMutex::Lock()
{
    if (record == nullptr)
        return false;
    if (HeldByCaller (record->held, record->ownerThread))
        return false;
    pthread_mutex_lock (&record->mutex);
    record->ownerThread.store (pthread_self(), std::memory_order_release);
    record->held.store (true, std::memory_order_release);
    return true;
}

void AAX_CMutex::Unlock()
{
    if (record == nullptr)
        return;
    if (! HeldByCaller (record->held, record->ownerThread))
        return;
    record->held.store (false, std::memory_order_release);
    record->ownerThread.store (pthread_t(), std::memory_order_release);
    pthread_mutex_unlock (&record->mutex);
}
