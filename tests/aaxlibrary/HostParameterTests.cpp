// Host parameters: conversions, texts, steps, names, automation traffic, and
// the parameter manager.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <thread>

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CParameterManager.h"
#include "ModelFakes.h"

namespace
{
using aaxmodel_test::FakeAutomationDelegate;
using Strings = std::vector<std::string>;

std::unique_ptr<AAX_CParameter<float>> MakeFloat (const char* id = "0", float def = 0.5f, float lo = 0.0f, float hi = 1.0f,
                                                  const char* name = "Frequency")
{
    return std::unique_ptr<AAX_CParameter<float>> (new AAX_CParameter<float> (
        id, AAX_CString (name), def, AAX_CLinearTaperDelegate<float, 0> (lo, hi), AAX_CNumberDisplayDelegate<float, 3, 0>(), true));
}

std::unique_ptr<AAX_CParameter<bool>> MakeBypass()
{
    return std::unique_ptr<AAX_CParameter<bool>> (new AAX_CParameter<bool> (
        "MasterBypassID", AAX_CString ("Master Bypass"), false, AAX_CBinaryTaperDelegate<bool>(),
        AAX_CBinaryDisplayDelegate<bool> ("bypass", "on"), true));
}

TEST (AaxParameter, NewParameterState)
{
    auto p = MakeFloat ("0", 0.25f);
    EXPECT_STREQ ("0", p->Identifier());
    EXPECT_STREQ ("Frequency", p->Name().Get());
    EXPECT_EQ (128u, p->GetNumberOfSteps());
    EXPECT_EQ (AAX_eParameterType_Continuous, p->GetType());
    EXPECT_EQ (0, p->GetOrientation());
    EXPECT_FALSE (p->GetForceNotify());
    EXPECT_TRUE (p->Automatable());
    float v = -1.0f;
    EXPECT_TRUE (p->GetValueAsFloat (&v));
    EXPECT_EQ (0.25f, v);
    EXPECT_DOUBLE_EQ (0.25, p->GetNormalizedValue());

    // A default outside the range is kept as given; the value starts constrained.
    auto q = MakeFloat ("1", 3.0f);
    EXPECT_EQ (3.0f, q->GetDefaultValue());
    EXPECT_TRUE (q->GetValueAsFloat (&v));
    EXPECT_EQ (1.0f, v);
    EXPECT_DOUBLE_EQ (1.0, q->GetNormalizedDefaultValue());
}

TEST (AaxParameter, TypedOperationsOfOtherTypesRefuse)
{
    auto p = MakeFloat();
    bool b = true;
    int32_t i = 7;
    double d = 7.0;
    EXPECT_FALSE (p->GetValueAsBool (&b));
    EXPECT_FALSE (p->GetValueAsInt32 (&i));
    EXPECT_FALSE (p->GetValueAsDouble (&d));
    EXPECT_FALSE (p->GetNormalizedValueFromBool (true, &d));
    EXPECT_FALSE (p->GetDoubleFromNormalizedValue (0.5, &d));
    EXPECT_FALSE (p->SetValueWithBool (true));
    EXPECT_FALSE (p->SetValueWithDouble (0.1));
    EXPECT_TRUE (b);
    EXPECT_EQ (7, i);
    EXPECT_EQ (7.0, d);

    auto bp = MakeBypass();
    float f = 9.0f;
    EXPECT_FALSE (bp->GetValueAsFloat (&f));
    EXPECT_FALSE (bp->SetValueWithFloat (1.0f));
    EXPECT_EQ (9.0f, f);
    EXPECT_TRUE (bp->GetValueAsBool (&b));
    EXPECT_FALSE (b);
}

TEST (AaxParameter, NormalizedAndRealConversions)
{
    auto p = MakeFloat ("0", 0.0f, 20.0f, 120.0f);
    double n = -1.0;
    EXPECT_TRUE (p->GetNormalizedValueFromFloat (70.0f, &n));
    EXPECT_DOUBLE_EQ (0.5, n);
    float r = 0.0f;
    EXPECT_TRUE (p->GetFloatFromNormalizedValue (0.25, &r));
    EXPECT_EQ (45.0f, r);
    EXPECT_TRUE (p->GetFloatFromNormalizedValue (2.0, &r));
    EXPECT_EQ (120.0f, r);

    p->SetNormalizedValue (1.7); // no delegate: stored at once, constrained
    EXPECT_DOUBLE_EQ (1.0, p->GetNormalizedValue());
    p->SetValueWithFloat (45.0f);
    EXPECT_DOUBLE_EQ (0.25, p->GetNormalizedValue());
    p->SetNormalizedDefaultValue (-3.0);
    EXPECT_EQ (20.0f, p->GetDefaultValue());
    EXPECT_DOUBLE_EQ (0.25, p->GetNormalizedValue()); // the value is not touched
    p->SetToDefaultValue();
    EXPECT_DOUBLE_EQ (0.0, p->GetNormalizedValue());

    auto bp = MakeBypass();
    bp->SetNormalizedValue (0.3);
    bool b = false;
    EXPECT_TRUE (bp->GetValueAsBool (&b));
    EXPECT_TRUE (b);
    EXPECT_DOUBLE_EQ (1.0, bp->GetNormalizedValue());
}

TEST (AaxParameter, TextsWithRangeTests)
{
    auto p = MakeFloat ("0", 0.5f);
    AAX_CString t;
    EXPECT_TRUE (p->GetValueString (&t));
    EXPECT_STREQ ("0.500", t.Get());
    EXPECT_TRUE (p->GetValueString (2, &t)); // the length is not applied
    EXPECT_STREQ ("0.500", t.Get());
    EXPECT_TRUE (p->GetStringFromNormalizedValue (0.25, t));
    EXPECT_STREQ ("0.250", t.Get());
    EXPECT_TRUE (p->GetStringFromNormalizedValue (0.25, 3, t));
    EXPECT_STREQ ("0.2", t.Get());

    double n = -1.0;
    EXPECT_TRUE (p->GetNormalizedValueFromString (AAX_CString ("0.75"), &n));
    EXPECT_DOUBLE_EQ (0.75, n);
    // Above the maximum: the normalized value is written, the answer is false.
    EXPECT_FALSE (p->GetNormalizedValueFromString (AAX_CString ("1.5"), &n));
    EXPECT_DOUBLE_EQ (1.0, n);
    n = -1.0;
    EXPECT_FALSE (p->GetNormalizedValueFromString (AAX_CString ("loud"), &n));
    EXPECT_EQ (-1.0, n);

    EXPECT_TRUE (p->SetValueFromString (AAX_CString ("0.125")));
    EXPECT_DOUBLE_EQ (0.125, p->GetNormalizedValue());
    EXPECT_FALSE (p->SetValueFromString (AAX_CString ("x")));
    EXPECT_DOUBLE_EQ (0.125, p->GetNormalizedValue());
    EXPECT_TRUE (p->SetValueWithString (AAX_CString ("0.5")));
    EXPECT_DOUBLE_EQ (0.5, p->GetNormalizedValue());

    AAX_CString out ("old");
    EXPECT_TRUE (p->GetValueAsString (&out));
    EXPECT_STREQ ("0.500", out.Get());
    EXPECT_FALSE (p->GetValueAsString (nullptr));

    auto bp = MakeBypass();
    EXPECT_TRUE (bp->GetValueString (&t));
    EXPECT_STREQ ("bypass", t.Get());
    EXPECT_TRUE (bp->SetValueFromString (AAX_CString ("on")));
    EXPECT_TRUE (bp->GetValueString (&t));
    EXPECT_STREQ ("on", t.Get());
    EXPECT_FALSE (bp->SetValueFromString (AAX_CString ("off")));
}

TEST (AaxParameter, Steps)
{
    auto p = MakeFloat();
    EXPECT_DOUBLE_EQ (1.0 / 127.0, p->GetNormalizedValueFromStep (1));
    EXPECT_DOUBLE_EQ (64.0 / 127.0, p->GetNormalizedValueFromStep (64));
    EXPECT_EQ (1.0, p->GetNormalizedValueFromStep (127));
    EXPECT_EQ (1.0, p->GetNormalizedValueFromStep (5000));
    EXPECT_EQ (64u, p->GetStepValueFromNormalizedValue (0.5));
    EXPECT_EQ (126u, p->GetStepValueFromNormalizedValue (0.996));
    EXPECT_EQ (127u, p->GetStepValueFromNormalizedValue (1.0));
    EXPECT_EQ (127u, p->GetStepValueFromNormalizedValue (1.5));
    EXPECT_EQ (0u, p->GetStepValueFromNormalizedValue (-0.2));
    EXPECT_EQ (0u, p->GetStepValueFromNormalizedValue (std::numeric_limits<double>::quiet_NaN()));

    p->SetNumberOfSteps (0); // ignored
    EXPECT_EQ (128u, p->GetNumberOfSteps());
    p->SetNumberOfSteps (2);
    EXPECT_EQ (0u, p->GetStepValueFromNormalizedValue (0.49));
    EXPECT_EQ (1u, p->GetStepValueFromNormalizedValue (0.5));
    p->SetStepValue (1);
    EXPECT_EQ (1.0, p->GetNormalizedValue());
    EXPECT_EQ (1u, p->GetStepValue());

    p->SetNumberOfSteps (1);
    EXPECT_EQ (0.0, p->GetNormalizedValueFromStep (1));
    EXPECT_EQ (0u, p->GetStepValueFromNormalizedValue (1.0));
    p->SetStepValue (0); // fewer than 2 steps: nothing
    EXPECT_EQ (1.0, p->GetNormalizedValue());
}

TEST (AaxParameter, ShortenedNames)
{
    auto p = MakeFloat ("0", 0.5f, 0.0f, 1.0f, "Frequency Abc"); // 13 characters
    EXPECT_STREQ ("Frequency Abc", p->ShortenedName (3).Get()); // no shortened names yet
    p->AddShortenedName (AAX_CString ("Freq"));
    p->AddShortenedName (AAX_CString ("Frequenc"));
    for (int l = 0; l <= 7; ++l)
        EXPECT_STREQ ("Freq", p->ShortenedName (l).Get()) << l;
    for (int l = 8; l <= 12; ++l)
        EXPECT_STREQ ("Frequenc", p->ShortenedName (l).Get()) << l;
    EXPECT_STREQ ("Frequency Abc", p->ShortenedName (13).Get());
    EXPECT_STREQ ("Frequency Abc", p->ShortenedName (40).Get());
    EXPECT_STREQ ("Frequency Abc", p->ShortenedName (-1).Get());

    p->AddShortenedName (AAX_CString ("Fq  ")); // same length replaces
    EXPECT_STREQ ("Fq  ", p->ShortenedName (5).Get());

    p->ClearShortenedNames();
    p->AddShortenedName (AAX_CString ("Frequenc"));
    EXPECT_STREQ ("Frequenc", p->ShortenedName (5).Get()); // the shortest, uncut
}

TEST (AaxParameter, LongIdentifiersAreCutTo31Characters)
{
    const std::string id40 (40, 'k');
    const std::string id31 (31, 'k');
    AAX_CParameterManager manager;
    auto p = MakeFloat (id40.c_str());
    EXPECT_EQ (id31, std::string (p->Identifier()));
    std::unique_ptr<AAX_IParameterValue> snapshot (p->CloneValue());
    EXPECT_EQ (id31, std::string (snapshot->Identifier()));
    manager.AddParameter (p.release());
    EXPECT_EQ (nullptr, manager.GetParameterByID (id40.c_str()));
    EXPECT_EQ (-1, manager.GetParameterIndex (id40.c_str()));
    EXPECT_NE (nullptr, manager.GetParameterByID (id31.c_str()));
    EXPECT_EQ (0, manager.GetParameterIndex (id31.c_str()));
}

TEST (AaxParameter, ValueSnapshots)
{
    auto p = MakeFloat ("3", 0.75f);
    std::unique_ptr<AAX_IParameterValue> snapshot (p->CloneValue());
    p->SetNormalizedValue (0.1);
    float f = 0.0f;
    EXPECT_TRUE (snapshot->GetValueAsFloat (&f));
    EXPECT_EQ (0.75f, f);
    bool b = false;
    EXPECT_FALSE (snapshot->GetValueAsBool (&b));
    std::unique_ptr<AAX_IParameterValue> copy (snapshot->Clone());
    EXPECT_STREQ ("3", copy->Identifier());
    EXPECT_TRUE (copy->GetValueAsFloat (&f));
    EXPECT_EQ (0.75f, f);
    AAX_CString s;
    EXPECT_FALSE (copy->GetValueAsString (&s));
}

TEST (AaxParameterAutomation, SetGoesThroughTheHost)
{
    FakeAutomationDelegate host;
    auto p = MakeFloat ("2", 0.5f);
    p->SetAutomationDelegate (&host);
    EXPECT_EQ (Strings ({ "register:2" }), host.calls);
    host.calls.clear();

    p->SetNormalizedValue (0.25);
    EXPECT_EQ (Strings ({ "touch:2", "set:2", "release:2" }), host.calls);
    EXPECT_EQ (0.25, host.values.back());
    EXPECT_DOUBLE_EQ (0.5, p->GetNormalizedValue()); // unchanged until the host answers

    host.calls.clear();
    p->UpdateNormalizedValue (0.25);
    EXPECT_DOUBLE_EQ (0.25, p->GetNormalizedValue());
    EXPECT_EQ (Strings ({ "current:2" }), host.calls);
    EXPECT_EQ (0.25, host.values.back());

    host.calls.clear();
    p->UpdateNormalizedValue (0.25); // unchanged: nothing stored or reported
    EXPECT_TRUE (host.calls.empty());

    // The host hears of a stored value exactly as it sent it, not as the
    // parameter would compute it back from what it stored.
    for (const double sent : { 0.1, 1.5, 0.25 })
    {
        p->UpdateNormalizedValue (sent);
        EXPECT_EQ (sent, host.values.back());
    }
    host.calls.clear();

    p->Touch();
    p->Release();
    EXPECT_EQ (Strings ({ "touch:2", "release:2" }), host.calls);

    host.calls.clear();
    p->SetToDefaultValue();
    p->SetValueWithFloat (0.9f);
    EXPECT_TRUE (p->SetValueFromString (AAX_CString ("0.3")));
    EXPECT_EQ (9u, host.calls.size());
    EXPECT_DOUBLE_EQ (0.25, p->GetNormalizedValue());

    host.calls.clear();
    p.reset();
    EXPECT_EQ (Strings ({ "unregister:2" }), host.calls);
}

TEST (AaxParameterAutomation, BypassRequestsAndUpdates)
{
    FakeAutomationDelegate host;
    auto bp = MakeBypass();
    bp->SetAutomationDelegate (&host);
    bp->SetNormalizedValue (0.3);
    EXPECT_EQ (1.0, host.values.back());
    bp->UpdateNormalizedValue (1.0);
    host.calls.clear();
    bp->UpdateNormalizedValue (0.9); // already true: nothing sent
    EXPECT_TRUE (host.calls.empty());
    bp->UpdateNormalizedValue (0.0);
    EXPECT_EQ (Strings ({ "current:MasterBypassID" }), host.calls);
}

TEST (AaxParameterAutomation, ReplacingTheDelegate)
{
    FakeAutomationDelegate a, b;
    auto p = MakeFloat ("1");
    p->SetAutomationDelegate (&a);
    p->SetAutomationDelegate (&a);
    EXPECT_EQ (Strings ({ "register:1", "unregister:1", "register:1" }), a.calls);
    p->SetAutomationDelegate (&b);
    EXPECT_EQ ("unregister:1", a.calls.back());
    EXPECT_EQ (Strings ({ "register:1" }), b.calls);
    p->SetAutomationDelegate (nullptr);
    EXPECT_EQ ("unregister:1", b.calls.back());
    p->SetNormalizedValue (0.75); // no delegate now: stored at once
    EXPECT_DOUBLE_EQ (0.75, p->GetNormalizedValue());
}

TEST (AaxParameterAutomation, TaperReplacement)
{
    FakeAutomationDelegate host;
    auto p = MakeFloat ("4", 0.5f);
    p->SetAutomationDelegate (&host);
    host.calls.clear();

    // Keeping the real value: a request, and the host's answer is stored
    // and reported even though the real value did not change.
    AAX_CLinearTaperDelegate<float, 0> wide (0.0f, 2.0f);
    p->SetTaperDelegate (wide, true);
    EXPECT_EQ (Strings ({ "touch:4", "set:4", "release:4" }), host.calls);
    EXPECT_DOUBLE_EQ (0.25, host.values.back());
    host.calls.clear();
    p->UpdateNormalizedValue (0.25);
    EXPECT_EQ (Strings ({ "current:4" }), host.calls);

    // Not keeping it: the old normalized position maps through the new taper.
    host.calls.clear();
    AAX_CLinearTaperDelegate<float, 0> other (10.0f, 20.0f);
    p->SetTaperDelegate (other, false);
    float f = 0.0f;
    EXPECT_TRUE (p->GetValueAsFloat (&f));
    EXPECT_EQ (12.5f, f);
    EXPECT_EQ (Strings ({ "current:4" }), host.calls);

    // A taper of another type is ignored.
    AAX_CBinaryTaperDelegate<bool> wrongType;
    p->SetTaperDelegate (wrongType, false);
    EXPECT_TRUE (p->GetValueAsFloat (&f));
    EXPECT_EQ (12.5f, f);

    host.calls.clear();
    AAX_CNumberDisplayDelegate<float, 1, 0> oneDecimal;
    p->SetDisplayDelegate (oneDecimal);
    EXPECT_EQ (Strings ({ "current:4" }), host.calls);
    AAX_CString t;
    p->GetValueString (&t);
    EXPECT_STREQ ("12.5", t.Get());
}

TEST (AaxParameterAutomation, NaNCountsAsAChange)
{
    FakeAutomationDelegate host;
    AAX_CParameter<float> p ("n", AAX_CString ("N"), 0.0f, AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f),
                             AAX_CNumberDisplayDelegate<float, 3, 0>(), true);
    p.SetAutomationDelegate (&host);
    host.calls.clear();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    p.UpdateNormalizedValue (nan);
    p.UpdateNormalizedValue (nan);
    EXPECT_EQ (2u, host.calls.size());
}

