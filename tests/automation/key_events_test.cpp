// Key flags to actions and modifier state, and the F-key dispatch.
#include <gtest/gtest.h>

#include <vector>

#include "automation/key_events.h"

namespace tovanel::automation::testing {
namespace {

struct KeyStep {
    uint32_t vk;
    uint32_t flags;
    int32_t action;    // expected
    int32_t modifier;  // expected state after the event
};

void CheckSteps(const char* what, int32_t start, std::initializer_list<KeyStep> steps) {
    int32_t state = start;
    int n = 0;
    for (const KeyStep& step : steps) {
        EXPECT_EQ(DecodeKeyEvent(step.vk, step.flags, state), step.action) << what << " #" << n;
        EXPECT_EQ(state, step.modifier) << what << " #" << n;
        ++n;
    }
}

TEST(DecodeKeyEvent, FlagsAndModifierState) {
    CheckSteps("F3 down and up", 0, {{114, 0, 1, 0}, {114, 128, 2, 0}});
    CheckSteps("auto-repeat downs", 0, {{114, 0, 1, 0}, {114, 0, 1, 0}, {114, 0, 1, 0}});
    CheckSteps("Ctrl held over F3", 0,
               {{162, 0, 1, 17}, {114, 0, 1, 17}, {114, 128, 2, 17}, {162, 128, 2, 0}});
    CheckSteps("plain key after Ctrl released", 0,
               {{163, 1, 1, 17}, {163, 129, 2, 0}, {65, 0, 1, 0}});
    CheckSteps("left Alt", 0, {{164, 32, 1, 18}, {164, 160, 2, 0}});
    CheckSteps("right Alt, extended", 0, {{165, 33, 1, 18}, {165, 161, 2, 0}});
    CheckSteps("Shift both sides", 0, {{160, 0, 1, 16}, {161, 0, 1, 16}, {161, 128, 2, 0}});
    CheckSteps("Windows keys", 0, {{91, 1, 1, 91}, {92, 1, 1, 91}, {91, 129, 2, 0}});
    CheckSteps("injected down, as our own Ctrl+V", 0,
               {{17, 16, 1, 0}, {86, 16, 1, 0}, {17, 144, 2, 0}, {86, 144, 2, 0}});
    CheckSteps("injected down with Alt held: no action", 18, {{114, 48, 0, 18}, {162, 48, 0, 18}});
    CheckSteps(
        "bounds of the silent range", 0,
        {{114, 34, 1, 0}, {114, 35, 0, 0}, {114, 127, 0, 0}, {162, 35, 0, 0}, {114, 128, 2, 0}});
    CheckSteps("release of any modifier clears", 17, {{160, 128, 2, 0}});
    CheckSteps("release of other keys keeps", 17, {{65, 128, 2, 17}, {0xFF, 255, 2, 17}});
}

TEST(HotkeyText, FKeysOnly) {
    const char* texts[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                           "F7", "F8", "F9", "F10", "F11", "F12"};
    for (int i = 0; i < 12; ++i) EXPECT_STREQ(HotkeyText(112 + i), texts[i]);
    for (int vk : {111, 124, 0, 65, -1, 135}) EXPECT_EQ(HotkeyText(vk), nullptr) << vk;
}

class RecordingSink : public HotkeySink {
  public:
    void OnHotkey(const char* key_text) override { keys.push_back(key_text); }
    std::vector<std::string> keys;
};

TEST(OnKeyEvent, KeyDownsOfF1ToF12WithAnyModifier) {
    RecordingSink sink;
    OnKeyEvent(0, 114, 1, sink);
    OnKeyEvent(0, 114, 2, sink);   // release
    OnKeyEvent(17, 112, 1, sink);  // Ctrl+F1
    OnKeyEvent(16, 123, 1, sink);  // Shift+F12
    OnKeyEvent(0, 124, 1, sink);   // F13
    OnKeyEvent(0, 86, 1, sink);
    OnKeyEvent(0, 114, 0, sink);
    EXPECT_EQ(sink.keys, (std::vector<std::string>{"F3", "F1", "F12"}));
}

}  // namespace
}  // namespace tovanel::automation::testing
