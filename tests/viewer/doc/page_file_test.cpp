#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "doc_test_support.h"
#include "page_file.h"

using namespace viewer;
using namespace kvtest;

namespace {
std::vector<char> pageOf(char fill) { return std::vector<char>(kPageSize, fill); }
}  // namespace

TEST(PageStoreAllocation, FreedPagesComeBackLowestFirst) {
    PageStore p;
    CollectSink sink;
    p.setMessageSink(&sink);
    std::vector<unsigned> got;
    for (int i = 0; i < 6; ++i) got.push_back(p.allocate());
    EXPECT_EQ(got, (std::vector<unsigned>{0, 1, 2, 3, 4, 5}));
    p.free(4);
    p.free(1);
    p.free(3);
    EXPECT_EQ(p.allocate(), 1u);
    EXPECT_EQ(p.allocate(), 3u);
    EXPECT_EQ(p.allocate(), 4u);
    EXPECT_EQ(p.allocate(), 6u);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(PageStoreAllocation, FreeListHolds150AndForgetsTheRest) {
    PageStore p;
    CollectSink sink;
    p.setMessageSink(&sink);
    for (int i = 0; i < 200; ++i) p.allocate();
    for (int i = 199; i >= 0; --i) p.free(unsigned(i));
    EXPECT_EQ(p.freeCount(), 150);
    EXPECT_EQ(p.forgotten(), 50);
    // The list kept the pages freed first (the high ones), in ascending order.
    EXPECT_EQ(p.freePage(0), 50u);
    EXPECT_EQ(p.freePage(149), 199u);
    EXPECT_EQ(p.fileEnd(), 200u * kPageSize);
}

TEST(PageStoreTransfers, ExactPagesRoundTrip) {
    PageStore p;
    CollectSink sink;
    p.setMessageSink(&sink);
    unsigned a = p.allocate(), b = p.allocate();
    auto pa = pageOf('a'), pb = pageOf('b');
    pa[kPageSize - 1] = 'z';
    ASSERT_TRUE(p.write(b, pb.data()));
    ASSERT_TRUE(p.write(a, pa.data()));
    std::vector<char> back(kPageSize);
    ASSERT_TRUE(p.read(a, back.data()));
    EXPECT_EQ(back, pa);
    ASSERT_TRUE(p.read(b, back.data()));
    EXPECT_EQ(back, pb);
    WIN32_FILE_ATTRIBUTE_DATA d;
    ASSERT_TRUE(GetFileAttributesExA(p.fileName(), GetFileExInfoStandard, &d));
    EXPECT_EQ(d.nFileSizeLow, 2u * kPageSize);
    EXPECT_EQ(p.reads(), 2u);
    EXPECT_EQ(p.writes(), 2u);
    std::string name = p.fileName();
    p.release();
    EXPECT_EQ(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(PageStoreTransfers, ReadingPastTheEndIsAnError) {
    PageStore p;
    CollectSink sink;
    p.setMessageSink(&sink);
    unsigned a = p.allocate();
    std::vector<char> back(kPageSize);
    EXPECT_FALSE(p.read(a, back.data()));  // never written: the file is empty
    EXPECT_FALSE(p.read(a, back.data()));
    ASSERT_EQ(sink.messages.size(), 1u);  // reported once
    EXPECT_NE(sink.messages[0].find("テンポラリファイルの読み込みに失敗しました"), std::string::npos);
    EXPECT_TRUE(p.errorReported());
    p.clearError();
    EXPECT_FALSE(p.read(a, back.data()));
    EXPECT_EQ(sink.messages.size(), 2u);
}

TEST(PageStorePool, SlotsFirstThenTheFile) {
    PageStore p;
    CollectSink sink;
    p.setMessageSink(&sink);
    p.setUsePool(true);
    unsigned a = p.allocate();
    EXPECT_EQ(a, kFirstPoolPage);
    EXPECT_EQ(p.poolSlots(), 32);
    auto pa = pageOf('q');
    ASSERT_TRUE(p.write(a, pa.data()));
    std::vector<char> back(kPageSize);
    ASSERT_TRUE(p.read(a, back.data()));
    EXPECT_EQ(back, pa);
    for (int i = 1; i < 40; ++i) p.allocate();
    EXPECT_EQ(p.poolSlots(), 64);
    EXPECT_EQ(p.poolInUse(), 40);
    p.free(a);
    EXPECT_EQ(p.poolInUse(), 39);
    EXPECT_EQ(p.allocate(), kFirstPoolPage);
    EXPECT_EQ(p.fileEnd(), 0u);
}

TEST(PageStorePool, SizedByTheFileBeingLoaded) {
    PageStore p;
    p.setUsePool(true);
    p.setFileSizeHint(1000000);
    p.allocate();
    EXPECT_EQ(p.poolSlots(), 1000000 / kPageSize);
    PageStore q;
    q.setUsePool(true);
    q.setFileSizeHint(200000);  // up to 256 KB: the first 32
    q.allocate();
    EXPECT_EQ(q.poolSlots(), 32);
}

TEST(PageStoreAllocation, SizeLimitIsReportedOnceAndRefused) {
    PageStore p;
    CollectSink sink;
    p.setMessageSink(&sink);
    p.allocate();  // creates the file
    p.setFileEnd(kPageFileLimit - kPageSize);
    EXPECT_EQ(p.allocate(), kFirstPoolPage - 1);  // the last page-file page, 0xDFFF
    EXPECT_EQ(p.allocate(), kNoPage);
    EXPECT_EQ(p.allocate(), kNoPage);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_STREQ(sink.messages[0].c_str(), docText(kTextPageFileFull));
    EXPECT_TRUE(p.errorReported());
    // A freed page can still be handed out.
    p.free(7);
    EXPECT_EQ(p.allocate(), 7u);
    p.setFileEnd(0);
}
