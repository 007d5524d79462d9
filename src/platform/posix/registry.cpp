#include "platform/registry.h"

namespace folvane {

namespace {

// This system keeps no settings registry: every lookup finds nothing.
class NoRegistry final : public Registry {
  public:
    std::optional<RegistryValue> QueryValue(RegistryRoot, std::string_view,
                                            std::string_view) const override {
        return std::nullopt;
    }
};

}  // namespace

const Registry& SystemRegistry() {
    static const NoRegistry registry;
    return registry;
}

}  // namespace folvane
