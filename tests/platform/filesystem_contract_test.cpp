// The file system contract, run against the file system in memory.

#include "platform/fake/memory_file_system.h"
#include "tests/platform/filesystem_contract.h"

namespace lexi::filesystem_contract {
namespace {

struct MemoryMachine {
    std::string path(Path text) const { return text; }
    void setCurrentFolder(Path path) { files.setCurrentFolder(path); }
    fake::MemoryFileSystem files{"CD"};
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemContract, MemoryMachine);

} // namespace lexi::filesystem_contract
