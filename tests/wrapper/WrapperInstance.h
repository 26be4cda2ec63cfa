#pragma once
// One plug-in instance as the host makes it: the wrapper's effect object
// created, asked for its parameters interface and initialized with the
// host's instance objects; released in the host's order.

#include <gtest/gtest.h>

#include "AAX_UIDs.h"
#include "host/HostObjects.h"
#include "wrapper/Skorvane3AAXWrapper.h"

#include <memory>

namespace wrappertest
{
using skorvane3host::HostInstanceState;
using skorvane3host::HostInstanceUnknown;
using AAXClasses::JuceAAX_Processor;

struct Instance
{
    Instance()
    {
        state = std::make_shared<HostInstanceState>();
        state->ports[Skorvane3AAX::kFieldBypass].assign (4, 0);
        object = JuceAAX_Processor::Create();
        void* iface = nullptr;
        EXPECT_EQ (object->QueryInterface (IID_IAAXEffectParametersV3, &iface), 0);
        fx = static_cast<AAX_IACFEffectParameters_V3*> (iface);
        state->effect = fx;
        unknown = new HostInstanceUnknown (state);
        EXPECT_EQ (fx->Initialize (unknown), 0);
        wrapper = dynamic_cast<JuceAAX_Processor*> (static_cast<AAX_IACFEffectParameters_V3*> (fx));
    }
    ~Instance()
    {
        fx->Uninitialize();
        state->effect = nullptr;
        fx->Release();
        unknown->Release();
    }
    std::shared_ptr<HostInstanceState> state;
    IACFUnknown* object = nullptr;
    AAX_IACFEffectParameters_V3* fx = nullptr;
    HostInstanceUnknown* unknown = nullptr;
    JuceAAX_Processor* wrapper = nullptr;
};
} // namespace wrappertest
