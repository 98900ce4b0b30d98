#pragma once

#include <string>

namespace lexi::posix {

// The folder that holds the registry, the mail store and drive C: the value
// of LEXITRAY_HOME, else $XDG_DATA_HOME/lexitray, else ~/.local/share/lexitray.
std::string lexitrayHome();

// Makes the folder, with any missing parents; the folder itself, when it is
// made here, open to the user alone (mode 0700): the home holds the user's
// registry, mail store and drive C:.
void createPrivateFolder(const std::string& path);

// The same rule over given variable values (empty meaning unset).
std::string resolveLexitrayHome(const std::string& lexitrayHome, const std::string& xdgDataHome,
                                const std::string& home);

} // namespace lexi::posix
