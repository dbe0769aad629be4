// The six engine ini variants and the writer, against the in-memory platform.
#include "config/engine_ini.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "config/staged_files.h"
#include "platform/platform_standin.h"

namespace config {
namespace {

using platform::standin::FindFile;
using platform::standin::Get;
using P = EngineIniPreset;

// Line numbers (from 1) at which two variants differ.
std::set<int> DifferentLines(P a, common::Renderer a_device, P b, common::Renderer b_device) {
    const auto x = EngineIniLines(a, a_device), y = EngineIniLines(b, b_device);
    std::set<int> lines;
    for (size_t i = 0; i < x.size() && i < y.size(); ++i)
        if (x[i] != y[i]) lines.insert(static_cast<int>(i) + 1);
    return lines;
}

TEST(EngineIniText, EveryVariantIs524CrLfLinesOfTheListedSize) {
    for (P preset : {P::kCpuLowDetail, P::kMinDetail, P::kMaxDetail}) {
        for (common::Renderer device : {common::Renderer::kDirect3D, common::Renderer::kOpenGL}) {
            const std::string text = EngineIniText(preset, device);
            EXPECT_EQ(text.size(), preset == P::kMaxDetail ? 10933u : 10916u);
            size_t crlf = 0, bare = 0;
            for (size_t i = 0; i < text.size(); ++i) {
                if (text.compare(i, 2, "\r\n") == 0)
                    ++crlf, ++i;
                else if (text[i] == '\r' || text[i] == '\n')
                    ++bare;
            }
            EXPECT_EQ(crlf, 524u);
            EXPECT_EQ(bare, 0u);
            EXPECT_TRUE(text.ends_with("\r\nMaxTeamSize=16\r\n"));
        }
    }
    const auto lines = EngineIniLines(P::kCpuLowDetail, common::Renderer::kDirect3D);
    EXPECT_EQ(lines[18], "[Engine.Engine]");
    EXPECT_EQ(lines[350], "AdminPassword=pvlor");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](auto& l) { return l.empty(); }), 41);
}

TEST(EngineIniLines, VariantsDifferExactlyInTheirOwnLines) {
    const std::set<int> device = {20, 22};
    const std::set<int> max_lines = {89,  90,  91,  92,  101, 102, 104, 105, 106, 107,
                                     108, 110, 111, 112, 113, 114, 115, 116, 117, 118,
                                     119, 237, 238, 239, 241, 244, 245, 246, 247, 249,
                                     251, 252, 256, 257, 263, 264, 265, 268, 377};
    EXPECT_EQ(DifferentLines(P::kCpuLowDetail, common::Renderer::kDirect3D, P::kCpuLowDetail,
                             common::Renderer::kOpenGL),
              device);
    EXPECT_EQ(DifferentLines(P::kMinDetail, common::Renderer::kDirect3D, P::kMinDetail,
                             common::Renderer::kOpenGL),
              device);
    EXPECT_EQ(DifferentLines(P::kCpuLowDetail, common::Renderer::kDirect3D, P::kMinDetail,
                             common::Renderer::kDirect3D),
              (std::set<int>{245, 246, 251, 252}));
    EXPECT_EQ(DifferentLines(P::kCpuLowDetail, common::Renderer::kDirect3D, P::kMaxDetail,
                             common::Renderer::kDirect3D),
              max_lines);
    std::set<int> all = max_lines;
    all.insert(device.begin(), device.end());
    EXPECT_EQ(all.size(), 41u);
    EXPECT_EQ(DifferentLines(P::kCpuLowDetail, common::Renderer::kDirect3D, P::kMaxDetail,
                             common::Renderer::kOpenGL),
              all);

    const auto max_ogl = EngineIniLines(P::kMaxDetail, common::Renderer::kOpenGL);
    EXPECT_EQ(EngineIniLines(P::kMinDetail, common::Renderer::kDirect3D)[244],
              "UseHardwareTL=True");
    EXPECT_EQ(max_ogl[116], "TextureMaxLOD=-0.8");
    EXPECT_EQ(max_ogl[266], "UseCompressedLightmaps=True");  // the OpenGL section keeps its own
    EXPECT_EQ(max_ogl[376], "PhysicsDetailLevel=PDL_Medium");
    EXPECT_EQ(max_ogl[19], ";RenderDevice=D3DDrv.D3DRenderDevice");
    EXPECT_EQ(max_ogl[21], "RenderDevice=OpenGLDrv.OpenGLRenderDevice");
    EXPECT_EQ(max_ogl[299], "RenderDevice=D3DDrv.D3DRenderDevice");  // the editor's, uncommented
}

// Writes the CPU variant for a game in `folder`; `path` gets where it went.
bool Write(const std::string& folder, std::string* path, std::string* error) {
    std::string planned;
    return DriveRootPath(folder, kEngineIniName, "write", &planned, error) &&
           WriteEngineIni(planned, P::kCpuLowDetail, common::Renderer::kDirect3D, path, error);
}

TEST(DriveRootPath, RefusesAFolderWithoutADriveAndTouchesNothing) {
    platform::standin::Reset();
    std::string path, error;
    for (const char* folder : {"", "C:", "C:Games", "1:\\Games", "\\\\server\\ut", "\xC9:\\x",
                               "Games\\UT2003", "\"C:\\Games\""}) {
        path = "C:\\UT2003.ini";  // from an earlier run
        EXPECT_FALSE(Write(folder, &path, &error)) << folder;
        EXPECT_NE(error.find("\"UT2003.ini\""), std::string::npos) << error;
    }
    EXPECT_TRUE(Get().journal.empty());
    EXPECT_TRUE(Write("e:\\x", &path, &error)) << error;  // a lower-case drive is still a drive
    EXPECT_EQ(path, "e:\\UT2003.ini");
}

TEST(WriteEngineIni, AFailedWriteLeavesNothingChangedOrHalfDone) {
    platform::standin::Reset();
    const std::string folder = "D:\\Games\\UT2003";
    std::string path, error;
    Get().failures.insert({"write", "D:\\UT2003.ini"});
    // A file cut short by a write is not left behind, read-only or otherwise.
    const std::string text = EngineIniText(P::kCpuLowDetail, common::Renderer::kDirect3D);
    platform::standin::AddFile("D:\\UT2003.ini", text.substr(0, 4096), platform::kArchive);
    EXPECT_FALSE(Write(folder, &path, &error));
    EXPECT_FALSE(platform::standin::HasFile("D:\\UT2003.ini"));
    // Nor is the half of a new file that a full disk took.
    Get().failures = {{"disk full", "D:\\UT2003.ini"}};
    EXPECT_FALSE(Write(folder, &path, &error));
    EXPECT_FALSE(platform::standin::HasFile("D:\\UT2003.ini"));
    EXPECT_TRUE(path.empty());

    // A read-only flag that cannot be set is reported, but the complete file is still ours.
    Get().failures = {{"attributes", "D:\\UT2003.ini"}};
    EXPECT_FALSE(Write(folder, &path, &error));
    EXPECT_NE(error.find("\"D:\\UT2003.ini\""), std::string::npos) << error;
    EXPECT_EQ(path, "D:\\UT2003.ini");
    EXPECT_EQ(FindFile("D:\\UT2003.ini")->contents, text);
}

}  // namespace
}  // namespace config
