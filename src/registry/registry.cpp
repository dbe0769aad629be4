// Reading registry values: the game's installation keys, read-only, in the 32-bit view.
#include "registry/registry.h"

#include <cstring>

namespace registry {

namespace {
constexpr uint32_t kString = 1;  // REG_SZ
constexpr uint32_t kNumber = 4;  // REG_DWORD
}  // namespace

RegistryValue ReadRegistryValue(const std::string& key, const std::string& value_name) {
    platform::RegistryData data;
    // The game's 32-bit installer writes to the 32-bit view; read access only, so a user who may
    // not write under HKEY_LOCAL_MACHINE still finds the game.
    const long status =
        platform::QueryLocalMachineValue(key, value_name, platform::RegistryView::k32Bit, &data);
    RegistryValue value;
    QueryOpenKeyValue(status, data, &value);
    return value;
}

long QueryOpenKeyValue(long query_status, const platform::RegistryData& data,
                       RegistryValue* value) {
    if (query_status != 0) return query_status;
    if (data.type == kString) {
        // All the bytes the registry reports, the terminating NUL included.
        value->kind = RegistryValue::Kind::kText;
        value->text = data.bytes;
        return 0;
    }
    if (data.type == kNumber && data.bytes.size() == sizeof(int32_t)) {
        int32_t number = 0;
        std::memcpy(&number, data.bytes.data(), sizeof number);
        value->kind = RegistryValue::Kind::kNumber;
        value->number = number;
        return 0;
    }
    return -1;
}

}  // namespace registry
