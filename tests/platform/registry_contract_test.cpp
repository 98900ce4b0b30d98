// The registry contract and the settings store over it, run against the
// registry in memory.

#include "platform/fake/memory_registry.h"
#include "tests/platform/registry_contract.h"

namespace lexi::registry_contract {
namespace {

struct MemoryStore {
    static constexpr bool WrittenOrder = true;
    fake::MemoryRegistry registry;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, RegistryContract, MemoryStore);
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, SettingsContract, MemoryStore);

} // namespace lexi::registry_contract
