#pragma once

#include <filesystem>
#include <string>

#include "core/main/main_form.h"
#include "core/runtime/event_handler.h"
#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "support/fake_controls.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"
#include "support/test_environment.h"

namespace testsupport {

// A POI folder, an empty card, a NavMan folder (with a blank, as under "Programme") and the
// staging folder, all of the test's own, shown in the fake window as a user would have typed them.
class InstallTest : public IsolatedTest {
public:
    void SetUp() override {
        IsolatedTest::SetUp();
        for (const auto& folder : {poi, card, navman}) MakeFolder(folder);
        window.txt_poi.text = poi;
        window.txt_sd.text = card;
        window.txt_navman.caption = navman;
    }

    // "Installieren" pressed as the window presses it: inside the event guard.
    static void PressInstall() { runtime::RunEventHandler(Main::cmd_Start_Click); }

    std::string Staging() const { return CacheHome() + "/marquill/temp/"; }

    void WriteList(const std::string& text) { WriteFile(poi + "MARQUILL.CSV", text); }

    void WriteCategory(const std::string& name, const std::string& data = "8.1,50.1,Ort\r\n") {
        WriteFile(poi + name + ".csv", data);
        WriteFile(poi + name + ".bmp", "BM-icon-of-" + name);
    }

    // A compiler in the NavMan folder that runs `body` as a shell script; $1 is the staged data
    // file. The default writes the three outputs, the data file's content as the map.
    void WriteCompiler(const std::string& body = kWritesAllOutputs) {
        const std::string path = navman + "/poicompiler";
        WriteFile(path, "#!/bin/sh\nbase=\"${1%.asc}\"\n" + body + "\n");
        std::filesystem::permissions(PathOf(path), std::filesystem::perms::owner_all);
    }

    std::string Stored(const std::string& name) {
        std::int16_t flag = 0;
        return vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, vbreg::kSettingsKey, name, flag);
    }

    static constexpr const char* kWritesAllOutputs =
        "cp \"$1\" \"$base.map\"; echo chk > \"$base.chk\"; echo bm > \"$base.bm\"";

    TempFolder root;
    std::string poi = root / "poi/", card = root / "card/", navman = root / "Nav Man";
    ScriptedRuntime runtime;
    FakeMainWindow window;
};

}  // namespace testsupport
