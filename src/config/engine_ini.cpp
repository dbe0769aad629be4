// The engine ini's six variants and the writer that puts one, read-only, at the game's drive root.
#include "config/engine_ini.h"

#include <cstdint>

#include "common/benchmark.h"
#include "config/engine_ini_template.h"
#include "config/staged_files.h"
#include "platform/platform.h"

namespace config {
namespace {

// A failed write leaves no half file behind and nothing of someone else's changed: a file the
// write created or cut short is removed; a file it never opened gets its attributes back.
void UndoFailedWrite(const std::string& path, const std::string& text, uint32_t attributes_before,
                     bool attributes_reset) {
    if (attributes_before == 0) {
        platform::RemoveFile(path, nullptr);
        return;
    }
    if (!attributes_reset) return;
    std::string now;
    const bool cut = platform::ReadWholeFile(path, &now, nullptr) && now.size() < text.size() &&
                     text.compare(0, now.size(), now) == 0;
    if (cut)
        platform::RemoveFile(path, nullptr);
    else
        platform::SetAttributes(path, attributes_before, nullptr);
}

}  // namespace

std::vector<std::string> EngineIniLines(EngineIniPreset preset, common::Renderer renderer) {
    std::vector<std::string> lines(kEngineIniTemplate.begin(), kEngineIniTemplate.end());
    if (preset != EngineIniPreset::kCpuLowDetail) {
        for (const PresetLine& p : kPresetLines)
            lines[p.line - 1] = preset == EngineIniPreset::kMinDetail ? p.min_detail : p.max_detail;
    }
    if (renderer == common::Renderer::kOpenGL) {
        for (const DeviceLine& d : kDeviceLines) lines[d.line - 1] = d.opengl;
    }
    return lines;
}

std::string EngineIniText(EngineIniPreset preset, common::Renderer renderer) {
    std::string text;
    text.reserve(11 * 1024);
    for (const std::string& line : EngineIniLines(preset, renderer)) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool IsEngineIniVariant(const std::string& bytes) {
    for (EngineIniPreset preset :
         {EngineIniPreset::kCpuLowDetail, EngineIniPreset::kMinDetail, EngineIniPreset::kMaxDetail})
        for (common::Renderer renderer : {common::Renderer::kDirect3D, common::Renderer::kOpenGL})
            if (bytes == EngineIniText(preset, renderer)) return true;
    return false;
}

bool WriteEngineIni(const std::string& path, EngineIniPreset preset, common::Renderer renderer,
                    std::string* engine_ini_path, std::string* error) {
    // Empty until a file of ours is there, so a clean-up after a failure touches nothing else.
    engine_ini_path->clear();
    const std::string text = EngineIniText(preset, renderer);

    // A file an earlier run left read-only (or hidden, system) must become writable first.
    const uint32_t attributes_before = platform::GetAttributes(path);
    const bool reset = FileExists(path);
    if (reset && !platform::SetAttributes(path, platform::kNormal, error)) return false;
    if (!platform::WriteWholeFile(path, text, error)) {
        UndoFailedWrite(path, text, attributes_before, reset);
        return false;
    }
    *engine_ini_path = path;
    return platform::SetAttributes(path, platform::kReadOnly, error);
}

}  // namespace config