TEST (AaxParameterManager, AddFindAndRemove)
{
    FakeAutomationDelegate host;
    AAX_CParameterManager manager;
    manager.AddParameter (nullptr);
    EXPECT_EQ (0, manager.NumParameters());
    EXPECT_EQ (-1, manager.GetParameterIndex ("0"));

    manager.Initialize (&host);
    manager.AddParameter (MakeBypass().release());
    manager.AddParameter (MakeFloat ("0").release());
    manager.AddParameter (MakeFloat ("1").release());
    EXPECT_EQ (3, manager.NumParameters());
    EXPECT_EQ (Strings ({ "register:MasterBypassID", "register:0", "register:1" }), host.calls);

    auto duplicate = MakeFloat ("0", 0.9f);
    manager.AddParameter (duplicate.get()); // refused; stays ours
    EXPECT_EQ (3, manager.NumParameters());
    EXPECT_NE (duplicate.get(), manager.GetParameterByID ("0"));
    EXPECT_EQ (manager.GetParameter (1), manager.GetParameterByID ("0"));

    EXPECT_EQ (0, manager.GetParameterIndex ("MasterBypassID"));
    EXPECT_EQ (2, manager.GetParameterIndex ("1"));
    EXPECT_EQ (-1, manager.GetParameterIndex (nullptr));
    EXPECT_EQ (nullptr, manager.GetParameterByID (nullptr));
    EXPECT_EQ (nullptr, manager.GetParameterByID ("2"));
    EXPECT_EQ (nullptr, manager.GetParameter (-1));
    EXPECT_EQ (nullptr, manager.GetParameter (3));
    const AAX_CParameterManager& constManager = manager;
    EXPECT_EQ (manager.GetParameter (2), constManager.GetParameter (2));
    EXPECT_EQ (manager.GetParameter (2), constManager.GetParameterByID ("1"));

    host.calls.clear();
    manager.RemoveAllParameters();
    EXPECT_EQ (0, manager.NumParameters());
    EXPECT_EQ (Strings ({ "unregister:MasterBypassID", "unregister:0", "unregister:1" }), host.calls);
    manager.AddParameter (MakeFloat ("0").release());
    EXPECT_EQ (1, manager.NumParameters());
}

