#include <gtest/gtest.h>

#include "core/controls/controls.h"
#include "qt/window_fixture.h"

namespace {

using testsupport::WindowTest;

struct StoredTextRow {
    const char* name;
    std::string stored;
    bool userAppendsSlash;
    std::string shown;
    std::string storedByQuit;
};

// A REGEDIT4 export from Windows holds Windows-1252; only what the user changed becomes UTF-8.
TEST_F(WindowTest, AFolderIsStoredBackAsItWasReadUnlessTheUserEditedIt) {
    // clang-format off
    const StoredTextRow rows[] = {
        {.name = "Windows-1252, as read", .stored = "/sd/\xD6sterreich", .userAppendsSlash = false,
         .shown = "/sd/Österreich", .storedByQuit = "/sd/\xD6sterreich"},
        {.name = "Windows-1252, edited", .stored = "/sd/\xD6sterreich", .userAppendsSlash = true,
         .shown = "/sd/Österreich/", .storedByQuit = "/sd/\xC3\x96sterreich/"},
        {.name = "UTF-8, as read", .stored = "/sd/\xC3\x96sterreich", .userAppendsSlash = false,
         .shown = "/sd/Österreich", .storedByQuit = "/sd/\xC3\x96sterreich"},
    };
    // clang-format on
    for (const auto& row : rows) {
        StartAfresh();
        StoreFolders("/poi/", row.stored);
        StartProgram();
        if (row.userAppendsSlash) QTest::keyClicks(window_->txt_sd(), "/");
        EXPECT_EQ(window_->txt_sd()->text().toStdString(), row.shown) << row.name;
        QTest::mouseClick(window_->cmd_quit(), Qt::LeftButton);
        EXPECT_EQ(Stored("Path_SD"), row.storedByQuit) << row.name;
    }
}

TEST_F(WindowTest, TextBoxesHaveNoLengthLimit) {
    StartProgram();
    const QString pasted(40000, u'a');
    window_->txt_sd()->selectAll();
    window_->txt_sd()->insert(pasted);
    EXPECT_EQ(controls::Main().txt_sd.Text(), pasted.toStdString());
}

}  // namespace
