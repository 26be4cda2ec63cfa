// Proxy forwarding against a direct host call, counted references, trace.
#include <benchmark/benchmark.h>

#include "AAX_CACFUnknown.h"
#include "AAX_CHostServices.h"
#include "AAX_Exports.h"
#include "AAX_VController.h"
#include "tests/aaxlibrary/CoreFakes.h"

AAX_Result GetEffectDescriptions (AAX_ICollection*) { return AAX_SUCCESS; }

namespace
{
// A controller whose PostPacket does nothing, so that only the call path is measured.
class QuietController : public fakes::FakeController
{
public:
    using FakeController::FakeController;
    AAX_Result PostPacket (AAX_CFieldIndex, const void*, uint32_t) override { return 0; }
};

class Counted : public CACFUnknown
{
};
} // namespace

static void BM_PostPacketDirect (benchmark::State& state)
{
    QuietController host ({ IID_IAAXControllerV1 });
    AAX_IACFController* direct = &host;
    float value = 0.5f;
    for (auto _ : state)
        benchmark::DoNotOptimize (direct->PostPacket (3, &value, 4));
}
BENCHMARK (BM_PostPacketDirect);

static void BM_PostPacketThroughProxy (benchmark::State& state)
{
    QuietController host ({ IID_IAAXControllerV1 });
    AAX_VController proxy (&host);
    AAX_IController* controller = &proxy;
    float value = 0.5f;
    for (auto _ : state)
        benchmark::DoNotOptimize (controller->PostPacket (3, &value, 4));
}
BENCHMARK (BM_PostPacketThroughProxy);

static void BM_MissingVersionAnswer (benchmark::State& state)
{
    AAX_VController proxy (nullptr);
    AAX_IController* controller = &proxy;
    for (auto _ : state)
        benchmark::DoNotOptimize (controller->SendNotification (1, nullptr, 0));
}
BENCHMARK (BM_MissingVersionAnswer);

static void BM_AddRefRelease (benchmark::State& state)
{
    Counted object;
    object.InternalAddRef();
    for (auto _ : state)
    {
        object.InternalAddRef();
        benchmark::DoNotOptimize (object.InternalRelease());
    }
}
BENCHMARK (BM_AddRefRelease);

static void BM_TraceFormatted (benchmark::State& state)
{
    fakes::FakeHost host;
    ACFStartup (&host);
    for (auto _ : state)
    {
        benchmark::DoNotOptimize (AAX_CHostServices::Trace (AAX_eTracePriorityHost_Normal, "value %d of %s", 42, "parameter"));
        host.services[0]->traces.clear();
        host.services[0]->calls.clear();
    }
    ACFShutdown (nullptr);
}
BENCHMARK (BM_TraceFormatted);
