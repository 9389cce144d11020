#pragma once
// Fakes for every port, recording what the game asked of the outside world.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ports/ports.h"
#include "tests/ui/recording_canvas.h"

namespace korvel::testing {

struct FakeDialogs : Dialogs {
  struct Shown {
    std::string text, title;
    Buttons buttons;
    Icon icon;
  };
  std::vector<Shown> shown;
  std::deque<Answer> answers;  // scripted; Ok / Yes when empty
  Answer message(std::string_view text, std::string_view title, Buttons buttons, Icon icon) override {
    shown.push_back({std::string(text), std::string(title), buttons, icon});
    if (answers.empty()) return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::vector<std::string> about_pictures;
  AboutAnswer about_answer = AboutAnswer::Ok;
  AboutAnswer about_box(std::string_view picture) override {
    about_pictures.emplace_back(picture);
    return about_answer;
  }
  // Lists shown, as title then rows; each answered from choices (-1, Escape,
  // when none is left).
  std::vector<std::vector<std::string>> lists;
  std::deque<int> choices;
  int choose(std::string_view title, const std::vector<std::string>& rows) override {
    lists.push_back({std::string(title)});
    lists.back().insert(lists.back().end(), rows.begin(), rows.end());
    if (choices.empty()) return -1;
    const int c = choices.front();
    choices.pop_front();
    return c;
  }
};

struct FakeSound : SoundLibrary {
  std::vector<std::string> calls;
  std::int32_t context = 7;  // what dsInitialize answers
  std::int32_t next_buffer = 100;
  std::vector<std::vector<std::uint8_t>> images;
  std::int32_t dsInitialize(std::intptr_t) override {
    calls.push_back("init");
    return context;
  }
  std::int32_t dsCreateDSB(std::int32_t ctx, const std::uint8_t* image, std::size_t size,
                           std::int32_t flags) override {
    calls.push_back("create " + std::to_string(ctx) + " " + std::to_string(flags));
    images.emplace_back(image, image + size);
    return next_buffer++;
  }
  void dsPlay(std::int32_t b) override { calls.push_back("play " + std::to_string(b)); }
  void dsPlayLooping(std::int32_t b) override { calls.push_back("loop " + std::to_string(b)); }
  void dsStop(std::int32_t b) override { calls.push_back("stop " + std::to_string(b)); }
  void dsFree(std::int32_t b) override { calls.push_back("free " + std::to_string(b)); }
  void dsTerminate(std::int32_t c) override { calls.push_back("terminate " + std::to_string(c)); }
};

struct FakeDayTimer : DayTimer {
  double seconds = 0;
  long long calendar = 1796725800000;  // 2026-12-08 10:30 UTC
  std::vector<double> waits;
  double now() override { return seconds; }
  // Moves on with every reading, as two games never begin in one instant.
  long long calendar_ms() override { return calendar += 1000; }
  void wait(double s) override { waits.push_back(s); }
};

// Runs the job inline, as if it took `seconds` of the day's clock, then
// ticks once as the window would have meanwhile.
struct FakeBackgroundWork : BackgroundWork {
  int runs = 0;
  double seconds = 0;
  FakeDayTimer* day_timer = nullptr;
  void run(const std::function<void()>& job, const std::function<void()>& tick) override {
    ++runs;
    job();
    if (day_timer) day_timer->seconds += seconds;
    tick();
  }
};

struct FakeClockTimer : ClockTimer {
  int running = 0;
  std::vector<std::string> calls;
  void start() override {
    running = 1;
    calls.push_back("start");
  }
  void stop() override {
    running = 0;
    calls.push_back("stop");
  }
};

struct FakeRecordPanel : RecordPanelView {
  std::vector<std::string> calls;
  std::string texts[5];  // Text1..Text4; hiding the fields empties them
  std::string folder_ = "/records";
  std::string chosen;
  void set_lists_visible(int d, int f, int l) override {
    calls.push_back("lists " + std::to_string(d) + std::to_string(f) + std::to_string(l));
  }
  void set_fields_visible(int v) override {
    calls.push_back("fields " + std::to_string(v));
    if (v == 0)
      for (std::string& t : texts) t.clear();
  }
  std::string text(int box) override { return box >= 1 && box <= 4 ? texts[box] : std::string(); }
  std::string folder() override { return folder_; }
  std::string chosen_file() override { return chosen; }
  int folder_list_to_drive() override { return 1; }
  void file_list_to_folder() override {}
  void refresh_files() override { calls.push_back("refresh"); }
};

// Files by path, in memory; a non-empty failure is the answer to every call.
struct FakeRecordFiles : RecordFiles {
  std::map<std::string, std::string> files;
  std::string failure;
  std::string read(const std::string& path, std::string& bytes) override {
    if (!failure.empty()) return failure;
    const auto it = files.find(path);
    if (it == files.end()) return "ﾌｧｲﾙかﾌｫﾙﾀﾞが見つかりません";
    bytes = it->second;
    return {};
  }
  std::string replace(const std::string& path, std::string_view bytes, bool) override {
    if (!failure.empty()) return failure;
    files[path] = std::string(bytes);
    return {};
  }
  std::vector<std::string> list(const std::string& folder) override {
    std::vector<std::string> names;
    for (const auto& [path, bytes] : files)
      if (path.starts_with(folder + "/") && path.find('/', folder.size() + 1) == std::string::npos)
        names.push_back(path.substr(folder.size() + 1));
    return names;
  }
  std::string remove(const std::string& path) override {
    return files.erase(path) == 1 ? std::string() : std::string("ﾌｧｲﾙかﾌｫﾙﾀﾞが見つかりません");
  }
};

struct FakeBrowser : Browser {
  std::vector<std::string> opened;
  bool open(std::string_view a) override {
    opened.emplace_back(a);
    return true;
  }
};

struct FakeClipboard : Clipboard {
  std::string held;
  bool works = true;
  std::string text() override { return held; }
  bool set_text(std::string_view t) override {
    if (works) held = std::string(t);
    return works;
  }
};

struct FakeReviewView : ReviewView {
  int opened = 0, plies = 0, closed = 0, done = 0, total = 0;
  std::vector<ReviewRow> rows;
  std::string counts, caption;
  int chosen = 0;
  void open(int n) override {
    ++opened;
    plies = n;
  }
  void show_rows(const std::vector<ReviewRow>& r, int d, int t) override {
    rows = r;
    done = d;
    total = t;
  }
  void show_counts(std::string_view c) override { counts = std::string(c); }
  void show_choice(int ply, std::string_view c) override {
    chosen = ply;
    caption = std::string(c);
  }
  void close() override { ++closed; }
};

struct FakeSettings : SettingsFile {
  SettingsValues stored = DEFAULT_SETTINGS;
  int reads = 0;
  std::vector<SettingsValues> written;
  SettingsValues read() override {
    ++reads;
    return stored;
  }
  void write(const SettingsValues& v) override { written.push_back(v); }
};

struct FakePorts {
  RecordingCanvas canvas;
  FakeDialogs dialogs;
  FakeSound sound;
  FakeDayTimer day_timer;
  FakeClockTimer clock_timer;
  FakeRecordPanel record_panel;
  FakeRecordFiles record_files;
  FakeBrowser browser;
  FakeSettings settings;
  FakeBackgroundWork work;
  FakeClipboard clipboard;
  FakeReviewView review;
  std::string data_dir;  // empty: the current folder, where no game files are
  Ports ports() {
    Ports p{canvas, dialogs, sound, day_timer, clock_timer, record_panel, record_files, browser, settings, 0, data_dir};
    work.day_timer = &day_timer;
    p.background = &work;
    p.clipboard = &clipboard;
    p.review_view = &review;
    return p;
  }
};

}  // namespace korvel::testing
