// The sample page in examples/: the committed work file is the one that its
// generator writes, and it reads back as the page it shows.
#include "examples/samplepage.h"
#include "files/workfilecodec.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

std::string committedSample() {
    std::ifstream in(ZANOR_SAMPLE_FILE, std::ios::binary);
    EXPECT_TRUE(in) << "cannot read " << ZANOR_SAMPLE_FILE;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SamplePage : public ::testing::Test {
protected:
    void TearDown() override { restoreSnapshot(before_); }

private:
    DocumentSnapshot before_ = takeSnapshot();
};

TEST_F(SamplePage, TheCommittedFileIsWhatTheGeneratorWrites) {
    buildSamplePage();
    EXPECT_EQ(committedSample(), encodeWorkFile()) << "run scripts/make-sample";
}

TEST_F(SamplePage, TheCommittedFileReadsAsFourWinterMonths) {
    WorkFileContents contents;
    ASSERT_EQ(readWorkFile(committedSample(), contents), WorkFileStatus::read);
    EXPECT_EQ(contents.page.firstMonth, 12);
    EXPECT_EQ(contents.page.firstYear, 2027);
    EXPECT_EQ(contents.records, 31u + 31u + 29u + 31u);  // February 2028 has a 29th
    EXPECT_EQ(contents.skipped, 0u);

    std::set<int> alignments;
    int32_t styles = 0;
    for (const DayCell& cell : contents.cells) {
        if (cell.text[0] == '\0') continue;
        alignments.insert(cell.alignment);
        styles |= fontStyleWord(cell.bold, cell.italic, cell.underline, cell.strikeout, cell.leading);
    }
    EXPECT_EQ(alignments, (std::set<int>{alignLeft, alignRight, alignCentre, alignJustified}));
    EXPECT_EQ(styles, styleBold | styleItalic | styleUnderline | styleStrikeout | styleLeading);
}

}  // namespace
