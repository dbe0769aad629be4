// Reading values of the registry (read access only, never writing).
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace registry {

// A value as the program uses it: nothing, a text or a 32-bit number. A text read from a string
// value keeps its terminating NUL as its last character; users read it up to its first NUL.
struct RegistryValue {
    enum class Kind { kEmpty, kText, kNumber };
    Kind kind = Kind::kEmpty;
    std::string text;
    int32_t number = 0;

    // The text as it is used: up to its first NUL, as every C string API reads it (a value of
    // only NULs is empty).
    std::string UsedText() const { return text.substr(0, text.find('\0')); }
    // An edition counts as present when its folder value is a text not empty as used.
    bool Present() const { return kind == Kind::kText && !UsedText().empty(); }
};

// Reads `value_name` under HKEY_LOCAL_MACHINE\`key` in the 32-bit view, where the game's
// installer writes. Empty when the key or value is missing, access is refused, or the value is
// neither a string (type 1) nor a 32-bit number (type 4).
RegistryValue ReadRegistryValue(const std::string& key, const std::string& value_name);

// Turns the outcome of a registry query into a value. A failed query (`query_status` not 0)
// returns that status and leaves the value as it was. Type 1 gives a text of all the bytes the
// registry reported (the NUL included), type 4 a 32-bit number; any other type (or a number not
// four bytes long) returns -1 and leaves the value as it was.
long QueryOpenKeyValue(long query_status, const platform::RegistryData& data, RegistryValue* value);

}  // namespace registry
