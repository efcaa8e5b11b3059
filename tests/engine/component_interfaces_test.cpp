// Component interfaces of the bundled reference engines: the stations agree with the reference point the
// generator wrote, and the thrust scale sizes flows and areas only.
#include "engine/component_interfaces.h"
#include "engine/reference_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace vededa {
namespace {

using test::expectNear;

ProjectData loadEngineFile(const std::string& name) {
    ProjectData p = test::freshProject();
    const ReferenceReadResult read = ReadReferenceFile(p, test::dataPath(name));
    EXPECT_TRUE(read.ok) << name << ": " << read.message;
    const int16_t flag = p.engine.referenceUnitFlag;
    p.unitSystem = flag == kEnglish ? kEnglish : kSI;
    setupUnits(p);
    p.engine.referenceUnitFlag = flag;
    return p;
}

const InterfaceStation& station(const std::vector<InterfaceStation>& list, const std::string& name) {
    const auto it =
        std::find_if(list.begin(), list.end(), [&](const InterfaceStation& s) { return s.name == name; });
    EXPECT_NE(it, list.end()) << name;
    return it == list.end() ? list.front() : *it;
}

struct EngineCase {
    const char* file;
    std::vector<std::string> names;
};

class InterfacesOfEveryType : public ::testing::TestWithParam<EngineCase> {};

TEST_P(InterfacesOfEveryType, StationsAgreeWithTheReferencePoint) {
    ProjectData p = loadEngineFile(GetParam().file);
    const auto& r = p.engine.engine.reference;
    const std::vector<InterfaceStation> list = componentInterfaces(p.engine, p.units);

    std::vector<std::string> names;
    for (const auto& s : list) names.push_back(s.name);
    EXPECT_EQ(names, GetParam().names);

    const InterfaceStation& s0 = station(list, " 0");
    const InterfaceStation& s9 = station(list, " 9");
    // The nozzle exit reproduces the reference exit pressure, velocity and area, and the free stream
    // the capture area.
    expectNear(s9.P, r[3] / r[9], 2e-3, "P9");
    expectNear(s9.velocity, r[11] * s0.velocity, 5e-3, "V9");
    expectNear(s0.area, r[42], 2e-3, "A0");
    expectNear(s9.area, r[43], 5e-3, "A9");
    // Mass balance: the exit carries the air less the bleed plus all the fuel.
    const float alpha = r[19];
    const float exit =
        s9.massFlow + (p.engine.setup[kSetupEngineType] == 3 ? station(list, " 9p").massFlow : 0.0f);
    expectNear(exit, r[25] * (1 + r[22] - p.engine.engine.component[26] / (1 + alpha)), 1e-4, "m9");
    if (p.engine.setup[kSetupEngineType] == 4 || p.engine.setup[kSetupEngineType] == 5) {
        expectNear(station(list, " 5p").Pt / station(list, " 5").Pt, r[30], 1e-3, "Pt5'/Pt5");
    }
    for (const auto& s : list) {
        if (s.fuelOnly) continue;
        EXPECT_TRUE(std::isfinite(s.impulse) && s.area > 0 && s.sonicArea <= s.area * 1.0001f) << s.name;
    }
}

TEST_P(InterfacesOfEveryType, ThrustScaleSizesFlowsAndAreasOnly) {
    ProjectData p = loadEngineFile(GetParam().file);
    const std::vector<InterfaceStation> one = componentInterfaces(p.engine, p.units);
    p.engine.thrustScale = 2;
    const std::vector<InterfaceStation> two = componentInterfaces(p.engine, p.units);
    ASSERT_EQ(one.size(), two.size());
    for (std::size_t i = 0; i < one.size(); ++i) {
        const auto& a = one[i];
        const auto& b = two[i];
        expectNear(b.massFlow, 2 * a.massFlow, 1e-6, a.name + " m");
        if (a.fuelOnly) continue;
        expectNear(b.area, 2 * a.area, 1e-6, a.name + " A");
        expectNear(b.sonicArea, 2 * a.sonicArea, 1e-6, a.name + " A*");
        expectNear(b.impulse, 2 * a.impulse, 1e-6, a.name + " I");
        EXPECT_EQ(b.Pt, a.Pt);
        EXPECT_EQ(b.Tt, a.Tt);
        EXPECT_EQ(b.P, a.P);
        EXPECT_EQ(b.mach, a.mach);
        EXPECT_EQ(b.velocity, a.velocity);
    }
}

const std::vector<std::string> kCoreStations = {" 3", " 3a", "MB fuel ", " 4", " 4a ", " 4b ", " 4c", " 5"};

std::vector<std::string> stations(std::vector<std::string> front, std::vector<std::string> back) {
    std::vector<std::string> all = {" 0", " 1", " 2"};
    all.insert(all.end(), front.begin(), front.end());
    all.insert(all.end(), kCoreStations.begin(), kCoreStations.end());
    all.insert(all.end(), back.begin(), back.end());
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    BundledEngines, InterfacesOfEveryType,
    ::testing::Values(EngineCase{"turbojet.REF", stations({}, {" 7", " 8", " 9"})},
                      EngineCase{"turbojet_ab.REF", stations({}, {"AB fuel ", " 7", " 8", " 9"})},
                      EngineCase{"turbofan_hbp.REF",
                                 stations({" 3'", "core", "bypass"}, {" 7", " 8", " 9", " 9p"})},
                      EngineCase{"turbofan_mixed.REF",
                                 stations({" 3'", "core", "bypass"}, {" 5p", " 6", " 7", " 8", " 9"})},
                      EngineCase{"fighter_ab.REF", stations({" 3'", "core", "bypass"},
                                                            {" 5p", " 6", "AB fuel ", " 7", " 8", " 9"})},
                      EngineCase{"turboprop.REF", stations({}, {" 7", " 8", " 9"})},
                      EngineCase{"ramjet.REF", stations({}, {" 7", " 8", " 9"})}));

TEST(ComponentInterfaces, ReportHasTheHeaderAndOneLinePerStation) {
    ProjectData p = loadEngineFile("fighter_ab.REF");
    p.clock.fixedDate = "1/2/2027";
    p.projectPath = "JET.RUZ";
    const std::string text = componentInterfacesReport(p);
    EXPECT_EQ(
        text.rfind("Interface Quantities (Version 1.26)    Date:1/2/2027\r\nFilename: JET.RUZ\r\nEngine File "
                   "Name: ",
                   0),
        0u);
    EXPECT_NE(
        text.find(
            "\r\nThrust Scale Factor =  1.0000\r\nStation   m dot  gamma      Pt    Tt    Press    Mach "
            "Velocity    Area   Area*     I\r\n        (lbm/s)          (psia)   (R)   (psia)          "
            "(ft/s)  (ft^2)  (ft^2)   (lbf)\r\n"),
        std::string::npos);
    const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    EXPECT_EQ(lines, 6 + componentInterfaces(p.engine, p.units).size());
    EXPECT_NE(text.find("\r\nMB fuel "), std::string::npos);
    // A fuel line carries only its mass flow.
    const std::size_t fuel = text.find("AB fuel ");
    EXPECT_EQ(text.find("\r\n", fuel) - fuel, 15u);
}

TEST(ComponentInterfaces, OnlyAPositiveChangedMachIsStored) {
    float stored = 0.5f;
    EXPECT_FALSE(commitInterfaceMach(stored, 0));
    EXPECT_FALSE(commitInterfaceMach(stored, -0.3f));
    EXPECT_FALSE(commitInterfaceMach(stored, 0.5f));
    EXPECT_EQ(stored, 0.5f);
    EXPECT_TRUE(commitInterfaceMach(stored, 0.6f));
    EXPECT_EQ(stored, 0.6f);
}

} // namespace
} // namespace vededa

