#include <gtest/gtest.h>

#include "AAX_UIDs.h"
#include "host/HostObjects.h"
#include "host/HostString.h"

using namespace skorvane3host;

namespace
{
template<class T>
T* create (IACFUnknown* module, const acfCLSID& clsid, const acfIID& iid)
{
    void* f = nullptr;
    EXPECT_EQ (module->QueryInterface (IID_IACFComponentFactory, &f), 0);
    auto* factory = static_cast<IACFComponentFactory*> (f);
    void* out = nullptr;
    const ACFRESULT r = factory->CreateInstance (clsid, nullptr, iid, &out);
    factory->Release();
    return r == 0 ? static_cast<T*> (out) : nullptr;
}
} // namespace

TEST (HostObjects, FactoryMakesDescriptionObjectsAndEveryReferenceIsReturned)
{
    const uint32_t before = liveHostObjectCount();
    {
        auto* module = new HostModuleUnknown();
        auto* map = create<AAX_IACFPropertyMap> (module, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1);
        ASSERT_NE (map, nullptr);
        AAX_CPropertyValue v = 0;
        EXPECT_EQ (map->GetProperty (AAX_eProperty_ProductID, &v), 0);
        EXPECT_EQ (map->AddProperty (AAX_eProperty_ProductID, 42), 0);
        EXPECT_EQ (map->GetProperty (AAX_eProperty_ProductID, &v), 1);
        EXPECT_EQ (v, 42);
        EXPECT_EQ (map->RemoveProperty (AAX_eProperty_ProductID), 0);
        EXPECT_EQ (map->GetProperty (AAX_eProperty_ProductID, &v), 0);

        auto* component = create<AAX_IACFComponentDescriptor> (module, AAXCompID_AAXComponentDescriptor,
                                                               IID_IAAXComponentDescriptorV1);
        ASSERT_NE (component, nullptr);
        map->AddProperty (AAX_eProperty_InputStemFormat, AAX_eStemFormat_Stereo);
        component->AddAudioIn (0);
        component->AddPrivateData (7, 8, 0);
        EXPECT_EQ (component->AddProcessProc_Native (nullptr, map, nullptr, nullptr, nullptr), 0);

        auto* effect = create<AAX_IACFEffectDescriptor> (module, AAXCompID_AAXEffectDescriptor, IID_IAAXEffectDescriptorV1);
        ASSERT_NE (effect, nullptr);
        EXPECT_EQ (effect->AddComponent (component), 0);
        EXPECT_EQ (effect->AddComponent (nullptr), kErrMissingObject);
        EXPECT_EQ (effect->AddName ("X"), 0);

        auto* collection = create<AAX_IACFCollection> (module, AAXCompID_AAXCollection, IID_IAAXCollectionV1);
        ASSERT_NE (collection, nullptr);
        EXPECT_EQ (collection->AddEffect ("id", nullptr), kErrMissingObject);
        EXPECT_EQ (collection->AddEffect ("id", effect), 0);
        void* def = nullptr;
        ASSERT_EQ (collection->QueryInterface (IID_IACFPluginDefinition, &def), 0);
        auto* recorded = dynamic_cast<HostCollection*> (static_cast<IACFPluginDefinition*> (def));
        ASSERT_NE (recorded, nullptr);
        ASSERT_EQ (recorded->recorded.effects.size(), 1u);
        const RecordedComponent& c = recorded->recorded.effects[0].components.at (0);
        EXPECT_EQ (c.audioIn, 0);
        EXPECT_EQ (c.maxField(), 7);
        int32_t stem = 0;
        EXPECT_TRUE (c.property (AAX_eProperty_InputStemFormat, stem));
        EXPECT_EQ (stem, AAX_eStemFormat_Stereo);
        static_cast<IACFPluginDefinition*> (def)->Release();

        void* none = reinterpret_cast<void*> (1);
        EXPECT_EQ (collection->QueryInterface (IID_IAAXControllerV1, &none), kACFErrNoInterface);
        EXPECT_EQ (none, nullptr);
        EXPECT_EQ (create<IACFUnknown> (module, IID_IAAXControllerV1, IID_IACFUnknown), nullptr);

        collection->Release();
        effect->Release();
        component->Release();
        map->Release();
        module->Release();
    }
    EXPECT_EQ (liveHostObjectCount(), before);
}

