#include <gtest/gtest.h>

#include <cerrno>
#include <stdexcept>

#include "core/runtime/event_handler.h"
#include "core/runtime/runtime_error.h"
#include "core/runtime/runtime_services.h"
#include "platform/platform.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ScriptedRuntime;

TEST(EventHandler, AnUnhandledErrorShowsTheStandardMessageAndEndsTheProgram) {
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[] { throw runtime::RuntimeError(53); },
         "Laufzeitfehler '53':\r\n\r\nDatei nicht gefunden"},
        {[] { throw std::runtime_error("any other failure"); },
         "Laufzeitfehler '75':\r\n\r\nFehler beim Zugriff auf Pfad oder Datei"}};
    for (const auto& [handler, text] : cases) {
        ScriptedRuntime runtime;
        runtime::RunEventHandler(handler);
        ASSERT_EQ(runtime.Boxes().size(), 1u);
        EXPECT_EQ(runtime.Boxes()[0].text, text);
        EXPECT_EQ(runtime.Boxes()[0].style, runtime::vbCritical);
        EXPECT_EQ(runtime.Boxes()[0].title, "Marquill");
        EXPECT_TRUE(runtime.Ended());
    }
}

TEST(EventHandler, TheEndCannotBeSwallowedAndNoHandlerRunsAfterIt) {
    ScriptedRuntime runtime;
    bool swallowed = false;
    runtime::RunEventHandler([&] {
        try {
            runtime::EndProgram();
        } catch (const std::exception&) {
            swallowed = true;
        }
    });
    EXPECT_FALSE(swallowed);
    ASSERT_TRUE(runtime.Ended());
    bool ran = false;
    runtime::RunEventHandler([&] { ran = true; });
    EXPECT_FALSE(ran);
}

TEST(ErrorFromErrno, MapsOntoTheRuntimeNumbers) {
    testsupport::TempFolder folder;
    const std::string inFolder = folder / "file", inMissingFolder = folder / "missing/file";
    const std::tuple<int, std::string, int> cases[] = {{ENOENT, inFolder, 53},
                                                       {ENOENT, inMissingFolder, 76},
                                                       {EACCES, inFolder, 70},
                                                       {EPERM, inFolder, 70},
                                                       {EROFS, inFolder, 70},
                                                       {ENOSPC, inFolder, 61},
                                                       {platform::kDiskQuotaExceeded, inFolder, 61},
                                                       {EFBIG, inFolder, 61},
                                                       {ENAMETOOLONG, inFolder, 52},
                                                       {EINVAL, inFolder, 52},
                                                       {EIO, inFolder, 75}};
    for (const auto& [err, path, number] : cases) {
        EXPECT_EQ(runtime::ErrorFromErrno(err, path).Number(), number) << err << " " << path;
    }
}

}  // namespace
