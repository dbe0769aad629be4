// The six engine ini variants and the writer, against the in-memory platform.
#include "config/engine_ini.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/platform_standin.h"

namespace config {
namespace {

using platform::standin::Get;

constexpr EngineIniPreset kPresets[] = {EngineIniPreset::CpuLowDetail, EngineIniPreset::MinDetail,
                                        EngineIniPreset::MaxDetail};

// Line numbers (from 1) at which two variants differ.
std::set<int> DifferentLines(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::set<int> lines;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i]) lines.insert(static_cast<int>(i) + 1);
    return lines;
}

TEST(EngineIniText, EveryVariantIs524LinesWithCrLfAndTheListedSize) {
    for (EngineIniPreset preset : kPresets) {
        for (const char* device : {"D3D", "OGL"}) {
            SCOPED_TRACE(std::string(device) + " preset " +
                         std::to_string(static_cast<int>(preset)));
            const std::string text = EngineIniText(preset, device);
            EXPECT_EQ(text.size(), preset == EngineIniPreset::MaxDetail ? 10933u : 10916u);
            size_t crlf = 0, bare = 0;
            for (size_t i = 0; i < text.size(); ++i) {
                if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                    ++crlf;
                    ++i;
                } else if (text[i] == '\r' || text[i] == '\n') {
                    ++bare;
                } else {
                    EXPECT_TRUE(text[i] >= 32 && text[i] < 127) << "byte at " << i;
                }
            }
            EXPECT_EQ(crlf, 524u);
            EXPECT_EQ(bare, 0u);
            EXPECT_FALSE(text.ends_with("\r\n\r\n"));
            EXPECT_TRUE(text.ends_with("FriendlyFireScale=0\r\nMaxTeamSize=16\r\n"));
            EXPECT_EQ(EngineIniLines(preset, device).size(), 524u);
        }
    }
}

TEST(EngineIniLines, SectionsAndQuotedTemplateLines) {
    const auto lines = EngineIniLines(EngineIniPreset::CpuLowDetail, "D3D");
    int headers = 0, empties = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with("[")) ++headers;
        if (lines[i].empty()) {
            ++empties;
            // One empty line between sections: a key line before it, a header after it.
            ASSERT_GT(i, 0u);
            ASSERT_LT(i + 1, lines.size());
            EXPECT_FALSE(lines[i - 1].empty() || lines[i - 1].starts_with("[")) << "line " << i;
            EXPECT_TRUE(lines[i + 1].starts_with("[")) << "line " << i + 2;
        }
    }
    EXPECT_EQ(headers, 42);
    EXPECT_EQ(empties, 41);
    EXPECT_EQ(lines[0], "[URL]");
    EXPECT_EQ(lines[18], "[Engine.Engine]");
    EXPECT_EQ(lines[19], "RenderDevice=D3DDrv.D3DRenderDevice");
    EXPECT_EQ(lines[20], ";RenderDevice=Engine.NullRenderDevice");
    EXPECT_EQ(lines[21], ";RenderDevice=OpenGLDrv.OpenGLRenderDevice");
    EXPECT_EQ(lines[235], "[D3DDrv.D3DRenderDevice]");
    EXPECT_EQ(lines[349], "[Engine.AccessControl]");
    EXPECT_EQ(lines[350], "AdminPassword=pvlor");
    EXPECT_EQ(lines[514], "[XGame.xBombingRun]");
    EXPECT_EQ(lines[523], "MaxTeamSize=16");
}

