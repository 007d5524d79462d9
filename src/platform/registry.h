// Read-only access to the system's settings registry. Only Windows has one;
// elsewhere every lookup finds nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace folvane {

enum class RegistryRoot { LocalMachine };

struct RegistryValue {
    enum class Type { Text, Number, Other };
    Type type = Type::Other;
    std::string text;          // Type::Text, in UTF-8, without its terminating NUL
    std::uint32_t number = 0;  // Type::Number
};

class Registry {
  public:
    virtual ~Registry() = default;
    // The value `valueName` of the key `keyName` under `root`; nothing when
    // the key cannot be opened (missing, or not with the access asked for)
    // or the value cannot be read. An opened key is always closed again.
    virtual std::optional<RegistryValue> QueryValue(RegistryRoot root, std::string_view keyName,
                                                    std::string_view valueName) const = 0;
};

// The registry of this system (finds nothing where there is none).
const Registry& SystemRegistry();

}  // namespace folvane
