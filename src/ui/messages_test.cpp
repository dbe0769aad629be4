// The words, titles and icons of what the windows and the console say.
#include "ui/messages.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

using platform::MessageIcon;
using Reason = core::RunRefusal::Reason;
using P = common::BenchmarkPreset;

TEST(Messages, RefusalsAndFailuresAreWordedAsTheUserKnowsThem) {
    const std::string cmd = "\"C:\\UT2003\\System\\ut2003.exe\" dm-inferno -640x480";
    const std::string no_res = "Please Select at least one resolution to use";
    const struct {
        core::RunRefusal refusal;
        P preset;
        Message message;
    } cases[] = {
        {{Reason::kNoResolution, ""}, P::kLowQuality, {no_res, "Select a Resolution"}},
        {{Reason::kNoResolution, ""}, P::kCustomTest, {no_res, "Please select a Resolution"}},
        {{Reason::kNoCustomIni, ""},
         P::kCustomTest,
         {"Please Choose a Custom ini file to use", "Choose a File..."}},
        {{Reason::kNoGameProgram, cmd},
         P::kHighQuality,
         {cmd + " cannot be found.", "", MessageIcon::kCritical}},
        {{Reason::kFileStep, "Cannot write \"C:\\UT2003.ini\": Access is denied."},
         P::kCpuBenchmark,
         {"Cannot write \"C:\\UT2003.ini\": Access is denied.", "", MessageIcon::kCritical}},
        {{Reason::kNoInstallation, ""},
         P::kCpuBenchmark,
         {"UT2003 was not found, so no benchmark can run. Please install UT2003 (full version) "
          "or UT2003 (demo)",
          "", MessageIcon::kExclamation}},
    };
    for (const auto& c : cases) {
        const Message m = RefusalMessage(c.refusal, c.preset);
        EXPECT_EQ(m.text, c.message.text);
        EXPECT_EQ(m.title, c.message.title) << m.text;
        EXPECT_EQ(m.icon, c.message.icon) << m.text;
    }

    // A failed start that is not a missing program: the system's number and text naming the
    // program, no icon.
    const Message bad = LaunchFailureMessage({cmd, false, 193, "Bad EXE format for %1 (%1)."});
    EXPECT_EQ(bad.text,
              "193 : Bad EXE format for C:\\UT2003\\System\\ut2003.exe "
              "(C:\\UT2003\\System\\ut2003.exe).");
    EXPECT_EQ(bad.icon, MessageIcon::kNone);

    const Message none = NoInstallationMessage();
    EXPECT_EQ(none.text, "Please install UT2003 (full version) or UT2003 (demo)");
    EXPECT_EQ(none.title, "Install UT2003");
    EXPECT_EQ(none.icon, MessageIcon::kNone);
    EXPECT_EQ(
        EditionGoneMessage(common::Edition::kFull).text.rfind("UT2003 (full version) is no", 0),
        0u);
    EXPECT_EQ(EditionGoneMessage(common::Edition::kDemo).text.rfind("UT2003 (demo) is no", 0), 0u);
}

}  // namespace
}  // namespace ui
