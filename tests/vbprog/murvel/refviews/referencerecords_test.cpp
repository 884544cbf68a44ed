#include "vbprog/murvel/refviews/referencerecords.h"

#include <gtest/gtest.h>

namespace
{

TEST(FaceNameOfCode, ACodeWithoutTypefaceFallsBack)
{
    std::array<QString, FaceCodeCount> faces;
    faces[0] = "標楷體";
    faces[1] = "標楷體外字集一";
    faces[15] = "Ombrel金文";
    EXPECT_EQ(FaceNameOfCode(faces, 1, "F"), "標楷體外字集一");
    EXPECT_EQ(FaceNameOfCode(faces, qlonglong(15), "F"), "Ombrel金文");
    EXPECT_EQ(FaceNameOfCode(faces, QVariant(), "F"), "F");         // Null
    EXPECT_EQ(FaceNameOfCode(faces, 21, "F"), "F");                 // past 20
    EXPECT_EQ(FaceNameOfCode(faces, -1, "F"), "F");                 // below 0
    EXPECT_EQ(FaceNameOfCode(faces, 2, "F"), "F");                  // an empty entry
    EXPECT_EQ(FaceNameOfCode(faces, "x", "F"), "F");                // no number
    EXPECT_EQ(FaceNameOfCode(faces, qlonglong(1) << 32, "F"), "F"); // not narrowed onto 0
}

} // namespace
