// Entry points, reference-counting base and host-services trace.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "AAX_CACFUnknown.h"
#include "AAX_CHostServices.h"
#include "AAX_Exports.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IEffectGUI.h"
#include "CoreFakes.h"
#include "CoreTestEffect.h"

namespace
{
class TestGUIObject : public AAX_IEffectGUI
{
public:
    AAX_Result Initialize (IACFUnknown*) override { return 0; }
    AAX_Result Uninitialize() override { return 0; }
    AAX_Result NotificationReceived (AAX_CTypeID, const void*, uint32_t) override { return 0; }
    AAX_Result SetViewContainer (IACFUnknown*) override { return 0; }
    AAX_Result GetViewSize (AAX_Point*) const override { return 0; }
    AAX_Result Draw (AAX_Rect*) override { return 0; }
    AAX_Result TimerWakeup() override { return 0; }
    AAX_Result ParameterUpdated (AAX_CParamID) override { return 0; }
    AAX_Result GetCustomLabel (AAX_EPlugInStrings, AAX_IString*) const override { return 0; }
    AAX_Result SetControlHighlightInfo (AAX_CParamID, AAX_CBoolean, AAX_EHighlightColor) override { return 0; }
};

struct Entry : ::testing::Test
{
    void SetUp() override { fakes::Describe() = nullptr; }
    void TearDown() override
    {
        ACFShutdown (nullptr);
        fakes::Describe() = nullptr;
    }
};
} // namespace

// ---- exported functions without host state -------------------------------

TEST_F (Entry, SdkVersionIsWrittenAndNullTargetIsRefused)
{
    acfUInt64 version = 0;
    EXPECT_EQ (ACFGetSDKVersion (&version), 0);
    EXPECT_EQ (version, 0x0000020200B45B38ull);
    EXPECT_EQ (version >> 32, 0x202u);
    EXPECT_EQ (version & 0xFFFFFFFFu, 11819832u);
    EXPECT_EQ (ACFGetSDKVersion (nullptr), kACFErrNullPointer);
}

TEST_F (Entry, ClassFactoryAndComponentDefinitionsAreNotHandedOut)
{
    void* factory = reinterpret_cast<void*> (0x1);
    EXPECT_EQ (ACFGetClassFactory (nullptr, IID_IACFUnknown, IID_IACFUnknown, &factory), kErrNotSupported);
    EXPECT_EQ (factory, nullptr);
    EXPECT_EQ (ACFGetClassFactory (nullptr, IID_IACFUnknown, IID_IACFUnknown, nullptr), kErrNotSupported);

    IACFComponentDefinition* definition = reinterpret_cast<IACFComponentDefinition*> (0x1);
    EXPECT_EQ (ACFRegisterComponent (nullptr, 3, &definition), 0);
    EXPECT_EQ (definition, nullptr);
}

TEST_F (Entry, CanUnloadNowCountsLiveObjects)
{
    const acfUInt32 before = CACFUnknown::GetActiveObjectCount();
    EXPECT_EQ (ACFCanUnloadNow (nullptr), static_cast<ACFRESULT> (before));
    {
        TestEffectParameters a;
        TestGUIObject b;
        EXPECT_EQ (ACFCanUnloadNow (nullptr), static_cast<ACFRESULT> (before + 2));
    }
    EXPECT_EQ (ACFCanUnloadNow (nullptr), static_cast<ACFRESULT> (before));
    EXPECT_EQ (before, 0u) << "an earlier test leaked a counted object";
}

// ---- start-up, shut-down and trace -----------------------------------------

TEST_F (Entry, StartupKeepsTheFirstHostAndShutdownReleasesIt)
{
    fakes::FakeHost first, second;
    EXPECT_EQ (ACFStartup (&first), 0);
    ASSERT_EQ (first.services.size(), 1u);
    EXPECT_EQ (ACFStartup (&second), 0);
    EXPECT_TRUE (second.services.empty());

    EXPECT_EQ (AAX_CHostServices::Trace (AAX_eTracePriorityHost_Normal, "hello %d", 5), 7);
    ASSERT_EQ (first.services[0]->traces.size(), 1u);
    EXPECT_EQ (first.services[0]->traces[0].first, AAX_eTracePriorityHost_Normal);
    EXPECT_EQ (first.services[0]->traces[0].second, "hello 5");
    // The proxy holds both versions; the factory reference is gone.
    EXPECT_EQ (first.services[0]->Refs(), 3);
    EXPECT_EQ (first.Refs(), 0);

    EXPECT_EQ (ACFShutdown (nullptr), 0);
    EXPECT_EQ (first.services[0]->Refs(), 1); // only the host's own reference
    EXPECT_EQ (AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "gone"), 0);
    EXPECT_EQ (first.services[0]->traces.size(), 1u);
}

TEST_F (Entry, ShutdownWithoutStartupAndTraceWithoutHostDoNothing)
{
    EXPECT_EQ (ACFShutdown (nullptr), 0);
    EXPECT_EQ (AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "%s", "nobody listens"), 0);
}

