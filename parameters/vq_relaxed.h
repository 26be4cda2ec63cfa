#pragma once

#include <atomic>

// A value that one thread writes and another reads without a lock: the
// parameter values the audio thread reads while a host or the editor sets
// them, the signal blocks' settings, the hand-over to the editor.
// Loads and stores use relaxed ordering: each access is whole (never torn)
// and free of data races, and on the usual targets compiles to a plain
// load or store, so the signal path costs exactly what a plain field would.
// Nothing orders two such values against each other: a reader may see one
// of a pair already updated and the other not yet, which every user
// tolerates (the next read sees both). Copyable, so that it can live in
// standard containers.
template<typename T>
class vq_relaxed
{
public:
    static_assert (std::atomic<T>::is_always_lock_free, "vq_relaxed needs a lock-free type");

    vq_relaxed (T initial = T()) noexcept
        : value (initial)
    {}
    vq_relaxed (const vq_relaxed& other) noexcept
        : value (other.load())
    {}

    vq_relaxed& operator= (const vq_relaxed& other) noexcept
    {
        store (other.load());
        return *this;
    }
    vq_relaxed& operator= (T newValue) noexcept
    {
        store (newValue);
        return *this;
    }

    operator T() const noexcept { return load(); }

    T load() const noexcept { return value.load (std::memory_order_relaxed); }
    void store (T newValue) noexcept { value.store (newValue, std::memory_order_relaxed); }

private:
    std::atomic<T> value;
};
