// Looking at a drive: the medium, the drive's types and whether it can be had, as the devices tell them.
#include "converter/actions/drive_inspection.h"
#include "action_fixture.h"
#include "media_types.h"

namespace converter::actions::testing {
namespace {

std::vector<int32_t> typesOf(const DriveFacts& facts) {
    std::vector<int32_t> out;
    for (const DiskGeometry& g : facts.types) out.push_back(g.mediaType);
    return out;
}

class DriveInspectionTest : public ActionTest {};

TEST_F(DriveInspectionTest, WhatEachDriveTells) {
    struct Row {
        const char* scenario;
        const char* line;
        int number;
        Failure failure;
        int code;
        int32_t medium;  // -1: none known
        std::vector<int32_t> types;
        std::vector<std::string> releases;
    } rows[] = {
        {"1.44M:blank=720K",
         "",
         1,
         Failure::None,
         0,
         F3_720_512,
         {F3_1Pt44_512, F3_720_512},
         {"unlock", "close"}},
        {"1.2M:none",
         "",
         1,
         Failure::None,
         0,
         -1,
         {F5_1Pt2_512, F5_360_512, F5_320_512, F5_320_1024, F5_180_512, F5_160_512},
         {"unlock", "close"}},
        {"1.44M:unformatted", "nt", 1, Failure::None, 0, -1, {F3_1Pt44_512, F3_720_512}, {"unlock", "close"}},
        {"1.44M:blank", "9x", 1, Failure::None, 0, F3_1Pt44_512, {}, {"unlock", "close"}},
        {"720K:blank:locked",
         "",
         1,
         Failure::DriveLocked,
         static_cast<int>(ERROR_ACCESS_DENIED),
         F3_720_512,
         {F3_720_512},
         {"close"}},
        {"1.44M:blank", "", 2, Failure::DriveNotOpened, static_cast<int>(ERROR_FILE_NOT_FOUND), -1, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.scenario) + " " + row.line);
        attach(row.scenario, row.line);
        const DriveInspection look = inspectDrive(*counting, row.number);
        EXPECT_EQ(look.failure, row.failure);
        EXPECT_EQ(look.code, row.code);
        EXPECT_EQ(look.facts.medium ? look.facts.medium->mediaType : -1, row.medium);
        EXPECT_EQ(typesOf(look.facts), row.types);
        EXPECT_FALSE(look.diagnosis);
        EXPECT_EQ(counting->releases(), row.releases) << "nothing dismounted: the medium was only looked at";
    }
}

TEST_F(DriveInspectionTest, TheDiagnosisReplacesTheGeometryQuery) {
    attach("1.44M:blank", "9x");
    const DriveInspection look = inspectDrive(*counting, 1, 1);
    ASSERT_TRUE(look.diagnosis);
    EXPECT_NE(look.diagnosis->find("W95-devTyp: "), std::string::npos) << *look.diagnosis;
    ASSERT_TRUE(look.facts.medium);
    EXPECT_EQ(look.facts.medium->mediaType, F3_1Pt44_512);
    EXPECT_EQ(std::count(counting->calls.begin(), counting->calls.end(), "geometry"), 0);
}

}  // namespace
}  // namespace converter::actions::testing
