#pragma once
// A test fixture holding the plug-in module (SKORVANE3_PLUGIN_PATH, loaded
// with dlopen by our own host's objects) for the whole test, and making
// instances of its first component.

#include "host/PluginHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace testsupport
{
inline std::string pluginPath() { return SKORVANE3_PLUGIN_PATH; }

class PluginFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE (module.load (pluginPath(), error)) << error;
    }

    void TearDown() override { module.unload(); }

    std::unique_ptr<skorvane3host::PluginInstance> makeInstance (AAX_EStemFormat format = AAX_eStemFormat_Stereo,
                                                                 float rate = 44100.0f)
    {
        std::string error;
        auto instance = skorvane3host::PluginInstance::create (module, 0, format, format, rate, error);
        EXPECT_NE (instance, nullptr) << error;
        return instance;
    }

    skorvane3host::PluginModule module;
};
} // namespace testsupport