namespace vededa {
namespace {

TEST(ComponentInterfaces, BrokenGasDataEndsTheTableWithALine) {
    ProjectData p = test::freshProject();
    ASSERT_TRUE(ReadReferenceFile(p, test::dataPath("turbojet.REF")).ok);
    p.engine.engine.component[23] = 1.0f; // gamma_t = 1 has no isentropic relations
    const std::string text = componentInterfacesReport(p);
    EXPECT_NE(text.find("\r\n     Station 4: no finite flow state; check the reference engine data.\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_EQ(text.find("inf"), std::string::npos);
}

} // namespace
} // namespace vededa

namespace vededa {
namespace {

TEST(ComponentInterfaces, SiStationsAreTheEnglishOnesConverted) {
    for (const char* file : {"fighter_ab.REF", "turbofan_hbp.REF", "turboprop.REF"}) {
        ProjectData p = test::freshProject();
        ASSERT_TRUE(ReadReferenceFile(p, test::dataPath(file)).ok);
        setupUnits(p);
        const std::vector<InterfaceStation> english = componentInterfaces(p.engine, p.units);
        p.unitSystem = kSI;
        convertProjectUnits(p);
        setupUnits(p);
        const std::vector<InterfaceStation> si = componentInterfaces(p.engine, p.units);
        ASSERT_EQ(english.size(), si.size());
        for (std::size_t i = 0; i < si.size(); ++i) {
            const auto& e = english[i];
            const auto& s = si[i];
            const std::string at = std::string(file) + e.name;
            test::expectNear(s.massFlow, e.massFlow * 0.45359237, 2e-3, at + " m");
            if (e.fuelOnly) continue;
            test::expectNear(s.Pt, e.Pt * 6894.757, 2e-3, at + " Pt");
            test::expectNear(s.Tt, e.Tt / 1.8, 2e-3, at + " Tt");
            test::expectNear(s.velocity, e.velocity * 0.3048, 3e-3, at + " V");
            test::expectNear(s.area, e.area * 0.09290304, 3e-3, at + " A");
            test::expectNear(s.impulse, e.impulse * 4.448222, 3e-3, at + " I");
        }
    }
}

} // namespace
} // namespace vededa
