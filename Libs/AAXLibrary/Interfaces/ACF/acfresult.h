#pragma once
// Result codes of the component object model.

#include "acfbasetypes.h"

static const ACFRESULT ACF_OK = 0;
static const ACFRESULT kACFErrNoInterface = static_cast<ACFRESULT> (0x80000004u);
static const ACFRESULT kACFErrNullPointer = static_cast<ACFRESULT> (0x80000005u);
static const ACFRESULT kACFErrUnexpected = static_cast<ACFRESULT> (0x8000FFFFu);