// The host updates a value on one thread while another reads it: every read
// is a value that was written, reads never go back in time, the host is told
// of each new value exactly as it sent it, and the last one stays.
TEST (AaxParameterManager, ConcurrentUpdateAndRead)
{
    constexpr int kWrites = 20000;
    FakeAutomationDelegate host;
    auto p = MakeFloat ("0", 0.0f);
    p->SetAutomationDelegate (&host);
    host.values.clear();
    std::thread writer ([&] {
        for (int i = 1; i <= kWrites; ++i)
            p->UpdateNormalizedValue (static_cast<double> (i) / kWrites);
    });
    float previous = 0.0f;
    int outOfOrder = 0, unwritten = 0;
    for (int i = 0; i < kWrites; ++i)
    {
        float f = -1.0f;
        p->GetValueAsFloat (&f);
        const double k = static_cast<double> (f) * kWrites;
        if (f != static_cast<float> (std::round (k) / kWrites))
            ++unwritten;
        if (f < previous)
            ++outOfOrder;
        previous = f;
    }
    writer.join();
    EXPECT_EQ (0, unwritten);
    EXPECT_EQ (0, outOfOrder);
    float last = 0.0f;
    EXPECT_TRUE (p->GetValueAsFloat (&last));
    EXPECT_EQ (1.0f, last);
    ASSERT_EQ (static_cast<size_t> (kWrites), host.values.size());
    for (int i = 1; i <= kWrites; ++i)
        ASSERT_EQ (static_cast<double> (i) / kWrites, host.values[static_cast<size_t> (i - 1)]) << i;
}

} // namespace
