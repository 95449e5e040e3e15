#include "engine/link_params.h"
#include "engine/param_table.h"

#include <gtest/gtest.h>

#include <string>

namespace tarsel {
namespace {

struct DefaultRow {
    int field;
    double value;
    double lo;
    double hi;
};

TEST(LinkParams, DefaultsAndBounds) {
    const LinkParams p;
    // clang-format off
    const DefaultRow rows[] = {
        // field        default  lo        hi
        {FieldPt,       -10,     -300,     120},    // Pt
        {FieldFcent,    2.45e9,  0,        DblMax}, // fcent
        {FieldGt,       0,       -300,     120},    // Gt
        {FieldGr,       6,       -300,     120},    // Gr
        {FieldRange,    100,     0,        DblMax}, // Range
        {FieldNf,       6,       0,        120},    // Nf
        {FieldBw,       1e6,     0,        1e12},   // Bw
        {FieldMf,       20,      0,        120},    // Mf
        {FieldTemp,     290,     -273.15,  1e6},    // Temp: below 0 K accepted
        {FieldSn,       16,      -120,     120},    // Sn
        {FieldIpInt,    5,       -120,     120},    // IpInt
        {FieldX12s,     50,      0,        DblMax}, // X12s: half the range
        {FieldX23s,     50,      0,        DblMax}, // X23s: half the range
        {FieldRhill,    0.05,    0,        DblMax}, // Rhill
        {FieldY01s,     2,       -DblMax,  DblMax}, // y01s
        {FieldY02s,     0,       -DblMax,  DblMax}, // y02s
        {FieldY03s,     2,       -DblMax,  DblMax}, // y03s
        {FieldPropLaw,  2,       -20,      20},     // PropLaw
        {FieldBl,       0,       0,        120},    // Bl
    };                                   // parameter table
    // clang-format on
    for (const auto& r : rows) {
        const RangedValue* v = paramForField(p, r.field);
        ASSERT_NE(v, nullptr) << r.field;
        EXPECT_EQ(v->value, r.value) << r.field;
        EXPECT_EQ(v->lo, r.lo) << r.field;
        EXPECT_EQ(v->hi, r.hi) << r.field;
        const FieldInfo& info = fieldTable()[static_cast<std::size_t>(r.field)];
        EXPECT_EQ(info.lo, r.lo) << info.key;
        EXPECT_EQ(info.hi, r.hi) << info.key;
    }
    EXPECT_EQ(p.XColWid.value, 13);
    EXPECT_EQ(p.XColWid.lo, 10);
    EXPECT_EQ(p.XColWid.hi, 20);
    EXPECT_EQ(p.nHillType, 0);
    EXPECT_EQ(p.bDiffract, 0);
}

TEST(LinkParams, FieldIndexOutsideTheInputsDesignatesNothing) {
    LinkParams p;
    for (int index : {-1, FieldCount, 19, 1000}) {
        EXPECT_EQ(paramForField(p, index), nullptr) << index;
    }
    EXPECT_EQ(paramForField(p, 0), &p.Pt);
    EXPECT_EQ(paramForField(p, 18), &p.Bl);
}

TEST(LinkParams, FieldTableKeysFollowFieldIndex) {
    const char* keys[] = {"Pt",   "fcent", "Gt",   "Gr",      "Range", "Nf",   "Bw",
                          "Mf",   "Temp",  "Sn",   "IpInt",   "X12s",  "X23s", "Rhill",
                          "y01s", "y02s",  "y03s", "PropLaw", "Bl"}; // parameter table order
    for (int i = 0; i < FieldCount; ++i) {
        EXPECT_EQ(fieldTable()[static_cast<std::size_t>(i)].key, keys[i]) << i;
    }
}

struct RescaleRow {
    double oldX12, oldX23, range;
    double x12, x23;
};

TEST(LinkParams, RangeAcceptedRescalesDistances) {
    // clang-format off
    const RescaleRow rows[] = {
        // X12    X23     Range   X12s    X23s    (X12, X23: before the change)
        {50,     150,    300,    75,     225},   // coupling rule example
        {50,     50,     100,    50,     50},    // same range accepted again
        {0,      100,    40,     0,      40},    // obstruction at the Tx
        {0,      0,      100,    50,     50},    // no ratio to keep: split equally
        {0,      0,      0,      0,      0},     // nothing to split
        {1e308,  1e308,  1e308,  5e307,  5e307}, // old sum overflows a double
    };
    // clang-format on
    for (const auto& r : rows) {
        LinkParams p;
        p.X12s.value = r.oldX12;
        p.X23s.value = r.oldX23;
        p.Range.value = r.range;
        rescaleDistancesToRange(p, r.oldX12, r.oldX23);
        EXPECT_DOUBLE_EQ(p.X12s.value, r.x12) << r.oldX12 << " " << r.oldX23;
        EXPECT_DOUBLE_EQ(p.X23s.value, r.x23) << r.oldX12 << " " << r.oldX23;
        EXPECT_DOUBLE_EQ(p.X12s.value + p.X23s.value, r.range);
    }
}

TEST(LinkParams, DistanceAcceptedSetsRange) {
    LinkParams p;
    p.X23s.value = 70;
    rangeFromDistances(p);
    EXPECT_EQ(p.Range.value, 120); // coupling rule example
}

} // namespace
} // namespace tarsel
