#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using corvale::Decode;
using corvale::DetectEncoding;
using corvale::Encode;
using corvale::Encoding;

struct DetectCase {
    const char* name;
    std::string bytes;
    Encoding expected;
};

class DetectEncodingTest : public testing::TestWithParam<DetectCase> {};

TEST_P(DetectEncodingTest, Detects) {
    EXPECT_EQ(DetectEncoding(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DetectEncodingTest,
    testing::Values(DetectCase{"Empty", "", Encoding::Utf8},
                    DetectCase{"Ascii", "abc\t1\r\n", Encoding::Utf8},
                    DetectCase{"TwoByte", "caf\xc3\xa9", Encoding::Utf8},
                    DetectCase{"ThreeByte", "\xe2\x82\xac", Encoding::Utf8},
                    DetectCase{"FourByte", "\xf0\x9f\x98\x80", Encoding::Utf8},
                    DetectCase{"HighestCodePoint", "\xf4\x8f\xbf\xbf", Encoding::Utf8},
                    DetectCase{"Latin1Byte", "caf\xe9", Encoding::Windows1252},
                    DetectCase{"Windows1252Quotes", "\x93quoted\x94", Encoding::Windows1252},
                    DetectCase{"StrayContinuation", "a\x80", Encoding::Windows1252},
                    DetectCase{"CutShortAtEnd", "a\xc3", Encoding::Windows1252},
                    DetectCase{"CutShortFourByte", "\xf0\x9f\x98", Encoding::Windows1252},
                    DetectCase{"OverlongTwoByte", "\xc0\xaf", Encoding::Windows1252},
                    DetectCase{"OverlongThreeByte", "\xe0\x80\xaf", Encoding::Windows1252},
                    DetectCase{"OverlongFourByte", "\xf0\x80\x80\xaf", Encoding::Windows1252},
                    DetectCase{"Surrogate", "\xed\xa0\x80", Encoding::Windows1252},
                    DetectCase{"BeyondUnicode", "\xf4\x90\x80\x80", Encoding::Windows1252},
                    DetectCase{"LeadByteF5", "\xf5\x80\x80\x80", Encoding::Windows1252},
                    DetectCase{"BadLaterContinuation", "\xe2\x82\x41", Encoding::Windows1252},
                    DetectCase{"ValidThenBadLater", "\xc3\xa9 ok \xe9", Encoding::Windows1252}),
    [](const auto& info) { return info.param.name; });

TEST(DecodeTest, Utf8) {
    EXPECT_EQ(Decode("caf\xc3\xa9", Encoding::Utf8), QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_EQ(Decode("", Encoding::Utf8), QString());
}

TEST(DecodeTest, Windows1252SpecialRange) {
    EXPECT_EQ(Decode("\x80", Encoding::Windows1252), QString(QChar(0x20AC)));
    EXPECT_EQ(Decode("\x93x\x94", Encoding::Windows1252),
              QString(QChar(0x201C)) + "x" + QString(QChar(0x201D)));
    EXPECT_EQ(Decode("\xe9", Encoding::Windows1252), QString(QChar(0xE9)));
}

TEST(EncodeTest, EveryWindows1252ByteSurvivesDecodeAndEncode) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(Encode(Decode(all, Encoding::Windows1252), Encoding::Windows1252), all);
}

TEST(EncodeTest, Utf8RoundTrip) {
    const std::string text = "Tyger \xe2\x80\x94 caf\xc3\xa9 \xf0\x9f\x98\x80";
    EXPECT_EQ(Encode(Decode(text, Encoding::Utf8), Encoding::Utf8), text);
}

TEST(EncodeTest, UnmappableCharactersBecomeQuestionMarks) {
    const QString text = QString::fromUtf8(
        "a\xe2\x82\xac"
        "b\xe4\xb8\xad"
        "c\xf0\x9f\x98\x80"
        "d");
    EXPECT_EQ(Encode(text, Encoding::Windows1252),
              "a\x80"
              "b?c?d");
}

TEST(EncodeTest, RealSubstituteCharacterIsKept) {
    const QString text = QString(QChar(0x1A)) + QString::fromUtf8("\xe4\xb8\xad");
    EXPECT_EQ(Encode(text, Encoding::Windows1252), "\x1a?");
}

TEST(EncodeTest, LoneSurrogateBecomesQuestionMark) {
    const QString text = QString("x") + QChar(0xD800) + QString("y");
    EXPECT_EQ(Encode(text, Encoding::Windows1252), "x?y");
}

}  // namespace

namespace {

struct PathCase {
    const char* name;
    std::string bytes;
    qsizetype escaped;  // characters that stand for a byte of no valid sequence
};

class PathBytesTest : public testing::TestWithParam<PathCase> {};

// A path given as bytes comes back byte for byte, whatever is not UTF-8 in it.
TEST_P(PathBytesTest, RoundTripsEveryByte) {
    const QString path = corvale::PathFromBytes(GetParam().bytes);
    EXPECT_EQ(corvale::PathBytes(path), GetParam().bytes);
    EXPECT_EQ(
        std::count_if(path.begin(), path.end(), [](QChar c) { return c.isLowSurrogate(); }) -
            std::count_if(path.begin(), path.end(), [](QChar c) { return c.isHighSurrogate(); }),
        GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathBytesTest,
    testing::Values(PathCase{"Utf8", "/poems/caf\xc3\xa9/\xf0\x9d\x90\x9a.txt", 0},
                    PathCase{"Windows1252Byte", "/poems/caf\xe9.txt", 1},
                    PathCase{"CutShortSequenceAtTheEnd", "ode\xe2\x82", 2},
                    PathCase{"OverlongSlashIsNoSlash",
                             "a\xc0\xaf"
                             "b",
                             2},
                    PathCase{"EncodedSurrogateIsNoCharacter", "\xed\xa0\x80", 3}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
