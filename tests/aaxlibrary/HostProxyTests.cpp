// Counted pointer and the run-time host interface proxies.
#include <gtest/gtest.h>

#include "AAX_VAutomationDelegate.h"
#include "AAX_VController.h"
#include "AAX_VHostServices.h"
#include "AAX_VTransport.h"
#include "AAX_VViewContainer.h"
#include "ACFPtr.h"
#include "CoreFakes.h"

using fakes::FakeController;

namespace
{
const std::vector<acfIID> kAllController = { IID_IAAXControllerV1, IID_IAAXControllerV2, IID_IAAXControllerV3 };

// Runs every controller operation and returns their results in table order.
std::vector<AAX_Result> AllControllerResults (AAX_IController& c)
{
    float f = 0;
    AAX_EStemFormat stem = AAX_eStemFormat_None;
    int32_t i = 0;
    AAX_CPropertyValue pv = 0;
    AAX_CTimestamp ts = 0;
    AAX_EProperty prop = AAX_eProperty_NoID;
    uint32_t u = 0;
    AAX_CBoolean b = 0;
    AAX_CFieldIndex port = 0;
    AAX_CMidiPacket packet;
    AAX_CTransportCounter counter = 0;
    return { c.GetEffectID (nullptr), c.GetSampleRate (&f), c.GetInputStemFormat (&stem), c.GetOutputStemFormat (&stem),
             c.GetSignalLatency (&i), c.GetCycleCount (prop, &pv), c.GetTODLocation (&ts), c.SetSignalLatency (3),
             c.SetCycleCount (&prop, &pv, 1), c.PostPacket (3, &f, 4), c.SendNotification (1, nullptr, 0),
             c.GetCurrentMeterValue (0, &f), c.GetMeterPeakValue (0, &f), c.ClearMeterPeakValue (0), c.GetMeterCount (&u),
             c.GetMeterClipped (0, &b), c.ClearMeterClipped (0), c.GetNextMIDIPacket (&port, &packet),
             c.GetHybridSignalLatency (&i), c.GetCurrentAutomationTimestamp (&counter), c.GetHostName (nullptr),
             c.GetPlugInTargetPlatform (&i), c.GetIsAudioSuite (&b) };
}

// Version of each controller operation, in the same order.
const std::vector<int> kControllerVersions = { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 3, 3 };

std::vector<AAX_Result> Expected (const std::vector<bool>& present, AAX_Result hostResult)
{
    std::vector<AAX_Result> out;
    for (int v : kControllerVersions)
        out.push_back (present[static_cast<size_t> (v - 1)] ? hostResult : (v == 1 ? kErrMissingObject : kErrNotSupported));
    return out;
}
} // namespace

// ---- ACFPtr ---------------------------------------------------------------

TEST (CountedPointer, HoldsOneReferenceAndThrowsWhenEmpty)
{
    FakeController host;
    {
        ACFPtr<AAX_IACFController> p (&host);
        EXPECT_EQ (host.Refs(), 1);
        ACFPtr<AAX_IACFController> copy (p);
        EXPECT_EQ (host.Refs(), 2);
        float rate = 0;
        EXPECT_EQ (p->GetSampleRate (&rate), 7);
        EXPECT_EQ (rate, 48000.0f);
        // As an out argument the held reference is dropped first.
        void** slot = copy.OutArg();
        EXPECT_EQ (host.Refs(), 1);
        EXPECT_EQ (*slot, nullptr);
        EXPECT_TRUE (copy.IsNull());
    }
    EXPECT_EQ (host.Refs(), 0);

    ACFPtr<AAX_IACFController> empty;
    try
    {
        empty->SetSignalLatency (1);
        FAIL() << "dereferencing an empty pointer must throw";
    }
    catch (ACFRESULT error)
    {
        EXPECT_EQ (error, kACFErrNullPointer);
    }
    EXPECT_THROW (*empty, ACFRESULT);
    ACFPtr<AAX_IACFController> fromNull (nullptr);
    EXPECT_TRUE (fromNull.IsNull());
}

// ---- controller ---------------------------------------------------------------

TEST (ControllerProxy, NullHostAnswersMissingResultsByVersion)
{
    AAX_VController controller (nullptr);
    EXPECT_EQ (AllControllerResults (controller), Expected ({ false, false, false }, 0));
    AAX_CTransportCounter stamp = 99;
    EXPECT_EQ (controller.GetCurrentAutomationTimestamp (&stamp), kErrNotSupported);
    EXPECT_EQ (stamp, 0);
    float rate = 5.0f;
    EXPECT_EQ (controller.GetSampleRate (&rate), kErrMissingObject);
    EXPECT_EQ (rate, 5.0f); // untouched
}