TEST_F (Entry, TraceTextIsCutAt511Characters)
{
    fakes::FakeHost host;
    ASSERT_EQ (ACFStartup (&host), 0);
    const std::string exact (511, 'x');
    const std::string longer = std::string (511, 'y') + "TAIL";
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_Low, "%s", exact.c_str());
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_Low, "%s", longer.c_str());
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_Low, "%s%d", std::string (510, 'z').c_str(), 42);
    const auto& traces = host.services[0]->traces;
    ASSERT_EQ (traces.size(), 3u);
    EXPECT_EQ (traces[0].second, exact);
    EXPECT_EQ (traces[1].second, std::string (511, 'y'));
    EXPECT_EQ (traces[2].second, std::string (510, 'z') + "4");
}

TEST_F (Entry, TraceAnswersMissingObjectWhenOnlyVersionTwoExists)
{
    fakes::FakeHost host;
    host.refusedInterfaces = { IID_IAAXHostServicesV1 };
    ASSERT_EQ (ACFStartup (&host), 0);
    EXPECT_EQ (AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "x"), kErrMissingObject);
}

TEST_F (Entry, StartupWithEmptyFactoryAnswerReportsUnexpected)
{
    fakes::FakeHost host;
    host.factoryAnswersEmpty = true;
    EXPECT_EQ (ACFStartup (&host), kACFErrUnexpected);
    EXPECT_EQ (AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "x"), 0);
    // A later start-up with a sound host still works.
    fakes::FakeHost good;
    EXPECT_EQ (ACFStartup (&good), 0);
    EXPECT_EQ (AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "x"), 7);
}

// ---- registration ------------------------------------------------------------

TEST_F (Entry, RegistrationHandsOutTheCollectionsDefinition)
{
    fakes::FakeHost host;
    AAX_ICollection* seen = nullptr;
    fakes::Describe() = [&] (AAX_ICollection* c) {
        seen = c;
        AAX_IEffectDescriptor* d = c->NewDescriptor();
        d->AddName ("Skorvane3");
        EXPECT_EQ (c->AddEffect ("com.test.effect", d), 7);
        return AAX_SUCCESS;
    };
    IACFPluginDefinition* definition = nullptr;
    EXPECT_EQ (ACFRegisterPlugin (&host, &definition), 0);
    ASSERT_NE (seen, nullptr);
    ASSERT_EQ (host.collections.size(), 1u);
    fakes::FakeCollection* collection = host.collections[0];
    EXPECT_EQ (definition, static_cast<IACFPluginDefinition*> (collection));
    // Host's own reference plus the definition's; the proxy let go.
    EXPECT_EQ (collection->Refs(), 2);
    ASSERT_EQ (host.effects.size(), 1u);
    EXPECT_EQ (host.effects[0]->Refs(), 1);
    EXPECT_EQ (host.Refs(), 0);
    definition->Release();
}

TEST_F (Entry, FailedDescriptionIsReturnedAndLeavesOutAlone)
{
    fakes::FakeHost host;
    fakes::Describe() = [] (AAX_ICollection*) {
        return -1;
    };
    IACFPluginDefinition* definition = reinterpret_cast<IACFPluginDefinition*> (0x77);
    EXPECT_EQ (ACFRegisterPlugin (&host, &definition), -1);
    EXPECT_EQ (definition, reinterpret_cast<IACFPluginDefinition*> (0x77));
    EXPECT_EQ (host.collections[0]->Refs(), 1);
}

TEST_F (Entry, RegistrationWithoutHostCollectionOrDefinitionIsMissingObject)
{
    fakes::FakeHost noFactory;
    noFactory.hasFactory = false;
    IACFPluginDefinition* definition = reinterpret_cast<IACFPluginDefinition*> (0x77);
    EXPECT_EQ (ACFRegisterPlugin (&noFactory, &definition), kErrMissingObject);
    EXPECT_EQ (definition, nullptr);

    fakes::FakeHost refusing;
    fakes::Describe() = [&] (AAX_ICollection*) {
        refusing.collections[0]->answersDefinition = false;
        return 0;
    };
    definition = reinterpret_cast<IACFPluginDefinition*> (0x77);
    EXPECT_EQ (ACFRegisterPlugin (&refusing, &definition), kErrMissingObject);
    EXPECT_EQ (definition, nullptr);
    EXPECT_EQ (refusing.collections[0]->Refs(), 1);
}

TEST_F (Entry, ExceptionInDescriptionBecomesUnexpectedAndFreesTheTree)
{
    fakes::FakeHost host;
    fakes::Describe() = [] (AAX_ICollection* c) -> AAX_Result {
        c->NewDescriptor()->NewComponentDescriptor()->NewPropertyMap();
        throw std::runtime_error ("boom");
    };
    IACFPluginDefinition* definition = reinterpret_cast<IACFPluginDefinition*> (0x77);
    EXPECT_EQ (ACFRegisterPlugin (&host, &definition), kACFErrUnexpected);
    EXPECT_EQ (definition, reinterpret_cast<IACFPluginDefinition*> (0x77));
    // Everything the library made was released: only the host's references remain.
    ASSERT_EQ (host.made.size(), 4u);
    EXPECT_EQ (host.collections[0]->Refs(), 1);
    EXPECT_EQ (host.effects[0]->Refs(), 1);
    EXPECT_EQ (host.components[0]->Refs(), 1);
    EXPECT_EQ (host.maps[0]->Refs(), 1);

    fakes::Describe() = [] (AAX_ICollection*) -> AAX_Result {
        throw 42;
    };
    EXPECT_EQ (ACFRegisterPlugin (&host, &definition), kACFErrUnexpected);
}

