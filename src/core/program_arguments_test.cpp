// The command line: modes, every option in both spellings, bad input, and the console's lines.
#include "core/program_arguments.h"

#include <gtest/gtest.h>

#include "platform/platform_standin.h"

namespace core {
namespace {

using P = common::BenchmarkPreset;
using Args = std::vector<std::string>;

class ProgramArgumentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::standin::Reset();
        platform::standin::AddFile("D:\\my configs\\fast.ini", "[Engine.Engine]\r\n");
    }

    ProgramArguments Parse(const Args& args) {
        ProgramArguments a;
        std::string error;
        EXPECT_TRUE(ParseProgramArguments(args, &a, &error)) << error;
        return a;
    }
};

TEST_F(ProgramArgumentsTest, ModesAndEveryRunOptionInBothSpellingsAndAnyCase) {
    EXPECT_EQ(Parse({}).mode, ProgramMode::kWindow);
    for (const Args& help :
         {Args{"--help"}, Args{"/?"}, Args{"/HELP"}, Args{"--preset", "cpu", "--bogus", "/?"}})
        EXPECT_EQ(Parse(help).mode, ProgramMode::kHelp) << help.back();
    // --compare takes every input up to the next option, a path beginning with "/" too.
    ProgramArguments c = Parse(
        {"--compare", "Results", "/data/lab", "old\\results.csv", "/OUT", "D:\\drivers.html"});
    EXPECT_EQ(c.mode, ProgramMode::kCompare);
    EXPECT_EQ(c.compare_inputs, (Args{"Results", "/data/lab", "old\\results.csv"}));
    EXPECT_EQ(c.out, "D:\\drivers.html");
    c = Parse({"--out", "x.html", "/compare", "A"});
    EXPECT_TRUE(c.compare_inputs == Args{"A"} && c.out == "x.html");

    const ProgramArguments a =
        Parse({"--preset", "custom", "/Resolutions", "1600x1200,640X480", "--RENDERER", "OpenGL",
               "/edition", "Demo", "--runs", "3", "/level", "DM-Antalus*", "--Sound", "ON", "/ini",
               "D:\\my configs\\fast.ini", "--results", "E:\\Lab Results"});
    EXPECT_EQ(a.mode, ProgramMode::kRun);
    EXPECT_EQ(a.preset, P::kCustomTest);
    EXPECT_EQ(a.resolutions, (std::array<bool, 5>{true, false, false, false, true}));
    EXPECT_EQ(a.renderer, common::Renderer::kOpenGL);
    EXPECT_EQ(a.edition, common::Edition::kDemo);
    EXPECT_EQ(a.runs_per_level, 3);
    EXPECT_EQ(a.level, "DM-Antalus*");  // names and paths as given
    EXPECT_EQ(a.sound, true);
    ASSERT_TRUE(a.ini);
    EXPECT_EQ(a.ini->kind, IniArgument::Kind::kFile);
    EXPECT_EQ(a.ini->path, "D:\\my configs\\fast.ini");
    EXPECT_EQ(a.results_folder, "E:\\Lab Results");

    // The other presets and keywords; what is not given stays unset for the window's defaults.
    const ProgramArguments high = Parse(
        {"/PRESET", "HIGH", "/resolutions", "1024x768", "/renderer", "D3D", "/edition", "full"});
    EXPECT_EQ(high.preset, P::kHighQuality);
    EXPECT_EQ(high.renderer, common::Renderer::kDirect3D);
    EXPECT_EQ(high.edition, common::Edition::kFull);
    EXPECT_FALSE(high.runs_per_level || high.results_folder || high.level || high.ini);
    const ProgramArguments steady = Parse({"--preset", "cpu", "--resolutions", "640x480",
                                           "--STEADY-WITHIN", "0,5", "--runs", "Steady"});
    EXPECT_TRUE(steady.until_steady == true && steady.steady_within_tenths == 5);
    EXPECT_TRUE(a.until_steady == false && !steady.runs_per_level);  // a: --runs 3
    EXPECT_EQ(Parse({"--preset", "Low", "--resolutions", "640x480"}).preset, P::kLowQuality);
    EXPECT_EQ(Parse({"--preset", "cpu", "--resolutions", "640x480"}).preset, P::kCpuBenchmark);
    EXPECT_EQ(Parse({"--preset", "custom", "--resolutions", "640x480", "--ini", "MIN"}).ini->kind,
              IniArgument::Kind::kMinDetail);
    EXPECT_EQ(Parse({"--preset", "custom", "--resolutions", "640x480", "--ini", "Max"}).ini->kind,
              IniArgument::Kind::kMaxDetail);
    EXPECT_EQ(Parse({"--preset", "custom", "--resolutions", "640x480", "--sound", "Off"}).sound,
              false);
}