TEST (HostObjects, ControllerPostsPacketsOnlyToRegisteredPorts)
{
    auto state = std::make_shared<HostInstanceState>();
    state->ports[3].assign (4, 0xAA);
    auto* unknown = new HostInstanceUnknown (state);
    void* c = nullptr;
    ASSERT_EQ (unknown->QueryInterface (IID_IAAXControllerV3, &c), 0);
    auto* controller = static_cast<AAX_IACFController_V3*> (c);

    const uint8_t full[4] = { 1, 2, 3, 4 };
    EXPECT_EQ (controller->PostPacket (3, full, 4), 0);
    EXPECT_EQ (state->ports[3], (std::vector<uint8_t> { 1, 2, 3, 4 }));
    // A short packet zero-fills the rest; an oversized one is cut to the port.
    const uint8_t one = 7;
    EXPECT_EQ (controller->PostPacket (3, &one, 1), 0);
    EXPECT_EQ (state->ports[3], (std::vector<uint8_t> { 7, 0, 0, 0 }));
    const uint8_t big[16] = { 9, 9, 9, 9, 9, 9, 9, 9 };
    EXPECT_EQ (controller->PostPacket (3, big, 16), 0);
    EXPECT_EQ (state->ports[3].size(), 4u);
    EXPECT_EQ (controller->PostPacket (5, full, 4), kErrMissingObject);
    EXPECT_EQ (controller->PostPacket (3, nullptr, 4), kErrMissingObject);

    HostString name;
    EXPECT_EQ (controller->GetHostName (&name), 0);
    EXPECT_EQ (name.str(), "skorvane3-host");
    controller->Release();
    unknown->Release();
}

TEST (HostObjects, DescriptionObjectsRecordBoundaryValues)
{
    HostPropertyMap map;
    const AAX_SPlugInIdentifierTriad ids[2] = { { 1, 2, 3 }, { 4, 5, 6 } };
    EXPECT_EQ (map.AddPropertyWithIDArray (AAX_eProperty_PlugInID_Native, ids, 2), 0);
    const AAX_SPlugInIdentifierTriad* back = nullptr;
    uint32_t n = 0;
    ASSERT_EQ (map.GetPropertyWithIDArray (AAX_eProperty_PlugInID_Native, &back, &n), 1);
    ASSERT_EQ (n, 2u);
    EXPECT_EQ (back[1].mPlugInID, 6u);
    EXPECT_EQ (map.AddPropertyWithIDArray (AAX_eProperty_PlugInID_Native, nullptr, 1), kErrMissingObject);

    // Private data of no size is a valid (empty) block; only a negative size is refused.
    HostComponentDescriptor component;
    EXPECT_EQ (component.AddPrivateData (2, 0, 0), 0);
    EXPECT_EQ (component.AddPrivateData (3, -1, 0), kErrNotSupported);
    ASSERT_EQ (component.recorded.privateData.size(), 1u);
    EXPECT_EQ (component.recorded.maxField(), 2);
}

TEST (HostObjects, InstanceObjectsAnswerFromTheInstanceState)
{
    auto state = std::make_shared<HostInstanceState>();
    state->sampleRate = 96000.0f;
    state->inputStem = AAX_eStemFormat_LCRS;
    state->outputStem = AAX_eStemFormat_Quad;
    auto* unknown = new HostInstanceUnknown (state);
    void* c = nullptr;
    void* a = nullptr;
    ASSERT_EQ (unknown->QueryInterface (IID_IAAXControllerV1, &c), 0);
    ASSERT_EQ (unknown->QueryInterface (IID_IAAXAutomationDelegateV1, &a), 0);
    auto* controller = static_cast<AAX_IACFController*> (c);
    auto* automation = static_cast<AAX_IACFAutomationDelegate*> (a);

    float rate = 0.0f;
    AAX_EStemFormat in = AAX_eStemFormat_None, out = AAX_eStemFormat_None;
    EXPECT_EQ (controller->GetSampleRate (&rate), 0);
    EXPECT_EQ (controller->GetInputStemFormat (&in), 0);
    EXPECT_EQ (controller->GetOutputStemFormat (&out), 0);
    EXPECT_EQ (rate, 96000.0f);
    EXPECT_EQ (in, AAX_eStemFormat_LCRS);
    EXPECT_EQ (out, AAX_eStemFormat_Quad);

    // Touch state follows touch and release requests, per parameter.
    AAX_CBoolean touched = 7;
    EXPECT_EQ (automation->GetTouchState ("1", &touched), 0);
    EXPECT_EQ (touched, 0);
    automation->PostTouchRequest ("1");
    automation->PostTouchRequest ("2");
    automation->PostReleaseRequest ("2");
    const std::pair<const char*, AAX_CBoolean> expected[] = { { "1", 1 }, { "2", 0 } };
    for (const auto& e : expected)
    {
        EXPECT_EQ (automation->GetTouchState (e.first, &touched), 0);
        EXPECT_EQ (touched, e.second) << e.first;
    }
    automation->Release();
    controller->Release();
    unknown->Release();

    // The view container rounds the editor's size to whole pixels and refuses an empty one.
    std::vector<std::pair<int, int>> resizes;
    HostViewContainer view (42, [&resizes] (int w, int h) {
        resizes.emplace_back (w, h);
    });
    EXPECT_EQ (view.GetType(), AAX_eViewContainer_Type_XWindow);
    AAX_Point size (299.6f, 599.5f); // vertical, horizontal
    EXPECT_EQ (view.SetViewSize (size), 0);
    AAX_Point flat (0.0f, 600.0f);
    EXPECT_EQ (view.SetViewSize (flat), kErrNotSupported);
    EXPECT_EQ (resizes, (std::vector<std::pair<int, int>> { { 600, 300 } }));
}
