// Effect GUI base: initialisation, view container flows, parameter refresh.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AAX_CEffectGUI.h"
#include "AAX_CString.h"
#include "AAX_IController.h"
#include "AAX_IViewContainer.h"
#include "CoreFakes.h"
#include "CoreTestEffect.h"

namespace
{
// Records the calls the base makes into the derived class.
class TestGUI : public AAX_CEffectGUI
{
public:
    std::vector<std::string> events;
    bool* destroyed = nullptr;
    ~TestGUI() override
    {
        if (destroyed)
            *destroyed = true;
    }

    void CreateViewContents() override
    {
        events.push_back (std::string ("CreateViewContents:") + (GetEffectParameters() ? "params" : "none") + (GetController() ? ",controller" : "") + (GetTransport() ? ",transport" : ""));
    }
    void CreateViewContainer() override
    {
        events.push_back ("CreateViewContainer:type=" + std::to_string (GetViewContainerType()) + (GetViewContainerPtr() ? ",view" : ",noview"));
    }
    void DeleteViewContainer() override
    {
        events.push_back (std::string ("DeleteViewContainer:") + (GetViewContainerPtr() ? "view" : "noview") + (GetViewContainer() ? ",container" : ",nocontainer"));
    }
    AAX_Result ParameterUpdated (AAX_CParamID id) override
    {
        events.push_back ("ParameterUpdated:" + fakes::Str (id));
        return AAX_SUCCESS;
    }
    using AAX_CEffectGUI::UpdateAllParameters;
};

// The host unknown handed to the GUI: answers the effect-parameters object
// and the controller and transport versions.
struct GuiHost
{
    fakes::FakeHost unknown;
    TestEffectParameters effect { { "MasterBypassID", "0", "1", "2", "3", "4" } };
    fakes::FakeController controller { { IID_IAAXControllerV1 } };
    fakes::FakeTransport transport { { IID_IAAXTransportV1, IID_IAAXTransportV2 } };

    GuiHost()
    {
        effect.AddRef(); // the host's own reference to the instance
        unknown.Route (IID_IAAXEffectParametersV1, static_cast<AAX_IACFEffectParameters*> (&effect));
        unknown.Route (IID_IAAXControllerV1, &controller);
        unknown.Route (IID_IAAXTransportV1, &transport);
        unknown.Route (IID_IAAXTransportV2, &transport);
    }
    int EffectRefs()
    {
        const acfUInt32 n = effect.AddRef();
        effect.InternalRelease();
        return static_cast<int> (n) - 1;
    }
};
} // namespace

TEST (EffectGUI, NullHostLeavesOnlyAnEmptyController)
{
    TestGUI gui;
    EXPECT_EQ (gui.Initialize (nullptr), kErrNoHost);
    EXPECT_TRUE (gui.events.empty());
    EXPECT_EQ (gui.GetEffectParameters(), nullptr);
    EXPECT_EQ (gui.GetTransport(), nullptr);
    EXPECT_EQ (gui.GetViewContainer(), nullptr);
    ASSERT_NE (gui.GetController(), nullptr);
    float rate = 0;
    EXPECT_EQ (gui.GetController()->GetSampleRate (&rate), kErrMissingObject);
    EXPECT_EQ (gui.Uninitialize(), 0);
    EXPECT_EQ (gui.GetController(), nullptr);
}

TEST (EffectGUI, InitializeReferencesTheEffectAndBuildsContents)
{
    GuiHost host;
    {
        TestGUI gui;
        ASSERT_EQ (gui.Initialize (&host.unknown), 0);
        EXPECT_EQ (gui.events, (std::vector<std::string> { "CreateViewContents:params,controller,transport" }));
        EXPECT_EQ (gui.GetEffectParameters(), static_cast<AAX_IEffectParameters*> (&host.effect));
        EXPECT_EQ (host.EffectRefs(), 2);
        EXPECT_EQ (host.controller.Refs(), 1);
        EXPECT_EQ (host.transport.Refs(), 2);
        float rate = 0;
        EXPECT_EQ (gui.GetController()->GetSampleRate (&rate), 7);

        EXPECT_EQ (gui.Uninitialize(), 0);
        EXPECT_EQ (gui.GetEffectParameters(), nullptr);
        EXPECT_EQ (host.EffectRefs(), 1);
        EXPECT_EQ (host.controller.Refs(), 0);
        EXPECT_EQ (host.transport.Refs(), 0);
        EXPECT_EQ (gui.Uninitialize(), 0); // a second one does nothing
        EXPECT_EQ (host.EffectRefs(), 1);
    }
}

TEST (EffectGUI, ViewContainerOpensAndClosesTheWindow)
{
    GuiHost host;
    fakes::FakeViewContainer container { { IID_IAAXViewContainerV1 } };
    fakes::FakeViewContainer second { { IID_IAAXViewContainerV1 } };
    TestGUI gui;
    EXPECT_EQ (gui.GetViewContainerType(), 0);
    EXPECT_EQ (gui.GetViewContainerPtr(), nullptr);
    ASSERT_EQ (gui.Initialize (&host.unknown), 0);
    gui.events.clear();

    EXPECT_EQ (gui.SetViewContainer (&container), 0);
    EXPECT_EQ (gui.events, (std::vector<std::string> { "CreateViewContainer:type=1,view", "ParameterUpdated:MasterBypassID",
                                                       "ParameterUpdated:0", "ParameterUpdated:1", "ParameterUpdated:2",
                                                       "ParameterUpdated:3", "ParameterUpdated:4" }));
    EXPECT_EQ (gui.GetViewContainerPtr(), container.nativeView);
    EXPECT_EQ (container.Refs(), 1);

    gui.events.clear();
    EXPECT_EQ (gui.SetViewContainer (nullptr), 0);
    EXPECT_EQ (gui.events, (std::vector<std::string> { "DeleteViewContainer:noview,nocontainer" }));
    EXPECT_EQ (gui.GetViewContainerType(), 0);
    EXPECT_EQ (container.Refs(), 0); // the cleared container is no longer held

    // Reopening with another container replaces the proxy.
    gui.SetViewContainer (&container);
    gui.SetViewContainer (&second);
    EXPECT_EQ (container.Refs(), 0);
    EXPECT_EQ (second.Refs(), 1);
    gui.Uninitialize();
    EXPECT_EQ (second.Refs(), 1); // Uninitialize leaves the container alone
}

