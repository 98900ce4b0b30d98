// Word on LibreOffice as a module the program loads on first use, so that a
// request that needs no Word does not pay for loading LibreOffice's
// automation libraries.

#include "apps/lexitray/word_module.h"

#include "platform/posix/libreoffice/office_word.h"

namespace {

lexi::WordConnector* openWord(const WordServices* services) {
    return new lexi::posix::OfficeWord(*services->drives, *services->printers, services->home);
}

} // namespace

extern "C" __attribute__((visibility("default")))
const WordModule lexitray_word_module = {WordModule::InterfaceVersion, &openWord};
