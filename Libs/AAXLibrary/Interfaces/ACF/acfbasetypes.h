#pragma once
// Basic types of the host's component object model.

#include <cstdint>
#include <cstring>

typedef int32_t ACFRESULT;
typedef int32_t acfSInt32;
typedef uint32_t acfUInt32;
typedef int64_t acfSInt64;
typedef uint64_t acfUInt64;
typedef uint16_t acfUInt16;
typedef uint8_t acfUInt8;

// The 16-byte identifier of interfaces and components.
struct _acfUID
{
    acfUInt32 Data1;
    acfUInt16 Data2;
    acfUInt16 Data3;
    acfUInt8 Data4[8];
};
typedef _acfUID acfUID;
typedef _acfUID acfIID;
typedef _acfUID acfCLSID;

static_assert (sizeof (_acfUID) == 16, "identifiers are 16 bytes");

// Two identifiers are equal only when all 16 bytes are.
inline bool operator== (const _acfUID& a, const _acfUID& b) { return std::memcmp (&a, &b, sizeof (_acfUID)) == 0; }
inline bool operator!= (const _acfUID& a, const _acfUID& b) { return ! (a == b); }

#define ACF_SUCCEEDED(r) (static_cast<ACFRESULT> (r) >= 0)
#define ACF_FAILED(r) (static_cast<ACFRESULT> (r) < 0)
