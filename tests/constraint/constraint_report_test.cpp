#include "constraint/constraint_report.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vededa {
namespace {

std::vector<std::string> lines(const std::string& page) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = page.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(page.substr(start, end - start));
    EXPECT_EQ(start, page.size()) << "every line ends with CRLF";
    return out;
}

/// A parameter line: 15 blanks, the 30-character label, 5 blanks and the value's report form.
std::string parameterLine(std::string label, const std::string& value) {
    label.resize(30, ' ');
    return std::string(15, ' ') + label + std::string(5, ' ') + value;
}

ProjectData project(const char* type, int16_t thrustModel) {
    ProjectData p = test::freshProject();
    p.clock.fixedDate = "12/8/2026";
    p.projectPath = "data/Vededa.RUZ";
    p.dragModel = 6;
    p.thrustModel = thrustModel;
    p.throttleRatio = 1.07f;
    p.constraintCount = 12;
    p.wsAxis[1] = 20, p.wsAxis[2] = 30, p.wsAxis[3] = 10;
    p.twAxis[1] = 0.4f, p.twAxis[2] = 0.5f, p.twAxis[3] = 0.1f;
    for (auto& c : p.constraints) {
        c.type = type;
        c.p[4] = 900;
        c.p[22] = 0.8f;
    }
    return p;
}

TEST(ConstraintReport, HeadingAndCruisePage) {
    ProjectData p = project("A", 2);
    const auto l = lines(ConstraintCalculation(p, 3));
    ASSERT_EQ(l.size(), 18u);
    EXPECT_EQ(l[0], "          Constraint Analysis (Version 1.26)    Date:12/8/2026");
    EXPECT_EQ(l[1], "          FILE:data/Vededa.RUZ" + std::string(25, ' ') + " Page  3 of  12");
    EXPECT_EQ(l[2], "          CONSTRAINT # 3 : TYPE A - CONSTANT ALTITUDE/SPEED CRUISE");
    EXPECT_EQ(l[3], parameterLine("Beta (weight fraction)", " .95"));
    EXPECT_EQ(l[6], parameterLine("Velocity (ft/s)", " 900"));
    EXPECT_EQ(l[7], "               Mach Number                         .81");
    EXPECT_EQ(l[10], parameterLine("Engine AB (1=ON/0=OFF)", " 1"));
    EXPECT_EQ(l[11], "               ENGINE MODEL # 2     AIRCRAFT MODEL # 6");
    EXPECT_EQ(l[12].substr(0, 23), "               ALPHA = ");
    EXPECT_EQ(l[12].substr(29), "       TR =  1.07");
    EXPECT_EQ(l[13], "");
    EXPECT_EQ(l[14], "                        W/S      CL      CD      T/W");
    EXPECT_EQ(l[15], "                        psf");
    EXPECT_EQ(l[16].substr(0, 29), "                    2.00E+01 ");
    EXPECT_EQ(l[16].size(), 20u + 8 + 1 + 8 + 1 + 8 + 1 + 9);
}

TEST(ConstraintReport, LongFileNameGetsNoPadding) {
    ProjectData p = project("A", 1);
    p.projectPath = std::string(45, 'x');
    const auto l = lines(ConstraintCalculation(p, 1));
    EXPECT_EQ(l[1], "          FILE:" + std::string(45, 'x') + " Page  1 of  12");
}

TEST(ConstraintReport, UserValuesShowTheStoredLapseInsteadOfAlpha) {
    ProjectData p = project("B", 6);
    const std::string page = ConstraintCalculation(p, 1);
    EXPECT_NE(page.find(parameterLine("Engine thrust lapse (Alpha)", " .8") + "\r\n"), std::string::npos);
    EXPECT_EQ(page.find("ALPHA ="), std::string::npos);
}

TEST(ConstraintReport, LandingAndAccelerationPagesHaveNoEngineLines) {
    ProjectData p = project("H", 2);
    p.constraints[1].p[22] = 0;
    std::string page = ConstraintCalculation(p, 1);
    EXPECT_EQ(page.find("ALPHA ="), std::string::npos);
    EXPECT_EQ(page.find("Engine AB"), std::string::npos);
    EXPECT_NE(page.find(parameterLine("Thrust reverser (-Alpha)", " 0") + "\r\n"), std::string::npos);
    EXPECT_NE(page.find("\r\n           4.00E-01 "), std::string::npos)
        << "landing rows start after 11 blanks";
    p.constraints[1].type = "J";
    page = ConstraintCalculation(p, 1);
    EXPECT_EQ(page.find("ALPHA ="), std::string::npos);
    EXPECT_NE(page.find(std::string(15, ' ') + "Initial Velocity (fps) " + std::string(12, ' ') + " 900\r\n"),
              std::string::npos);
    EXPECT_NE(page.find(std::string(15, ' ') + "Acceleration Time (sec)" + std::string(12, ' ') + " 0\r\n"),
              std::string::npos);
}

TEST(ConstraintReport, SiTakeoffColumns) {
    ProjectData p = project("G", 2);
    p.unitSystem = kSI;
    setupUnits(p);
    p.constraints[1].p[3] = 288.15f;
    p.constraints[1].p[10] = 2;
    const auto l = lines(ConstraintCalculation(p, 1));
    const auto head = std::find(l.begin(), l.end(),
                                "           TSL/WTO     WT/S      SG       SR      SOB      SCL      VEL");
    ASSERT_NE(head, l.end());
    EXPECT_EQ(*(head + 1), "                        Pa       m        m        m        m       mps");
    EXPECT_NE(std::find(l.begin(), l.end(), parameterLine("TO obstacle height - hobs (m)", " 50")), l.end());
}

} // namespace
} // namespace vededa