TEST (ControllerProxy, VersionOneOnlyHost)
{
    FakeController host ({ IID_IAAXControllerV1 });
    {
        AAX_VController controller (&host);
        EXPECT_EQ (host.Refs(), 1);
        EXPECT_EQ (AllControllerResults (controller), Expected ({ true, false, false }, 7));
        host.calls.clear();
        float rate = 0;
        EXPECT_EQ (controller.GetSampleRate (&rate), 7);
        EXPECT_EQ (rate, 48000.0f);
        EXPECT_EQ (controller.SetSignalLatency (64), 7);
        EXPECT_EQ (controller.PostPacket (3, &rate, 4), 7);
        EXPECT_EQ (controller.SendNotification (1, nullptr, 0), kErrNotSupported);
        EXPECT_EQ (controller.GetHostName (nullptr), kErrNotSupported);
        EXPECT_EQ (controller.GetPlugInTargetPlatform (nullptr), kErrNotSupported);
        EXPECT_EQ (host.calls, (std::vector<std::string> { "GetSampleRate", "SetSignalLatency:64", "PostPacket:3,4" }));
    }
    EXPECT_EQ (host.Refs(), 0);
}

TEST (ControllerProxy, VersionsAreQueriedIndependently)
{
    FakeController host ({ IID_IAAXControllerV1, IID_IAAXControllerV3 });
    AAX_VController controller (&host);
    EXPECT_EQ (AllControllerResults (controller), Expected ({ true, false, true }, 7));
    int32_t platform = 0;
    host.calls.clear();
    EXPECT_EQ (controller.GetPlugInTargetPlatform (&platform), 7);
    EXPECT_EQ (host.calls.back(), "GetPlugInTargetPlatform");
}

TEST (ControllerProxy, HostResultsPassUnchangedAndReferencesAreReleased)
{
    FakeController host (kAllController);
    host.result = -12345;
    {
        AAX_VController controller (&host);
        EXPECT_EQ (host.Refs(), 3);
        EXPECT_EQ (AllControllerResults (controller), Expected ({ true, true, true }, -12345));
        AAX_CTransportCounter stamp = 0;
        controller.GetCurrentAutomationTimestamp (&stamp);
        EXPECT_EQ (stamp, 1234);
    }
    EXPECT_EQ (host.Refs(), 0);
}

// ---- transport -------------------------------------------------------------------

TEST (TransportProxy, MissingVersionsAndForwarding)
{
    AAX_VTransport none (nullptr);
    double tempo = 1.0;
    int64_t pos = 5;
    EXPECT_EQ (none.GetCurrentTempo (&tempo), kErrMissingObject);
    EXPECT_EQ (tempo, 1.0);
    EXPECT_EQ (none.GetCurrentTicksPerBeat (nullptr), kErrMissingObject);
    EXPECT_EQ (none.GetTimelineSelectionStartPosition (&pos), kErrNotSupported);
    EXPECT_EQ (none.IsMetronomeEnabled (nullptr), kErrNotSupported);
    EXPECT_EQ (pos, 5);

    fakes::FakeTransport host ({ IID_IAAXTransportV1 });
    {
        AAX_VTransport transport (&host);
        EXPECT_EQ (transport.GetCurrentTempo (&tempo), 7);
        EXPECT_EQ (tempo, 120.0);
        EXPECT_EQ (transport.GetBarBeatPosition (nullptr, nullptr, nullptr, 0), 7);
        EXPECT_EQ (transport.GetTimeCodeInfo (nullptr, nullptr), kErrNotSupported);
        EXPECT_EQ (transport.GetFeetFramesInfo (nullptr, nullptr), kErrNotSupported);
        EXPECT_EQ (host.calls, (std::vector<std::string> { "GetCurrentTempo", "GetBarBeatPosition" }));
    }
    EXPECT_EQ (host.Refs(), 0);

    fakes::FakeTransport both ({ IID_IAAXTransportV1, IID_IAAXTransportV2 });
    AAX_VTransport transport (&both);
    EXPECT_EQ (transport.IsMetronomeEnabled (nullptr), 7);
    EXPECT_EQ (both.Refs(), 2);
}

// ---- view container -------------------------------------------------------------

TEST (ViewContainerProxy, NoInterfaceGivesItsOwnFixedAnswers)
{
    AAX_VViewContainer none (nullptr);
    EXPECT_EQ (none.GetType(), 0);
    EXPECT_EQ (none.GetPtr(), nullptr);
    uint32_t modifiers = 77;
    EXPECT_EQ (none.GetModifiers (&modifiers), kErrNotSupported);
    EXPECT_EQ (modifiers, 77u);
    AAX_Point size (300, 600);
    EXPECT_EQ (none.SetViewSize (size), 0);
    EXPECT_EQ (none.HandleParameterMouseDown ("0", 0), kErrNotSupported);
    EXPECT_EQ (none.HandleParameterMouseDrag ("0", 0), kErrNotSupported);
    EXPECT_EQ (none.HandleParameterMouseUp ("0", 0), kErrNotSupported);
    EXPECT_EQ (none.HandleMultipleParametersMouseUp (nullptr, 0, 0), kErrNotSupported);

    // A host object that answers neither version behaves the same.
    fakes::FakeViewContainer refusing;
    AAX_VViewContainer proxy (&refusing);
    EXPECT_EQ (proxy.GetType(), 0);
    EXPECT_EQ (proxy.SetViewSize (size), 0);
    EXPECT_TRUE (refusing.calls.empty());
}

