#pragma once

#include <string>
#include <string_view>

namespace lexi::mailstore {

// The Class number of an item of that message class ("IPM.Note" is 43).
int classOfMessage(std::string_view messageClass);

// The message class of a new item of a CreateItem kind; empty for a kind
// that cannot be created.
std::string messageClassOfKind(int kind);

// The default folder a saved item of that Class goes to.
int homeFolderOfClass(int itemClass);

} // namespace lexi::mailstore
