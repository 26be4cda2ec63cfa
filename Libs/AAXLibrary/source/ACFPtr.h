#pragma once
// Counted pointer over one host interface. Holding a pointer holds one
// reference: built from a raw pointer it adds one, destroyed it releases
// it. As an out argument of a query or a factory (OutArg) it first drops
// what it holds, and the callee's added reference becomes the one it owns.
// Dereferencing an empty pointer throws kACFErrNullPointer as an ACFRESULT.

#include <utility>

#include "acfunknown.h"

template<class T>
class ACFPtr
{
public:
    ACFPtr() = default;
    explicit ACFPtr (T* p)
        : mPtr (p)
    {
        if (mPtr)
            mPtr->AddRef();
    }
    ACFPtr (const ACFPtr& other)
        : mPtr (other.mPtr)
    {
        if (mPtr)
            mPtr->AddRef();
    }
    ACFPtr (ACFPtr&& other) noexcept
        : mPtr (other.mPtr)
    {
        other.mPtr = nullptr;
    }
    ACFPtr& operator= (const ACFPtr& other)
    {
        ACFPtr copy (other);
        std::swap (mPtr, copy.mPtr);
        return *this;
    }
    ACFPtr& operator= (ACFPtr&& other) noexcept
    {
        if (this != &other)
        {
            Clear();
            mPtr = other.mPtr;
            other.mPtr = nullptr;
        }
        return *this;
    }
    ~ACFPtr() { Clear(); }

    // Drops the reference held, if any.
    void Clear()
    {
        T* p = mPtr;
        mPtr = nullptr;
        if (p)
            p->Release();
    }

    // Address for an out argument: drops what is held first.
    void** OutArg()
    {
        Clear();
        return reinterpret_cast<void**> (&mPtr);
    }

    T* operator->() const
    {
        if (! mPtr)
            throw static_cast<ACFRESULT> (kACFErrNullPointer);
        return mPtr;
    }
    T& operator*() const
    {
        if (! mPtr)
            throw static_cast<ACFRESULT> (kACFErrNullPointer);
        return *mPtr;
    }

    T* get() const { return mPtr; }
    bool IsNull() const { return mPtr == nullptr; }
    explicit operator bool() const { return mPtr != nullptr; }

private:
    T* mPtr = nullptr;
};
