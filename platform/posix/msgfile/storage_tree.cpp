#include "platform/posix/msgfile/storage_tree.h"

#include "platform/posix/msgfile/compound_reader.h"
#include "platform/posix/msgfile/compound_writer.h"

namespace lexi::msgfile {

StorageTree readStorageTree(const Storage& storage) {
    StorageTree tree{storage.classId()};
    for (std::string& name : storage.childNames()) {
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
