// Strings, taper delegates and display delegates of the interface library.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CString.h"

namespace
{

TEST (AaxString, NullAndEmptyAndLimits)
{
    AAX_CString fromNull (static_cast<const char*> (nullptr));
    EXPECT_EQ (0u, fromNull.Length());
    EXPECT_STREQ ("", fromNull.Get());
    EXPECT_EQ (4294967294u, fromNull.MaxLength());

    AAX_CString s ("abc");
    s.Set (nullptr); // a null text empties instead of crashing
    EXPECT_STREQ ("", s.Get());
    s = "xy";
    AAX_IString& asInterface = s;
    asInterface = static_cast<const char*> (nullptr);
    EXPECT_EQ (0u, s.Length());
}

TEST (AaxString, AssignmentThroughTheInterfaceCopiesAnyImplementation)
{
    AAX_CString a ("hello");
    AAX_CString b;
    AAX_IString& bi = b;
    bi = static_cast<const AAX_IString&> (a);
    EXPECT_STREQ ("hello", b.Get());
    a.Set ("changed");
    EXPECT_STREQ ("hello", b.Get()); // a copy, not a view
    bi = static_cast<const AAX_IString&> (b); // self-assignment keeps the text
    EXPECT_STREQ ("hello", b.Get());
}

TEST (AaxString, AppendNumberWritesFixedPoint)
{
    AAX_CString s ("x");
    s.AppendNumber (2.0, 3);
    EXPECT_STREQ ("x2.000", s.Get());

    auto text = [] (double v) {
        AAX_CString t;
        t.AppendNumber (v, 3);
        return std::string (t.Get());
    };
    EXPECT_EQ ("0.500", text (0.5));
    EXPECT_EQ ("12.500", text (12.5));
    EXPECT_EQ ("-0.250", text (-0.25));
    EXPECT_EQ ("0.001", text (static_cast<double> (0.0005f)));
    EXPECT_EQ ("0.123", text (static_cast<double> (0.1234f)));
}

TEST (AaxString, ToDoubleParsesTheLeadingNumber)
{
    double v = 7.0;
    EXPECT_TRUE (AAX_CString ("  3.25abc").ToDouble (&v));
    EXPECT_DOUBLE_EQ (3.25, v);
    EXPECT_TRUE (AAX_CString ("-1e2").ToDouble (&v));
    EXPECT_DOUBLE_EQ (-100.0, v);
    EXPECT_TRUE (AAX_CString ("0.5 dB").ToDouble (&v));
    EXPECT_DOUBLE_EQ (0.5, v);
    v = 7.0;
    EXPECT_FALSE (AAX_CString ("abc").ToDouble (&v));
    EXPECT_EQ (0.0, v);
    v = 7.0;
    EXPECT_FALSE (AAX_CString ("").ToDouble (&v));
    EXPECT_EQ (0.0, v);
}

TEST (AaxString, SubStringEraseAndComparison)
{
    AAX_CString s ("abcdef");
    AAX_CString out ("zz");
    s.SubString (2, 3, &out);
    EXPECT_STREQ ("cde", out.Get());
    s.SubString (4, 10, &out);
    EXPECT_STREQ ("ef", out.Get());
    s.SubString (6, 1, &out);
    EXPECT_STREQ ("", out.Get());
    s.SubString (99, 1, &out); // past the end: empty, no throw
    EXPECT_STREQ ("", out.Get());

    s.Erase (1, 2);
    EXPECT_STREQ ("adef", s.Get());
    s.Erase (2, 100); // cut at the end
    EXPECT_STREQ ("ad", s.Get());
    s.Erase (50, 1); // past the end: nothing
    EXPECT_STREQ ("ad", s.Get());

    EXPECT_TRUE (AAX_CString ("On") != AAX_CString ("on"));
    EXPECT_TRUE (AAX_CString ("on") == AAX_CString ("on"));
    AAX_CString withNul ("ab");
    withNul[1] = '\0'; // comparison stops at the first NUL
    EXPECT_TRUE (withNul == AAX_CString ("a"));
}

TEST (AaxTaper, LinearZeroToOne)
{
    AAX_CLinearTaperDelegate<float, 0> taper (0.0f, 1.0f);
    EXPECT_EQ (1.0f, taper.NormalizedToReal (1.5));
    EXPECT_EQ (0.0f, taper.NormalizedToReal (-0.5));
    EXPECT_EQ (1.0, taper.RealToNormalized (2.0f));
    EXPECT_EQ (0.25f, taper.ConstrainRealValue (0.25f));
    EXPECT_EQ (static_cast<float> (0.3), taper.NormalizedToReal (0.3));
    EXPECT_TRUE (std::isnan (taper.ConstrainRealValue (std::numeric_limits<float>::quiet_NaN())));
}

TEST (AaxTaper, LinearOtherRangeRoundTripsAndClones)
{
    AAX_CLinearTaperDelegate<float, 0> taper (-10.0f, 30.0f);
    EXPECT_EQ (10.0f, taper.NormalizedToReal (0.5));
    EXPECT_DOUBLE_EQ (0.25, taper.RealToNormalized (0.0f));
    EXPECT_DOUBLE_EQ (0.0, taper.RealToNormalized (-50.0f));
    std::unique_ptr<AAX_ITaperDelegate<float>> clone (taper.Clone());
    EXPECT_EQ (-10.0f, clone->GetMinimumValue());
    EXPECT_EQ (30.0f, clone->GetMaximumValue());
    EXPECT_EQ (10.0f, clone->NormalizedToReal (0.5));

    // The mapping is computed in double and rounded to float once.
    AAX_CLinearTaperDelegate<float, 0> odd (-3.3f, 7.9f);
    const double lo = static_cast<double> (-3.3f), hi = static_cast<double> (7.9f);
    for (const double x : { 0.1344, 0.8474, 0.7638, 0.2551 })
        EXPECT_EQ (static_cast<float> ((hi - lo) * x + lo), odd.NormalizedToReal (x)) << x;
}

TEST (AaxTaper, Binary)
{
    AAX_CBinaryTaperDelegate<bool> taper;
    EXPECT_FALSE (taper.NormalizedToReal (0.0));
    EXPECT_TRUE (taper.NormalizedToReal (1e-9));
    EXPECT_FALSE (taper.NormalizedToReal (-0.5));
    EXPECT_FALSE (taper.NormalizedToReal (std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ (1.0, taper.RealToNormalized (true));
    EXPECT_EQ (0.0, taper.RealToNormalized (false));
    EXPECT_FALSE (taper.GetMinimumValue());
    EXPECT_TRUE (taper.GetMaximumValue());
}

TEST (AaxDisplay, NumberTexts)
{
    AAX_CNumberDisplayDelegate<float, 3, 0> display;
    AAX_CString t;
    EXPECT_TRUE (display.ValueToString (0.5f, &t));
    EXPECT_STREQ ("0.500", t.Get());
    EXPECT_TRUE (display.ValueToString (0.5f, 5, &t));
    EXPECT_STREQ ("0.500", t.Get());
    display.ValueToString (0.5f, 2, &t);
    EXPECT_STREQ ("0", t.Get());
    display.ValueToString (100.0f, 4, &t);
    EXPECT_STREQ ("100", t.Get());
    display.ValueToString (0.25f, 4, &t);
    EXPECT_STREQ ("0.25", t.Get());
    display.ValueToString (12.5f, 3, &t);
    EXPECT_STREQ ("12", t.Get());
    display.ValueToString (12.5f, 6, &t);
    EXPECT_STREQ ("12.500", t.Get());
    display.ValueToString (0.5f, 0, &t);
    EXPECT_STREQ ("", t.Get());
    display.ValueToString (0.5f, -3, &t);
    EXPECT_STREQ ("", t.Get());
}

TEST (AaxDisplay, NumberParsing)
{
    AAX_CNumberDisplayDelegate<float, 3, 0> display;
    float v = 9.0f;
    EXPECT_TRUE (display.StringToValue (AAX_CString ("0.75"), &v));
    EXPECT_EQ (0.75f, v);
    EXPECT_FALSE (display.StringToValue (AAX_CString ("loud"), &v));
    EXPECT_EQ (0.0f, v);
    EXPECT_TRUE (display.StringToValue (AAX_CString ("5"), &v)); // no range check here
    EXPECT_EQ (5.0f, v);
}

TEST (AaxDisplay, BinaryWithoutTable)
{
    AAX_CBinaryDisplayDelegate<bool> display ("bypass", "on");
    EXPECT_EQ (6u, display.GetMaxLength());
    AAX_CString t;
    display.ValueToString (true, 2, &t);
    EXPECT_STREQ ("on", t.Get());
    display.ValueToString (false, 3, &t);
    EXPECT_STREQ ("bypass", t.Get());

    bool b = false;
    EXPECT_TRUE (display.StringToValue (AAX_CString ("on"), &b));
    EXPECT_TRUE (b);
    b = true;
    EXPECT_TRUE (display.StringToValue (AAX_CString ("bypass"), &b));
    EXPECT_FALSE (b);
    b = true;
    EXPECT_FALSE (display.StringToValue (AAX_CString ("off"), &b));
    EXPECT_FALSE (b);
    EXPECT_FALSE (display.StringToValue (AAX_CString ("On"), &b));
}

TEST (AaxDisplay, BinaryTableRowsAndClone)
{
    AAX_CBinaryDisplayDelegate<bool> display ("bypass", "on");
    display.AddShortenedStrings (2, "bp", "o2");
    display.AddShortenedStrings (4, "byp4", "on4");
    AAX_CString t;
    display.ValueToString (false, 3, &t);
    EXPECT_STREQ ("bp", t.Get());
    display.ValueToString (true, 1, &t); // no row fits: the first row
    EXPECT_STREQ ("o2", t.Get());
    display.ValueToString (false, 5, &t);
    EXPECT_STREQ ("byp4", t.Get());
    display.ValueToString (false, 6, &t);
    EXPECT_STREQ ("bypass", t.Get());
    display.ValueToString (true, 60, &t);
    EXPECT_STREQ ("on", t.Get());

    std::unique_ptr<AAX_IDisplayDelegate<bool>> clone (display.Clone());
    clone->ValueToString (false, 3, &t);
    EXPECT_STREQ ("bp", t.Get());
    clone->ValueToString (true, &t);
    EXPECT_STREQ ("on", t.Get());
}

} // namespace
