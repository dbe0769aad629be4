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

TEST(EngineIniText, SixVariantsOf524CrLfLinesDifferingExactlyInTheirOwnLines) {
    using common::Renderer;
    const std::set<int> device = {20, 22}, min_lines = {245, 246, 251, 252};
    const std::set<int> max_lines = {89,  90,  91,  92,  101, 102, 104, 105, 106, 107,
                                     108, 110, 111, 112, 113, 114, 115, 116, 117, 118,
                                     119, 237, 238, 239, 241, 244, 245, 246, 247, 249,
                                     251, 252, 256, 257, 263, 264, 265, 268, 377};
    const auto base = EngineIniLines(P::kCpuLowDetail, Renderer::kDirect3D);
    for (P preset : {P::kCpuLowDetail, P::kMinDetail, P::kMaxDetail}) {
        for (Renderer renderer : {Renderer::kDirect3D, Renderer::kOpenGL}) {
            const std::string text = EngineIniText(preset, renderer);
            EXPECT_EQ(text.size(), preset == P::kMaxDetail ? 10933u : 10916u);
            size_t crlf = 0;  // and no other CR or LF
            for (size_t i = 0; (i = text.find("\r\n", i)) != std::string::npos; i += 2) ++crlf;
            EXPECT_EQ(crlf, 524u);
            EXPECT_EQ(std::count(text.begin(), text.end(), '\r') +
                          std::count(text.begin(), text.end(), '\n'),
                      1048);
            EXPECT_TRUE(text.ends_with("\r\nMaxTeamSize=16\r\n"));
            // The lines where it differs from the CPU variant for Direct3D.
            std::set<int> expected = preset == P::kMinDetail   ? min_lines
                                     : preset == P::kMaxDetail ? max_lines
                                                               : std::set<int>{};
            if (renderer == Renderer::kOpenGL) expected.insert(device.begin(), device.end());
            const auto lines = EngineIniLines(preset, renderer);
            std::set<int> differing;
            for (size_t i = 0; i < lines.size(); ++i)
                if (lines[i] != base[i]) differing.insert(static_cast<int>(i) + 1);
            EXPECT_EQ(differing, expected);
        }
    }
    EXPECT_EQ(std::count_if(base.begin(), base.end(), [](auto& l) { return l.empty(); }), 41);
    const auto max_ogl = EngineIniLines(P::kMaxDetail, Renderer::kOpenGL);
    EXPECT_EQ(max_ogl[266], "UseCompressedLightmaps=True");  // the OpenGL section keeps its own
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
    for (const char* folder : {"A:\\x", "Z:\\x", "a:\\x", "z:\\x"})
        EXPECT_TRUE(Write(folder, &path, &error)) << folder;  // the ends of both letter ranges
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
