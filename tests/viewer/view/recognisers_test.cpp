// Web and mail addresses in Shift-JIS text, and the coloured runs of a row.
#include "recognisers.h"
#include "colour_runs.h"
#include "attributes.h"
#include <gtest/gtest.h>
#include <cstring>

using namespace viewer;

namespace {
std::vector<LinkSpan> web(const char* s) {
    return findWebAddresses(reinterpret_cast<const unsigned char*>(s), int(std::strlen(s)));
}
std::vector<LinkSpan> mail(const char* s) {
    return findMailAddresses(reinterpret_cast<const unsigned char*>(s), int(std::strlen(s)));
}
}  // namespace

TEST(WebAddress, PlainAddressStopsAtNonUrlCharacter) {
    auto v = web("see http://example.com/a?b=1 now");
    ASSERT_EQ(1u, v.size());
    EXPECT_EQ(4, v[0].start);
    EXPECT_EQ(28, v[0].end);
    EXPECT_EQ(kWebLink, v[0].kind);
}

TEST(WebAddress, AllSchemes) {
    for (const char* s : {"http://a", "https://a", "ftp://a", "nntp://a", "news:a", "file://a", "telnet://a"})
        EXPECT_EQ(1u, web(s).size()) << s;
    EXPECT_TRUE(web("gopher://a").empty());
    EXPECT_TRUE(web("mailto:a").empty());
}

TEST(WebAddress, SchemeAfterLetterIsNotAnAddress) {
    EXPECT_TRUE(web("xhttp://example.com").empty());
    EXPECT_TRUE(web("1http://example.com").empty());
    EXPECT_TRUE(web("_http://example.com").empty());
}

TEST(WebAddress, SchemeAfterDoubleByteCharacterIsAnAddress) {
    // "ア" is 0x83 0x41: its second byte is the letter 'A'.
    auto v = web("アhttp://example.jp/");
    ASSERT_EQ(1u, v.size());
    EXPECT_EQ(2, v[0].start);
    auto w = web("詳細はhttp://example.jp/を");
    ASSERT_EQ(1u, w.size());
    EXPECT_EQ(6, w[0].start);
    EXPECT_EQ(6 + 18, w[0].end);  // stops at the double-byte character after it
}

TEST(MailAddress, NeedsDotAfterAt) {
    EXPECT_TRUE(mail("user@localhost").empty());
    auto v = mail("to: user.name@example.co.jp.");
    ASSERT_EQ(1u, v.size());
    EXPECT_EQ(4, v[0].start);
    EXPECT_EQ(kMailLink, v[0].kind);
}

TEST(MailAddress, AtAtEdgesOrAloneIsNothing) {
    EXPECT_TRUE(mail("@a.b").empty());
    EXPECT_TRUE(mail("a.b@").empty());
    EXPECT_TRUE(mail("a @ b.c").empty());
}

TEST(MailAddress, StartOnSecondByteMovesRight) {
    // 0x83 0x41 then "a@b.c": the scan left stops on the trail byte 'A', which is not taken.
    auto v = mail("アa@b.c");
    ASSERT_EQ(1u, v.size());
    EXPECT_EQ(2, v[0].start);
    EXPECT_EQ(7, v[0].end);
}

TEST(MailAddress, AtAsSecondByteIsNotAnAddress) {
    // 0x83 0x40 is "ァ": its second byte is '@'.
    EXPECT_TRUE(mail("xァy.z").empty());
}

namespace {
std::vector<ColourRun> runsOf(const char* s, int selFrom = 0, int selTo = 0, bool eof = false) {
    static std::vector<LinkSpan> links;
    auto t = reinterpret_cast<const unsigned char*>(s);
    int n = int(std::strlen(s));
    links = findAddresses(t, eof ? n - 5 : n);
    RowRunInput in;
    in.text = t;
    in.length = n;
    in.eofRow = eof;
    in.links = &links;
    in.selStart = selFrom;
    in.selEnd = selTo;
    return buildColourRuns(in);
}
}  // namespace

TEST(ColourRuns, MailInsideWebAddressWinsByPriority) {
    auto r = runsOf("ftp://u@h.jp");
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(unsigned(kAttrWebAddress) | kRunWebLink, r[0].attr);
    bool mailSeen = false;
    for (auto& run : r)
        if ((run.attr & kRunAttrMask) == kAttrMailAddress) {
            mailSeen = true;
            EXPECT_TRUE(run.attr & kRunWebLink);  // link flags are combined
            EXPECT_TRUE(run.attr & kRunMailLink);
        }
    EXPECT_TRUE(mailSeen);
}

TEST(ColourRuns, EofMarkAndControlBytes) {
    auto r = runsOf("a\x01\x1b[EOF]", 0, 0, true);
    ASSERT_EQ(4u, r.size());
    EXPECT_EQ(kAttrNormal, r[0].attr);
    EXPECT_TRUE(r[1].attr & kRunControl);
    EXPECT_TRUE(r[2].attr & kRunControl);
    EXPECT_EQ(1, r[2].length);
    EXPECT_EQ(3, r[3].start);
    EXPECT_EQ(5, r[3].length);
    EXPECT_EQ(unsigned(kAttrLineEnd), r[3].attr);
}

TEST(ColourRuns, TabWithFillIsOneRunAndSelectionSplits) {
    const char row[] = {'x', 9, 0, 0, 0, 0, 0, 0, 'y', 'z', 0};
    auto t = reinterpret_cast<const unsigned char*>(row);
    RowRunInput in;
    in.text = t;
    in.length = 10;
    in.selStart = 9;
    in.selEnd = 10;
    auto r = buildColourRuns(in);
    ASSERT_EQ(4u, r.size());
    EXPECT_TRUE(r[1].attr & kRunTab);
    EXPECT_EQ(7, r[1].length);
    EXPECT_EQ(8, r[2].start);
    EXPECT_FALSE(r[2].attr & kRunSelected);
    EXPECT_TRUE(r[3].attr & kRunSelected);
    int total = 0;
    for (auto& run : r) total += run.length;
    EXPECT_EQ(10, total);
}

TEST(Attributes, PriorityOrder) {
    EXPECT_LT(attributePriority(kAttrNormal), attributePriority(kAttrHighlight1));
    EXPECT_LT(attributePriority(kAttrWebAddress), attributePriority(kAttrMailAddress));
    EXPECT_LT(attributePriority(kAttrMailAddress), attributePriority(kAttrFileName));
    EXPECT_EQ(16, attributePriority(kAttrSpecial2));
}
