#include "constraint/constraint_list.h"
#include "constraint/constraint_set.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vededa {
namespace {

ProjectData withConstraints(int count) {
    ProjectData p = test::freshProject();
    for (int i = 1; i <= count; ++i) {
        p.constraints[static_cast<std::size_t>(i)].name = "C" + std::to_string(i);
        p.constraints[static_cast<std::size_t>(i)].p[1] = static_cast<float>(i);
    }
    p.constraintCount = static_cast<int16_t>(count);
    return p;
}

TEST(ConstraintSet, AddRefusals) {
    ProjectData p = withConstraints(30);
    EXPECT_EQ(addConstraint(p, "A - Constant Altitude/Speed Cruise", "x"),
              "You can not have more constraints than the maximum of 30");
    EXPECT_EQ(p.constraintCount, 30);
    p = withConstraints(2);
    EXPECT_EQ(addConstraint(p, "", "named"),
              "You must select a constraint type before clicking the Add button");
    EXPECT_EQ(p.constraintCount, 2);
}

TEST(ConstraintSet, AddOpensTheCurrentSlot) {
    ProjectData p = withConstraints(3);
    p.currentConstraint = 2;
    EXPECT_EQ(addConstraint(p, "C - Constant Altitude/Speed Turn", "Turn"), "");
    ASSERT_EQ(p.constraintCount, 4);
    EXPECT_EQ(p.constraints[3].name, "C2");
    EXPECT_EQ(p.constraints[4].name, "C3");
    EXPECT_EQ(p.constraints[2].name, "Turn");
    EXPECT_EQ(p.constraints[2].type, "C");
    EXPECT_EQ(p.constraints[2].p[1], 2.0f) << "the new constraint starts as a copy of the current one";
}

TEST(ConstraintSet, RemoveMovesRecordsDownAndKeepsTheNumberInRange) {
    ProjectData p = withConstraints(3);
    p.currentConstraint = 1;
    EXPECT_EQ(removeConstraintQuestion(p), "Do you really want to remove constraint # 1?");
    removeConstraint(p);
    EXPECT_EQ(p.constraintCount, 2);
    EXPECT_EQ(p.constraints[1].name, "C2");
    p = withConstraints(3);
    p.currentConstraint = 3;
    removeConstraint(p);
    EXPECT_EQ(p.constraintCount, 2);
    EXPECT_EQ(p.currentConstraint, 2);
    p.currentConstraint = 3;
    EXPECT_EQ(removeConstraintQuestion(p), "") << "nothing to remove beyond the count";
}

TEST(ConstraintSet, NumberChangeAndTypeSelection) {
    ProjectData p = withConstraints(3);
    EXPECT_TRUE(editConstraintNumber(p, "4"));
    EXPECT_EQ(p.currentConstraint, 4);
    EXPECT_FALSE(editConstraintNumber(p, "5"));
    EXPECT_FALSE(editConstraintNumber(p, "x"));
    changeConstraint(p, "2", "Renamed", "E - Service Ceiling");
    EXPECT_EQ(p.currentConstraint, 2);
    EXPECT_EQ(p.constraints[2].name, "Renamed");
    EXPECT_EQ(p.constraints[2].type, "E");
    EXPECT_TRUE(selectConstraintType(p, "2", "J - Acceleration Time"));
    EXPECT_EQ(p.constraints[2].type, "J");
    EXPECT_FALSE(selectConstraintType(p, "2", "J - Acceleration Time"));
    EXPECT_TRUE(editPlotLineWidth(p, "3.9"));
    EXPECT_EQ(p.plotLineWidth, 3);
    EXPECT_FALSE(editPlotLineWidth(p, "5"));
}

TEST(ConstraintSet, RowsFollowTypeAndThrustModel) {
    ProjectData p = withConstraints(1);
    p.thrustModel = 2;
    Constraint& c = p.constraints[1];
    c.type = "J";
    std::vector<ConstraintRow> rows = constraintRows(p, c);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[4].kind, ConstraintRowKind::InitialMach);
    EXPECT_EQ(rows[6].kind, ConstraintRowKind::FinalMach);
    EXPECT_EQ(rows[7].label, "Acceleration Time (sec)");
    EXPECT_EQ(rows[10].parameter, 23);
    c.type = "I";
    rows = constraintRows(p, c);
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[12].label.substr(0, 24), "Thrust reverser (-Alpha)");
    p.thrustModel = 1;
    c.type = "A";
    EXPECT_EQ(constraintRows(p, c).size(), 7u) << "no engine row for thrust model 1";
    p.thrustModel = 6;
    rows = constraintRows(p, c);
    EXPECT_EQ(rows.back().parameter, 22);
}

TEST(ConstraintSet, LinkedEdits) {
    ProjectData p = withConstraints(1);
    p.thrustModel = 2;
    p.currentConstraint = 1;
    Constraint& c = p.constraints[1];
    c.type = "A";
    c.p[3] = 518.69f;
    EXPECT_TRUE(editConstraintRow(p, 5, "0.8")); // Mach row
    EXPECT_FLOAT_EQ(c.p[4], 0.8f * 1116.4f);
    const float ab = c.p[23];
    EXPECT_FALSE(editConstraintRow(p, 8, "2")) << "the AB row takes only 0 or 1";
    EXPECT_EQ(c.p[23], ab);
    EXPECT_TRUE(editConstraintRow(p, 8, "0"));
    EXPECT_EQ(c.p[23], 0.0f);
    c.type = "B";
    EXPECT_TRUE(editConstraintRow(p, 2, "36000"));
    EXPECT_FLOAT_EQ(c.p[2], 36000.0f);
    EXPECT_FLOAT_EQ(c.p[3], 390.5f) << "standard temperature at the new altitude";
    p.currentConstraint = 2;
    EXPECT_FALSE(editConstraintRow(p, 1, "0.5")) << "beyond the count nothing is stored";
}

TEST(ConstraintSet, CalculateChecksTheIncrements) {
    ProjectData p = withConstraints(1);
    p.wsAxis[1] = 0, p.wsAxis[2] = 1000, p.wsAxis[3] = 10;
    p.twAxis[1] = 0, p.twAxis[2] = 2, p.twAxis[3] = 0.1f;
    EXPECT_EQ(constraintCalculateCheck(p),
              "You require  100 wing loading increments.  The maximum number is 50.");
    p.wsAxis[2] = 500;
    p.twAxis[3] = 0.01f;
    EXPECT_EQ(constraintCalculateCheck(p).substr(0, 40), "You require  200 thrust loading incremen");
    p.twAxis[3] = 0.1f;
    EXPECT_EQ(constraintCalculateCheck(p), "");
    p.twAxis[3] = 0;
    EXPECT_NE(constraintCalculateCheck(p), "") << "a zero increment is refused";
}

TEST(ConstraintSet, ListLine) {
    Constraint c;
    c.type = "C";
    c.name = "Turn";
    EXPECT_EQ(constraintListLine(12, c), " 12    C     Turn"); // the type stays in its column past row 9
    EXPECT_EQ(constraintListLine(3, c), " 3     C     Turn");
}

} // namespace
} // namespace vededa
