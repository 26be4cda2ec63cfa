#pragma once
// Interface and component identifiers of the component object model, all in
// one place. The values marked "our own" are this project's constants: the
// library and our host agree on them, nothing else reads them.

#include "ACF/acfbasetypes.h"

// {00000000-0000-0000-C000-000000000046}
static const acfIID IID_IACFUnknown = { 0x00000000, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };
// {00EEF015-7FD0-11D6-8485-00306542A024}
static const acfIID IID_IACFPluginDefinition = { 0x00EEF015, 0x7FD0, 0x11D6, { 0x84, 0x85, 0x00, 0x30, 0x65, 0x42, 0xA0, 0x24 } };
// {964E333D-334C-533F-C2C7-3834C3C23E3E}
static const acfIID IID_IAAXEffectParametersV1 = { 0x964E333D, 0x334C, 0x533F, { 0xC2, 0xC7, 0x38, 0x34, 0xC3, 0xC2, 0x3E, 0x3E } };
// {F1F47D06-308F-4CC5-9C7C-50A83F8AB813}
static const acfIID IID_IAAXEffectParametersV2 = { 0xF1F47D06, 0x308F, 0x4CC5, { 0x9C, 0x7C, 0x50, 0xA8, 0x3F, 0x8A, 0xB8, 0x13 } };
// {D2540E9D-9163-42BB-A6FD-81E10EA32498}
static const acfIID IID_IAAXEffectParametersV3 = { 0xD2540E9D, 0x9163, 0x42BB, { 0xA6, 0xFD, 0x81, 0xE1, 0x0E, 0xA3, 0x24, 0x98 } };
// {964E323D-424C-5E1A-2227-282423222E1E}
static const acfIID IID_IAAXEffectGUIV1 = { 0x964E323D, 0x424C, 0x5E1A, { 0x22, 0x27, 0x28, 0x24, 0x23, 0x22, 0x2E, 0x1E } };

// Host interface and component identifiers (our own constants) follow below.
