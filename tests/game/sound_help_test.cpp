// The sound layer, the help page and the about box, through the handlers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "game/form.h"
#include "tests/game/fake_ports.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

struct SoundHelpTest : ::testing::Test {
  fs::path data = fs::temp_directory_path() / ("korvel_data_" + std::to_string(::getpid()));
  testing::FakePorts fakes;
  std::unique_ptr<Form> form;

  void SetUp() override {
    fs::create_directories(data);
    for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"})
      std::ofstream(data / fs::path(reinterpret_cast<const char8_t*>(name)), std::ios::binary) << "RIFF " << name;
    fakes.data_dir = data.string();
    form = std::make_unique<Form>(fakes.ports());
    // Started from another folder: the data folder is found all the same.
    form->Form_Load();
  }
  void TearDown() override { fs::remove_all(data); }
};

TEST_F(SoundHelpTest, SoundsComeFromTheDataFolderAndAreFreedInOrder) {
  EXPECT_EQ(fakes.sound.calls, (Lines{"init", "create 7 3", "create 7 3", "create 7 3", "create 7 1"}));
  ASSERT_EQ(fakes.sound.images.size(), 4u);
  EXPECT_EQ(std::string(fakes.sound.images[1].begin(), fakes.sound.images[1].end()), "RIFF 禁止.wav");
  EXPECT_EQ(form->APP_DIR, data.string());
  EXPECT_TRUE(fakes.dialogs.shown.empty());

  fakes.sound.calls.clear();
  form->menu_click("BGM");
  form->menu_click("BGM");
  EXPECT_EQ(fakes.sound.calls, (Lines{"loop 103", "stop 103"}));
  ASSERT_EQ(fakes.settings.written.size(), 2u);
  EXPECT_EQ(fakes.settings.written[0].bgm, 1);
  EXPECT_EQ(fakes.settings.written[1].bgm, 0);

  fakes.sound.calls.clear();
  form->Form_KeyPress(KEY_ESCAPE);
  EXPECT_EQ(fakes.sound.calls, (Lines{"free 100", "free 101", "free 102", "free 103", "terminate 7"}));
}

TEST_F(SoundHelpTest, HelpAndAboutOpenTheirFilesFromTheDataFolder) {
  form->menu_click("KAISETU");
  EXPECT_EQ(fakes.browser.opened, Lines{data.string() + "/Korvel.htm"});

  fakes.sound.calls.clear();
  fakes.record_panel.calls.clear();
  form->menu_click("VER");
  EXPECT_EQ(fakes.record_panel.calls, (Lines{"lists 000", "fields 0"}));
  EXPECT_EQ(fakes.sound.calls, Lines{"play 100"});  // sounded before the box shows
  EXPECT_EQ(fakes.dialogs.about_pictures, Lines{data.string() + "/about.png"});
  EXPECT_EQ(fakes.browser.opened.size(), 1u);  // "O K" opens nothing

  fakes.dialogs.about_answer = Dialogs::AboutAnswer::Homepage;
  form->menu_click("VER");
  EXPECT_EQ(fakes.browser.opened.back(), data.string() + "/Korvel.htm");
}

}  // namespace
}  // namespace korvel