TEST(EngineIniLines, VariantsDifferExactlyInTheirOwnLines) {
    const auto cpu = EngineIniLines(EngineIniPreset::CpuLowDetail, "D3D");
    const auto cpu_ogl = EngineIniLines(EngineIniPreset::CpuLowDetail, "OGL");
    const auto min = EngineIniLines(EngineIniPreset::MinDetail, "D3D");
    const auto min_ogl = EngineIniLines(EngineIniPreset::MinDetail, "OGL");
    const auto max = EngineIniLines(EngineIniPreset::MaxDetail, "D3D");
    const auto max_ogl = EngineIniLines(EngineIniPreset::MaxDetail, "OGL");

    const std::set<int> device = {20, 22};
    const std::set<int> min_lines = {245, 246, 251, 252};
    std::set<int> max_lines = {89,  90,  91,  92,  101, 102, 104, 105, 106, 107, 108, 110, 111,
                               112, 113, 114, 115, 116, 117, 118, 119, 237, 238, 239, 241, 244,
                               245, 246, 247, 249, 251, 252, 256, 257, 263, 264, 265, 268, 377};
    ASSERT_EQ(max_lines.size(), 39u);
    EXPECT_EQ(DifferentLines(cpu, cpu_ogl), device);
    EXPECT_EQ(DifferentLines(cpu, min), min_lines);
    EXPECT_EQ(DifferentLines(min, min_ogl), device);
    EXPECT_EQ(DifferentLines(cpu, max), max_lines);
    EXPECT_EQ(DifferentLines(max, max_ogl), device);
    std::set<int> all = max_lines;
    all.insert(device.begin(), device.end());
    EXPECT_EQ(DifferentLines(cpu, max_ogl).size(), 41u);
    EXPECT_EQ(DifferentLines(cpu, max_ogl), all);

    EXPECT_EQ(min[244], "UseHardwareTL=True");
    EXPECT_EQ(min[251], "Use16bitTextures=False");
    EXPECT_EQ(max[88], "WindowedViewportX=800");
    EXPECT_EQ(max[109], "TextureDetailInterface=UltraHigh");
    EXPECT_EQ(max[116], "TextureMaxLOD=-0.8");
    EXPECT_EQ(max[248], "UseCompressedLightmaps=False");
    EXPECT_EQ(max[266], "UseCompressedLightmaps=True");  // the OpenGL section keeps its own
    EXPECT_EQ(max[376], "PhysicsDetailLevel=PDL_Medium");
    EXPECT_EQ(max[92], "MenuViewportX=640");

    EXPECT_EQ(max_ogl[19], ";RenderDevice=D3DDrv.D3DRenderDevice");
    EXPECT_EQ(max_ogl[20], ";RenderDevice=Engine.NullRenderDevice");
    EXPECT_EQ(max_ogl[21], "RenderDevice=OpenGLDrv.OpenGLRenderDevice");
    EXPECT_EQ(max_ogl[299], "RenderDevice=D3DDrv.D3DRenderDevice");  // the editor's, unchanged
}

TEST(EngineIniLines, OnlyExactlyOglSelectsOpenGl) {
    for (EngineIniPreset preset : kPresets) {
        const std::string d3d = EngineIniText(preset, "D3D");
        EXPECT_NE(EngineIniText(preset, "OGL"), d3d);
        for (const char* other : {"", "ogl", "Ogl", " OGL", "OGL ", "OpenGL", "D3D9"})
            EXPECT_EQ(EngineIniText(preset, other), d3d) << '"' << other << '"';
    }
}

class WriteEngineIniTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::standin::Reset();
        state.InstallFolder = "D:\\Games\\UT2003";
    }
    core::SessionState state;
    std::string error;
};

TEST_F(WriteEngineIniTest, WritesTheVariantReadOnlyAtTheDriveRoot) {
    ASSERT_TRUE(WriteEngineIni(state, EngineIniPreset::MinDetail, "OGL", &error)) << error;
    EXPECT_EQ(state.EngineIniPath, "D:\\UT2003.ini");
    const auto* file = platform::standin::FindFile("D:\\UT2003.ini");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->contents, EngineIniText(EngineIniPreset::MinDetail, "OGL"));
    EXPECT_EQ(file->attributes, platform::kReadOnly);
    // Nothing was in the way, so no attributes were reset before the write.
    EXPECT_EQ(Get().journal,
              (std::vector<std::string>{"write D:\\UT2003.ini", "attributes D:\\UT2003.ini 1"}));
}

TEST_F(WriteEngineIniTest, ReplacesAFileInTheWayAndEndsReadOnlyAlone) {
    platform::standin::AddFile(
        "D:\\UT2003.ini", EngineIniText(EngineIniPreset::CpuLowDetail, ""),
        platform::kReadOnly | platform::kHidden | platform::kSystem | platform::kArchive);
    ASSERT_TRUE(WriteEngineIni(state, EngineIniPreset::MaxDetail, "D3D", &error)) << error;
    EXPECT_EQ(Get().journal,
              (std::vector<std::string>{"attributes D:\\UT2003.ini 128", "write D:\\UT2003.ini",
                                        "attributes D:\\UT2003.ini 1"}));
    const auto* file = platform::standin::FindFile("D:\\UT2003.ini");
    EXPECT_EQ(file->contents, EngineIniText(EngineIniPreset::MaxDetail, "D3D"));
    EXPECT_EQ(file->attributes, platform::kReadOnly);
}

