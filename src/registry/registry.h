// Reading values of the registry (read access only, never writing).
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace registry {

// A value as the program uses it: nothing, a text or a 32-bit number. A text read from a string
// value keeps its terminating NUL as its last character; every user drops that character.
struct RegistryValue {
    enum class Kind { kEmpty, kText, kNumber };
    Kind kind = Kind::kEmpty;
    std::string text;
    int32_t number = 0;

    // An edition counts as present when its folder value is a non-empty text.
    bool Present() const { return kind == Kind::kText && !text.empty(); }
};

// Reads `value_name` under HKEY_LOCAL_MACHINE\`key` in the 32-bit view, where the game's
// installer writes. Empty when the key or value is missing, access is refused, or the value is
// neither a string (type 1) nor a 32-bit number (type 4).
RegistryValue ReadRegistryValue(const std::string& key, const std::string& value_name);

// Turns registry data into a value: type 1 a text of all its bytes (the NUL included), type 4 a
// number; returns the status, -1 for any other type (value left as it was).
long QueryOpenKeyValue(long open_status, const platform::RegistryData& data, RegistryValue* value);

}  // namespace registry