TEST (ViewContainerProxy, ForwardsByVersion)
{
    fakes::FakeViewContainer host ({ IID_IAAXViewContainerV1 });
    AAX_VViewContainer proxy (&host);
    EXPECT_EQ (proxy.GetType(), AAX_eViewContainer_Type_NSView);
    EXPECT_EQ (proxy.GetPtr(), host.nativeView);
    uint32_t modifiers = 0;
    EXPECT_EQ (proxy.GetModifiers (&modifiers), 7);
    EXPECT_EQ (modifiers, 5u);
    AAX_Point size (300, 600);
    EXPECT_EQ (proxy.SetViewSize (size), 7);
    EXPECT_EQ (proxy.HandleParameterMouseDown ("2", 1), 7);
    const AAX_CParamID ids[] = { "0", "1" };
    EXPECT_EQ (proxy.HandleMultipleParametersMouseDown (ids, 2, 0), kErrNotSupported);
    EXPECT_EQ (host.calls, (std::vector<std::string> { "GetType", "GetPtr", "GetModifiers", "SetViewSize:300x600", "MouseDown:2" }));
}

// ---- automation delegate -----------------------------------------------------------

TEST (AutomationProxy, ForwardsArgumentsOrAnswersMissingObject)
{
    AAX_VAutomationDelegate none (nullptr);
    EXPECT_EQ (none.RegisterParameter ("0"), kErrMissingObject);
    EXPECT_EQ (none.PostSetValueRequest ("0", 0.5), kErrMissingObject);
    EXPECT_EQ (none.GetTouchState ("0", nullptr), kErrMissingObject);

    fakes::FakeAutomation host ({ IID_IAAXAutomationDelegateV1 });
    {
        AAX_VAutomationDelegate proxy (&host);
        proxy.RegisterParameter ("3");
        proxy.PostTouchRequest ("3");
        proxy.PostSetValueRequest ("3", 0.25);
        proxy.PostReleaseRequest ("3");
        proxy.PostCurrentValue ("3", 0.25);
        EXPECT_EQ (proxy.UnregisterParameter ("3"), 7);
        EXPECT_EQ (host.calls, (std::vector<std::string> { "Register:3", "Touch:3", "SetValue:3=0.250000", "Release:3",
                                                           "Current:3=0.250000", "Unregister:3" }));
    }
    EXPECT_EQ (host.Refs(), 0);
}

// ---- host services --------------------------------------------------------------------

TEST (HostServicesProxy, VersionTwoIsAskedEvenWhenVersionOneIsRefused)
{
    fakes::FakeHost host;
    host.refusedInterfaces = { IID_IAAXHostServicesV1 };
    {
        AAX_VHostServices proxy (&host);
        EXPECT_EQ (host.createCalls, 2);
        EXPECT_EQ (proxy.Trace (1, "x"), kErrMissingObject);
        EXPECT_EQ (proxy.Assert ("f", 1, "n"), kErrMissingObject);
        EXPECT_EQ (proxy.StackTrace (1, 2, "st"), 7);
        EXPECT_EQ (host.services[0]->calls, (std::vector<std::string> { "StackTrace:st" }));
        EXPECT_EQ (host.Refs(), 0); // the factory reference was given back
    }
    EXPECT_EQ (host.services[0]->Refs(), 1);
}

TEST (HostServicesProxy, WithoutFactoryEverythingIsMissing)
{
    fakes::FakeHost host;
    host.hasFactory = false;
    AAX_VHostServices proxy (&host);
    EXPECT_EQ (host.createCalls, 0);
    EXPECT_EQ (proxy.Trace (1, "x"), kErrMissingObject);
    EXPECT_EQ (proxy.StackTrace (1, 2, "x"), kErrNotSupported);

    AAX_VHostServices none (nullptr);
    EXPECT_EQ (none.Assert ("f", 1, "x"), kErrMissingObject);
}

TEST (HostServicesProxy, EmptyFactoryAnswerThrowsNullPointer)
{
    fakes::FakeHost host;
    host.factoryAnswersEmpty = true;
    EXPECT_THROW ({ AAX_VHostServices proxy (&host); }, ACFRESULT);
    EXPECT_EQ (host.Refs(), 0);
}
