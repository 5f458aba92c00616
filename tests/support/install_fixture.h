#pragma once

#include <filesystem>
#include <string>

#include "core/controls/controls.h"
#include "core/main/main_form.h"
#include "core/runtime/event_handler.h"
#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "support/scripted_runtime.h"
#include "support/temp_folder.h"
#include "support/test_environment.h"

namespace testsupport {

// Any control of the window, keeping what the core sets; the core reaches only the part of
// the control's own kind.
struct FakeControl : controls::TextBox, controls::Label, controls::Button, controls::Form {
    std::string Text() const override { return text; }
    void SetText(const std::string& value) override { text = value; }
    std::uint32_t ForeColor() const override { return colour; }
    void SetForeColor(std::uint32_t value) override { colour = value; }
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& value) override { caption = value; }
    bool Visible() const override { return visible; }
    void SetVisible(bool value) override { visible = value; }
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool value) override { enabled = value; }

    std::string text, caption;
    std::uint32_t colour = controls::kBlack;
    bool visible = true, enabled = true;
};

// The controls of the main window as fakes, installed for the core while it lives.
class FakeMainWindow {
public:
    FakeMainWindow() { controls::InstallMainControls(&controls_); }
    ~FakeMainWindow() { controls::InstallMainControls(nullptr); }

    FakeControl form, txt_poi, txt_sd, txt_navman, lbl_active, cmd_Start;

private:
    controls::MainControls controls_{txt_poi, txt_sd, txt_navman, lbl_active, cmd_Start};
};

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

    static constexpr const char* kWritesAllOutputs =
        "cp \"$1\" \"$base.map\"; echo chk > \"$base.chk\"; echo bm > \"$base.bm\"";

    TempFolder root;
    std::string poi = root / "poi/", card = root / "card/", navman = root / "Nav Man";
    ScriptedRuntime runtime;
    FakeMainWindow window;
};

}  // namespace testsupport
