#include "catalog_builder/inverter_art.h"

#include <QImage>

#include <gtest/gtest.h>

namespace tarvel::tools {
namespace {

const char* const kGroups[] = {"G1", "G2", "G3", "G4", "G5", "G6", "none"};

TEST(InverterArt, EveryGroupGivesADecodableJpegOfItsSize) {
    for (const char* group : kGroups) {
        const QByteArray jpeg = renderInverterJpeg(QStringLiteral("KT5000-S"), QString::fromLatin1(group));
        ASSERT_TRUE(jpeg.startsWith("\xFF\xD8")) << group;
        const QImage image = QImage::fromData(jpeg, "JPG");
        ASSERT_FALSE(image.isNull()) << group;
        EXPECT_EQ(image.size(), inverterPictureSize(QString::fromLatin1(group))) << group;
        // A plain light background around the body.
        EXPECT_GT(qGray(image.pixel(1, 1)), 235) << group;
    }
}

TEST(InverterArt, TheSameModelGivesTheSameBytesAndAnotherNameAnotherPicture) {
    const QByteArray first = renderInverterJpeg(QStringLiteral("KT8000-T"), QStringLiteral("G4"));
    EXPECT_EQ(renderInverterJpeg(QStringLiteral("KT8000-T"), QStringLiteral("G4")), first);
    EXPECT_NE(renderInverterJpeg(QStringLiteral("KT8000-TL"), QStringLiteral("G4")), first);
}

TEST(InverterArt, AnUnknownGroupIsRefused) {
    EXPECT_THROW(renderInverterJpeg(QStringLiteral("KT1"), QStringLiteral("g1")), std::exception);
    EXPECT_THROW(inverterPictureSize(QStringLiteral("G7")), std::exception);
}

} // namespace
} // namespace tarvel::tools
