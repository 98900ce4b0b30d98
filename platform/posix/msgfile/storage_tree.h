#pragma once

#include "platform/posix/msgfile/property_bag.h"

// Copies a whole storage out of a file being read and into one being written.
namespace lexi::msgfile {

class Storage;
class OutStorage;

StorageTree readStorageTree(const Storage& storage);
// Gives `storage` the tree's class id, streams and child storages.
void writeStorageTree(OutStorage& storage, const StorageTree& tree);

} // namespace lexi::msgfile