TEST_F(ProgramArgumentsTest, BadInputNamesTheArgumentAndWhatIsAllowed) {
    const struct {
        Args args;
        std::vector<const char*> says;
    } cases[] = {
        {{"--bogus", "1"}, {"\"--bogus\"", "--preset", "--compare"}},
        {{"stray"}, {"\"stray\""}},
        {{"--preset"}, {"--preset needs a value", "high, low, cpu or custom"}},
        {{"/preset", "--resolutions", "640x480"}, {"/preset needs a value"}},
        {{"--preset", "cpu", "--resolutions", ""}, {"--resolutions needs a value"}},
        {{"--preset", "ultra"}, {"\"ultra\"", "high, low, cpu or"}},
        {{"--resolutions", "640x480,1152x864"},
         {"\"1152x864\"", "640x480, 800x600, 1024x768, 1280x1024 and 1600x1200"}},
        {{"--resolutions", "640x480,640X480"}, {"640x480 is given twice"}},
        {{"--preset", "cpu", "/PRESET", "high"}, {"/PRESET is given twice"}},
        {{"--runs", "0"}, {"\"0\"", "1 to 5"}},
        {{"--runs", "6"}, {"\"6\"", "1 to 5, or steady"}},
        {{"--steady-within", "10.5"}, {"\"10.5\"", "from 0.5 to 10 with at most one decimal"}},
        {{"--preset", "cpu", "--resolutions", "640x480", "--steady-within", "1", "--runs", "2"},
         {"--steady-within is for --runs steady only"}},
        {{"--renderer", "vulkan"}, {"--renderer", "\"vulkan\"", "d3d or opengl"}},
        {{"--edition", "gold"}, {"--edition", "full or demo"}},
        {{"--sound", "loud"}, {"--sound", "on or off"}},
        {{"--preset", "high", "--resolutions", "640x480", "--level", "dm-antalus"},
         {"--level is for --preset custom only", "High Quality"}},
        {{"--preset", "cpu", "--resolutions", "640x480", "/Sound", "on"}, {"/Sound is for"}},
        {{"--preset", "cpu", "--resolutions", "640x480", "--ini", "max"}, {"--ini is for"}},
        {{"--preset", "custom", "--resolutions", "640x480", "--ini", "D:\\my configs\\gone.ini"},
         {"--ini", "\"D:\\my configs\\gone.ini\"", "max, min"}},
        {{"--resolutions", "640x480", "--runs", "2"}, {"--preset is missing", "cpu or custom"}},
        {{"--preset", "cpu"}, {"--resolutions is missing", "1600x1200"}},
        {{"--compare"}, {"--compare needs at least one results folder"}},
        {{"--compare", "A", "--preset", "cpu"}, {"--preset cannot be combined with --compare"}},
        {{"--out", "x.html", "--preset", "cpu", "--resolutions", "640x480"},
         {"--out is for --compare only"}},
    };
    for (const auto& c : cases) {
        std::string joined;
        for (const std::string& a : c.args) joined += a + " ";
        ProgramArguments a;
        std::string error;
        EXPECT_FALSE(ParseProgramArguments(c.args, &a, &error)) << joined;
        for (const char* part : c.says)
            EXPECT_NE(error.find(part), std::string::npos) << joined << "-> " << error;
    }
    // Parsing looks at the ini file and changes nothing.
    EXPECT_TRUE(platform::standin::Get().journal.empty());
}

TEST_F(ProgramArgumentsTest, TheUsagesExamplesOfBothUsesAreAccepted) {
    const std::string usage = UsageText();
    for (const Args& example :
         {Args{"--preset", "high", "--resolutions", "1024x768,1280x1024", "--runs", "3"},
          Args{"--compare", "Results", "D:\\Lab\\Results", "--out", "drivers.html"}}) {
        std::string line = "benchwright.exe";
        for (const std::string& a : example)
            line += " " + (a.find('\\') != std::string::npos ? "\"" + a + "\"" : a);
        EXPECT_NE(usage.find(line + "\n"), std::string::npos) << line;
        Parse(example);
    }
}

TEST(LaunchLine, RecordedAverageTrimmedAndEachFailureWithItsExitCode) {
    results::LaunchResult recorded;
    recorded.level = "dm-antalus";
    recorded.resolution = "1024x768";
    recorded.outcome = results::LaunchOutcome::kRecorded;
    recorded.record.average = results::FitToWidth(" 61.23", results::kValueWidth);
    EXPECT_EQ(LaunchLine(3, 14, recorded), "run 3 of 14: dm-antalus 1024x768: avg 61.23 fps");
    EXPECT_EQ(LaunchLine(3, 140, recorded, true),
              "run 3 of at most 140: dm-antalus 1024x768: avg 61.23 fps");
    EXPECT_EQ(RunExitCode({recorded, recorded}), 0);
    EXPECT_EQ(RunExitCode({}), 1);

    results::LaunchResult r = recorded;
    r.outcome = results::LaunchOutcome::kFailedToStart;
    r.failure = "\"C:\\UT2003\\System\\ut2003.exe\" cannot be found.\r\nCheck the folder.\r\n";
    EXPECT_EQ(LaunchLine(4, 14, r),
              "run 4 of 14: dm-antalus 1024x768: failed to start: "
              "\"C:\\UT2003\\System\\ut2003.exe\" cannot be found. Check the folder.");
    EXPECT_EQ(RunExitCode({recorded, r}), 1);
    const std::pair<results::LaunchOutcome, const char*> others[] = {
        {results::LaunchOutcome::kNoRecord, "no record"},
        {results::LaunchOutcome::kTimedOut, "timed out"},
        {results::LaunchOutcome::kEndedByUser, "ended by user"},
        {results::LaunchOutcome::kNotRun, "not run"}};
    for (const auto& [outcome, words] : others) {
        r.outcome = outcome;
        EXPECT_EQ(LaunchLine(14, 14, r),
                  std::string("run 14 of 14: dm-antalus 1024x768: ") + words);
        EXPECT_EQ(RunExitCode({recorded, r}), 1) << words;
    }
}

}  // namespace
}  // namespace core
