#include "apps/lexitray/lazy_word.h"

#include "apps/lexitray/program_module.h"
#include "apps/lexitray/word_module.h"
#include "platform/failure.h"

namespace lexi {

LazyWord::LazyWord(std::string home, const posix::DriveTable& drives, Printers& printers)
    : home_(std::move(home)), drives_(drives), printers_(printers) {}

LazyWord::~LazyWord() = default;

WordConnector* LazyWord::loaded() {
    if (!word_) {
        if (const WordModule* module = loadModule<WordModule>()) {
            const WordServices services{home_.c_str(), &drives_, &printers_};
            word_.reset(module->openWord(&services));
        }
    }
    return word_.get();
}

std::unique_ptr<WordApplication> LazyWord::running() {
    WordConnector* word = loaded();
    return word ? word->running() : nullptr;
}

std::unique_ptr<WordApplication> LazyWord::start() {
    WordConnector* word = loaded();
    if (!word) {
        throw Failure(failure::CannotCreateObject, "Word.Application");
    }
    return word->start();
}

} // namespace lexi
