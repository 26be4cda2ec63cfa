#pragma once
// The library's lock: a POSIX mutex that tolerates re-entry by the thread
// that holds it (an inner Lock returns false and changes nothing).

class AAX_CMutex
{
public:
    AAX_CMutex();
    ~AAX_CMutex();
    AAX_CMutex (const AAX_CMutex&) = delete;
    AAX_CMutex& operator= (const AAX_CMutex&) = delete;

    // true when this call took the lock; false when the calling thread
    // already holds it, or when the mutex could not be created.
    bool Lock();
    // Releases the lock when the calling thread holds it; otherwise nothing.
    void Unlock();

private:
    struct Record;
    Record* record; // null when the platform mutex could not be created
};

// Scope guard: unlocks at scope end only when its own Lock took the lock,
// so only the outermost guard on a thread releases it.
class AAX_StLock_Guard
{
public:
    explicit AAX_StLock_Guard (AAX_CMutex& mutexToLock)
        : mutex (mutexToLock)
        , locked (mutexToLock.Lock())
    {}
    ~AAX_StLock_Guard()
    {
        if (locked)
            mutex.Unlock();
    }
    AAX_StLock_Guard (const AAX_StLock_Guard&) = delete;
    AAX_StLock_Guard& operator= (const AAX_StLock_Guard&) = delete;

private:
    AAX_CMutex& mutex;
    bool locked;
};