TEST_F(WriteEngineIniTest, RefusesAFolderWithoutADriveAndWritesNothing) {
    for (const char* folder : {"", "C", "C:", "C:Games", "C:/Games", "1:\\Games", "\\\\server\\ut",
                               "\xC9:\\x", "Games\\UT2003", "\"C:\\Games\""}) {
        SCOPED_TRACE(folder);
        state.InstallFolder = folder;
        state.EngineIniPath = "C:\\UT2003.ini";  // from an earlier run
        error.clear();
        EXPECT_FALSE(WriteEngineIni(state, EngineIniPreset::CpuLowDetail, "D3D", &error));
        EXPECT_NE(error.find("\"UT2003.ini\""), std::string::npos) << error;
        EXPECT_EQ(state.EngineIniPath, "");
    }
    EXPECT_TRUE(Get().journal.empty());
    EXPECT_TRUE(Get().files.empty());
    state.InstallFolder = "e:\\x";  // a lower-case drive letter is still a drive
    EXPECT_TRUE(WriteEngineIni(state, EngineIniPreset::CpuLowDetail, "D3D", &error)) << error;
    EXPECT_EQ(state.EngineIniPath, "e:\\UT2003.ini");
}

TEST_F(WriteEngineIniTest, AFailedWriteLeavesNothingChangedOrHalfDone) {
    const uint32_t odd = platform::kReadOnly | platform::kHidden;

    // Locked by another program: it cannot even be read, so nothing is touched.
    platform::standin::AddFile("D:\\UT2003.ini", "theirs", odd);
    Get().files.begin()->second.locked = true;
    EXPECT_FALSE(WriteEngineIni(state, EngineIniPreset::CpuLowDetail, "D3D", &error));
    EXPECT_NE(error.find("\"D:\\UT2003.ini\""), std::string::npos) << error;
    EXPECT_NE(error.find("used by another process"), std::string::npos) << error;
    EXPECT_EQ(state.EngineIniPath, "");
    EXPECT_EQ(Get().journal, (std::vector<std::string>{"write D:\\UT2003.ini"}));
    EXPECT_EQ(platform::standin::FindFile("D:\\UT2003.ini")->contents, "theirs");

    // Readable but not writable: its attributes were reset for the write and come back.
    Get().files.begin()->second.locked = false;
    Get().failures.insert({"write", "D:\\UT2003.ini"});
    EXPECT_FALSE(WriteEngineIni(state, EngineIniPreset::CpuLowDetail, "D3D", &error));
    EXPECT_NE(error.find("\"D:\\UT2003.ini\": Access is denied."), std::string::npos) << error;
    EXPECT_EQ(platform::standin::FindFile("D:\\UT2003.ini")->contents, "theirs");
    EXPECT_EQ(platform::standin::FindFile("D:\\UT2003.ini")->attributes, odd);

    // A file cut short by a write is not left behind, read-only or otherwise.
    const std::string text = EngineIniText(EngineIniPreset::CpuLowDetail, "D3D");
    platform::standin::AddFile("D:\\UT2003.ini", text.substr(0, 4096), platform::kArchive);
    EXPECT_FALSE(WriteEngineIni(state, EngineIniPreset::CpuLowDetail, "D3D", &error));
    EXPECT_FALSE(platform::standin::HasFile("D:\\UT2003.ini"));

    // A drive root that cannot be written.
    Get().failures.clear();
    Get().failures.insert({"write", "D:\\UT2003.ini"});
    EXPECT_FALSE(WriteEngineIni(state, EngineIniPreset::CpuLowDetail, "D3D", &error));
    EXPECT_FALSE(platform::standin::HasFile("D:\\UT2003.ini"));
    EXPECT_EQ(state.EngineIniPath, "");
}

TEST_F(WriteEngineIniTest, AReadOnlyFlagThatCannotBeSetIsReportedButTheFileIsStillOurs) {
    Get().failures.insert({"attributes", "D:\\UT2003.ini"});
    EXPECT_FALSE(WriteEngineIni(state, EngineIniPreset::CpuLowDetail, "D3D", &error));
    EXPECT_NE(error.find("\"D:\\UT2003.ini\""), std::string::npos) << error;
    // Complete and ours: the clean-up must find it.
    EXPECT_EQ(state.EngineIniPath, "D:\\UT2003.ini");
    EXPECT_EQ(platform::standin::FindFile("D:\\UT2003.ini")->contents,
              EngineIniText(EngineIniPreset::CpuLowDetail, "D3D"));
}

}  // namespace
}  // namespace config
