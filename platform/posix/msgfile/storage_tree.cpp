#include "platform/posix/msgfile/storage_tree.h"

#include "platform/posix/msgfile/compound_reader.h"
#include "platform/posix/msgfile/compound_writer.h"

#include <algorithm>

namespace lexi::msgfile {

// The children in the order of their names, whatever order the directory has.
StorageTree readStorageTree(const Storage& storage) {
    StorageTree tree{storage.classId()};
    std::vector<std::string> names = storage.childNames();
    std::sort(names.begin(), names.end());
    for (std::string& name : names) {
        if (auto child = storage.storage(name)) {
            tree.storages.emplace_back(std::move(name), readStorageTree(*child));
        } else if (auto content = storage.stream(name)) {
            tree.streams.emplace_back(std::move(name), std::move(*content));
        }
    }
    return tree;
}

void writeStorageTree(OutStorage& storage, const StorageTree& tree) {
    storage.setClassId(tree.classId);
    for (const auto& [name, content] : tree.streams) {
        storage.stream(name, content);
    }
    for (const auto& [name, child] : tree.storages) {
        OutStorage out = storage.storage(name);
        writeStorageTree(out, child);
    }
}

} // namespace lexi::msgfile
