#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "parameters/Skorvane3ParameterManager.h"

namespace
{
struct Single
{
    vq_paramManager pm;
    Single (vq_paramTypes type, float minimum, float maximum, float def)
    {
        pm.newParameter (0, "Param", "Par", "", minimum, maximum, def, type);
    }
    float step (bool up)
    {
        if (up)
            pm.incrementNaturalValue (0);
        else
            pm.decrementNaturalValue (0);
        return pm.getNaturalValue (0);
    }
};
} // namespace

TEST (Stepping, LinearHoldsAtTheEnds)
{
    Skorvane3ParameterManager pm;
    pm.setNaturalValue (1, 9.5f);
    pm.incrementNaturalValue (1);
    EXPECT_EQ (pm.getNaturalValue (1), 10.0f);
    pm.incrementNaturalValue (1);
    EXPECT_EQ (pm.getNaturalValue (1), 10.0f);
    pm.setNaturalValue (1, 0.5f);
    pm.decrementNaturalValue (1);
    EXPECT_EQ (pm.getNaturalValue (1), 0.0f);
    EXPECT_EQ (pm.getVSTvalue (1), 0.0f);

    pm.incrementNaturalValue (0); // Frequency at 15000
    EXPECT_EQ (pm.getNaturalValue (0), 15000.0f);
    pm.setNaturalValue (0, 1000.0f);
    pm.incrementNaturalValue (0);
    EXPECT_EQ (pm.getNaturalValue (0), 1001.0f);
}

TEST (Stepping, WholeValueTypesWrap)
{
    Single in (paramInteger, 0.0f, 3.0f, 3.0f);
    EXPECT_EQ (in.step (true), 0.0f);
    EXPECT_EQ (in.step (false), 3.0f); // wraps the other way too
    EXPECT_EQ (in.step (false), 2.0f);

    Single m (paramMetrical, 0.0f, 14.0f, 14.0f);
    EXPECT_EQ (m.step (true), 0.0f);
    EXPECT_EQ (m.step (false), 14.0f);

    Single note (paramNote, 0.0f, 127.0f, 127.0f);
    EXPECT_EQ (note.step (true), 0.0f);
    EXPECT_EQ (note.step (false), 0.0f);
    EXPECT_EQ (note.step (true), 1.0f);

    Single sw (paramSwitch, 0.0f, 1.0f, 0.0f);
    EXPECT_EQ (sw.step (true), 1.0f);
    EXPECT_EQ (sw.step (true), 0.0f);
    EXPECT_EQ (sw.step (false), 1.0f);
    EXPECT_EQ (sw.step (false), 0.0f);

    Single odd (static_cast<vq_paramTypes> (-4), 0.0f, 2.0f, 0.5f);
    EXPECT_EQ (odd.step (false), 0.0f);
    EXPECT_EQ (odd.step (true), 1.0f);
    EXPECT_EQ (odd.step (true), 2.0f);
    EXPECT_EQ (odd.step (true), 2.0f);
}

TEST (Randomize, RespectsTheFlagAndDrawsNothingWhenOff)
{
    Skorvane3ParameterManager pm;
    pm.setRandomizeable (4, false);
    EXPECT_FALSE (pm.canRandomize (4));
    std::srand (1234);
    const int expectedNext = std::rand();
    std::srand (1234);
    pm.randomize (4);
    EXPECT_EQ (pm.getVSTvalue (4), 0.95f);
    EXPECT_EQ (std::rand(), expectedNext); // no number was drawn
}

TEST (Randomize, DrawsFollowTheDocumentedFormula)
{
    // One rand() per call: a coin flip for switches and 0..1 whole-value
    // ranges, otherwise |rand() * 2^-31| as the VST value.
    Single coin (paramInteger, 0.0f, 1.0f, 0.0f);
    Single noteCoin (paramNote, 0.0f, 1.0f, 0.0f);
    Single wide (paramInteger, 0.0f, 2.0f, 0.0f);
    Skorvane3ParameterManager pm;
    float highest = 0.0f;
    for (unsigned seed = 1; seed <= 60; ++seed)
    {
        std::srand (seed);
        const int r = std::rand();
        const float v = std::fabs (static_cast<float> (r) * 0x1p-31f);
        const float flip = (r & 1) ? 1.0f : 0.0f;

        std::srand (seed);
        pm.randomize (0);
        EXPECT_EQ (pm.getVSTvalue (0), v) << seed;
        std::srand (seed);
        wide.pm.randomize (0);
        EXPECT_EQ (wide.pm.getVSTvalue (0), v) << seed;
        EXPECT_EQ (wide.pm.getNaturalValue (0), std::floor (2.0f * v + 0.5f)) << seed;
        std::srand (seed);
        coin.pm.randomize (0);
        EXPECT_EQ (coin.pm.getVSTvalue (0), flip) << seed;
        std::srand (seed);
        noteCoin.pm.randomize (0);
        EXPECT_EQ (noteCoin.pm.getVSTvalue (0), flip) << seed;
        highest = std::max (highest, v);
    }
    EXPECT_GT (highest, 0.9f); // the draws cover the whole range, not half
}

TEST (Snapshots, CreateSaveRestore)
{
    Skorvane3ParameterManager pm;
    EXPECT_EQ (pm.createState ({ 4, 0, 2 }), 0);
    EXPECT_EQ (pm.createState ({ 1 }), 1);
    EXPECT_EQ (pm.createState ({}), 2);

    pm.setVSTvalue (4, 0.5f);
    pm.setVSTvalue (0, 0.0f);
    pm.restoreState (0);
    EXPECT_EQ (pm.getVSTvalue (4), 0.95f);
    EXPECT_EQ (pm.getNaturalValue (4), -3.0f);
    EXPECT_EQ (pm.getNaturalValue (0), 15000.0f);

    pm.setVSTvalue (4, 0.5f);
    pm.saveState (0);
    pm.setVSTvalue (4, 0.1f);
    pm.restoreState (0);
    EXPECT_EQ (pm.getVSTvalue (4), 0.5f);
    EXPECT_EQ (pm.getNaturalValue (4), -30.0f);

    // Snapshot 1 only covers Resonance.
    pm.setVSTvalue (1, 0.7f);
    pm.restoreState (1);
    EXPECT_EQ (pm.getVSTvalue (1), 0.0f);
    EXPECT_EQ (pm.getVSTvalue (4), 0.5f);
}

TEST (Snapshots, UnknownNumbersAreIgnored)
{
    Skorvane3ParameterManager pm;
    pm.createState ({ 4 });
    pm.setVSTvalue (4, 0.25f);
    pm.restoreState (1);
    pm.restoreState (-1);
    pm.saveState (7);
    pm.saveState (-3);
    EXPECT_EQ (pm.getVSTvalue (4), 0.25f);
    EXPECT_EQ (pm.getParameterCount(), 5);
}