TEST_F (Entry, NullDefinitionTargetIsRefused)
{
    fakes::FakeHost host;
    EXPECT_EQ (ACFRegisterPlugin (&host, nullptr), kACFErrNullPointer);
    EXPECT_EQ (host.collections[0]->Refs(), 1);
}

// ---- reference counting and interface queries --------------------------------

TEST (CountedObject, EffectParametersAnswerEveryVersionWithOnePointer)
{
    const acfUInt32 before = CACFUnknown::GetActiveObjectCount();
    bool destroyed = false;
    auto* object = new TestEffectParameters();
    object->destroyed = &destroyed;
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), before + 1);

    void* v1 = nullptr;
    void* v2 = nullptr;
    void* v3 = nullptr;
    ASSERT_EQ (object->QueryInterface (IID_IAAXEffectParametersV1, &v1), 0);
    ASSERT_EQ (object->QueryInterface (IID_IAAXEffectParametersV2, &v2), 0);
    ASSERT_EQ (object->QueryInterface (IID_IAAXEffectParametersV3, &v3), 0);
    EXPECT_EQ (v1, v2);
    EXPECT_EQ (v2, v3);
    EXPECT_EQ (v1, static_cast<void*> (static_cast<AAX_IACFEffectParameters_V3*> (object)));

    void* unknown = nullptr;
    ASSERT_EQ (object->QueryInterface (IID_IACFUnknown, &unknown), 0);
    EXPECT_NE (unknown, v1); // the private unknown, not the interface pointer

    void* gui = reinterpret_cast<void*> (0x1);
    EXPECT_EQ (object->QueryInterface (IID_IAAXEffectGUIV1, &gui), kACFErrNoInterface);
    EXPECT_EQ (gui, nullptr);

    // Four references, one count, reachable through any of the pointers.
    auto* unk = static_cast<IACFUnknown*> (unknown);
    EXPECT_EQ (unk->AddRef(), 5u);
    EXPECT_EQ (unk->Release(), 4u);
    EXPECT_EQ (unk->Release(), 3u);
    EXPECT_EQ (static_cast<AAX_IACFEffectParameters*> (v1)->Release(), 2u);
    EXPECT_EQ (static_cast<AAX_IACFEffectParameters*> (v2)->Release(), 1u);
    EXPECT_FALSE (destroyed);
    EXPECT_EQ (static_cast<AAX_IACFEffectParameters*> (v3)->Release(), 0u);
    EXPECT_TRUE (destroyed);
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), before);
}

TEST (CountedObject, GuiAnswersOnlyItsOwnInterface)
{
    auto* gui = new TestGUIObject();
    void* out = reinterpret_cast<void*> (0x1);
    EXPECT_EQ (gui->QueryInterface (IID_IAAXEffectParametersV1, &out), kACFErrNoInterface);
    EXPECT_EQ (out, nullptr);
    EXPECT_EQ (gui->QueryInterface (IID_IAAXEffectParametersV3, &out), kACFErrNoInterface);
    ASSERT_EQ (gui->QueryInterface (IID_IAAXEffectGUIV1, &out), 0);
    EXPECT_EQ (out, static_cast<void*> (static_cast<AAX_IACFEffectGUI*> (gui)));
    void* unknown = nullptr;
    ASSERT_EQ (gui->QueryInterface (IID_IACFUnknown, &unknown), 0);
    EXPECT_NE (unknown, out);
    EXPECT_EQ (static_cast<IACFUnknown*> (unknown)->Release(), 1u);
    EXPECT_EQ (static_cast<AAX_IACFEffectGUI*> (out)->Release(), 0u);
}

TEST (CountedObject, NullOutArgumentIsRefusedWithoutReference)
{
    TestEffectParameters object;
    EXPECT_EQ (object.QueryInterface (IID_IAAXEffectParametersV1, nullptr), kACFErrNullPointer);
    EXPECT_EQ (object.QueryInterface (IID_IACFUnknown, nullptr), kACFErrNullPointer);
    EXPECT_EQ (object.AddRef(), 1u); // no reference was added by the refused queries
}

TEST (CountedObject, ConcurrentReferencesEndInExactlyOneDestruction)
{
    const acfUInt32 before = CACFUnknown::GetActiveObjectCount();
    bool destroyed = false;
    auto* object = new TestEffectParameters();
    object->destroyed = &destroyed;
    object->AddRef();
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back ([object] {
            for (int i = 0; i < 20000; ++i)
            {
                object->AddRef();
                object->Release();
            }
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_FALSE (destroyed);
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), before + 1);
    EXPECT_EQ (object->Release(), 0u);
    EXPECT_TRUE (destroyed);
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), before);
}