TEST (EffectGUI, ParameterRefreshToleratesMissingObjects)
{
    // Before Initialize: no effect, no calls, but the container still opens.
    fakes::FakeViewContainer container { { IID_IAAXViewContainerV1 } };
    TestGUI early;
    early.UpdateAllParameters();
    EXPECT_TRUE (early.events.empty());
    early.SetViewContainer (&container);
    EXPECT_EQ (early.events, (std::vector<std::string> { "CreateViewContainer:type=1,view" }));

    // A host without the effect-parameters interface.
    fakes::FakeHost bare;
    TestGUI gui;
    EXPECT_EQ (gui.Initialize (&bare), 0);
    EXPECT_EQ (gui.events, (std::vector<std::string> { "CreateViewContents:none,controller,transport" }));
    gui.events.clear();
    gui.UpdateAllParameters();
    EXPECT_TRUE (gui.events.empty());
}

TEST (EffectGUI, ParameterRefreshSkipsUnknownIndicesAndBadCounts)
{
    GuiHost host;
    host.effect.identifiers = { "a", "", "c" };
    TestGUI gui;
    ASSERT_EQ (gui.Initialize (&host.unknown), 0);
    gui.events.clear();
    gui.UpdateAllParameters();
    EXPECT_EQ (gui.events, (std::vector<std::string> { "ParameterUpdated:a", "ParameterUpdated:c" }));

    gui.events.clear();
    host.effect.reportedCount = -1;
    gui.UpdateAllParameters();
    EXPECT_TRUE (gui.events.empty());

    host.effect.reportedCount = 2;
    host.effect.countResult = kErrNotSupported;
    gui.UpdateAllParameters();
    EXPECT_TRUE (gui.events.empty());
    gui.Uninitialize();
}

TEST (EffectGUI, DefaultAnswers)
{
    TestGUI gui;
    AAX_CString label ("keep");
    AAX_Point size (1, 2);
    EXPECT_EQ (gui.NotificationReceived (1, nullptr, 0), 0);
    EXPECT_EQ (gui.Draw (nullptr), 0);
    EXPECT_EQ (gui.TimerWakeup(), 0);
    EXPECT_EQ (gui.GetViewSize (&size), 0);
    EXPECT_EQ (size.vert, 1.0f);
    EXPECT_EQ (size.horz, 2.0f);
    EXPECT_EQ (gui.GetCustomLabel (AAX_ePlugInStrings_Analysis, &label), kErrMissingObject);
    EXPECT_STREQ (label.Get(), "keep");
    EXPECT_EQ (gui.AAX_CEffectGUI::ParameterUpdated ("0"), 0);
    EXPECT_EQ (gui.SetControlHighlightInfo ("0", 1, AAX_eHighlightColor_Red), 0);
    EXPECT_TRUE (gui.events.empty());
}

TEST (EffectGUI, LastReleaseDestroysTheGuiAndItsReferences)
{
    GuiHost host;
    fakes::FakeViewContainer container { { IID_IAAXViewContainerV1 } };
    const acfUInt32 before = CACFUnknown::GetActiveObjectCount();
    bool destroyed = false;
    auto* gui = new TestGUI();
    gui->destroyed = &destroyed;
    void* answered = nullptr;
    ASSERT_EQ (gui->QueryInterface (IID_IAAXEffectGUIV1, &answered), 0);
    auto* itf = static_cast<AAX_IACFEffectGUI*> (answered);
    void* wrong = reinterpret_cast<void*> (0x1);
    EXPECT_EQ (itf->QueryInterface (IID_IAAXEffectParametersV1, &wrong), kACFErrNoInterface);
    EXPECT_EQ (wrong, nullptr);
    ASSERT_EQ (itf->Initialize (&host.unknown), 0);
    itf->SetViewContainer (&container);
    EXPECT_EQ (host.EffectRefs(), 2);
    // The host releases without Uninitialize: the destructor cleans up.
    EXPECT_EQ (itf->Release(), 0u);
    EXPECT_TRUE (destroyed);
    EXPECT_EQ (host.EffectRefs(), 1);
    EXPECT_EQ (host.controller.Refs(), 0);
    EXPECT_EQ (host.transport.Refs(), 0);
    EXPECT_EQ (container.Refs(), 0);
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), before);
}

TEST (EffectGUI, SecondInitializeDoesNotLeakTheFirstReferences)
{
    GuiHost host;
    TestGUI gui;
    ASSERT_EQ (gui.Initialize (&host.unknown), 0);
    ASSERT_EQ (gui.Initialize (&host.unknown), 0);
    EXPECT_EQ (host.EffectRefs(), 2);
    EXPECT_EQ (host.controller.Refs(), 1);
    EXPECT_EQ (host.transport.Refs(), 2);
    gui.Uninitialize();
    EXPECT_EQ (host.EffectRefs(), 1);
    EXPECT_EQ (host.controller.Refs(), 0);
}
