#include "platform/win32/fake/fake_word.h"

#include "platform/win32/wide_text.h"

#include <windows.h>

namespace lexi::fakecom {
namespace {

using WordPtr = std::shared_ptr<FakeWord>;

std::string shown(const AutomationValue& value) {
    return V_VT(&value.variant()) == VT_BOOL ? (value.boolean() ? "True" : "False") : value.text();
}

std::string callOf(const std::string& member, const Arguments& arguments) {
    std::string call = member;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        call += " " + (arguments.given(i) ? shown(arguments[i]) : std::string("-"));
    }
    return call;
}

// A property the program only sets, written down as it arrives.
Member settable(WordPtr word, const std::string& name) {
    return {name, [](const Arguments&) { return AutomationValue(); },
            [word, name](const AutomationValue& value) {
                word->calls.push_back(name + "=" + shown(value));
            }};
}

class FakeDataSource final : public FakeDispatch {
public:
    explicit FakeDataSource(std::string name) : FakeDispatch("Word") {
        define({"Name", [name](const Arguments&) {
                    return AutomationValue(name);
                }});
    }
};

class FakeMailMerge final : public FakeDispatch {
public:
    explicit FakeMailMerge(FakeWordFile file) : FakeDispatch("Word") {
        define({"MainDocumentType", [file](const Arguments&) {
                    return AutomationValue(file.mainDocumentType);
                }});
        define({"DataSource", [file](const Arguments&) {
                    return newObject<FakeDataSource>(file.dataSource);
                }});
    }
};

class FakeDocument final : public FakeDispatch {
public:
    FakeDocument(WordPtr word, FakeWordFile file) : FakeDispatch("Word") {
        define({"PrintOut", [word](const Arguments& arguments) {
                    word->calls.push_back(callOf("PrintOut", arguments));
                    if (word->printer) {
                        word->printer(word->activePrinter);
                    }
                    return AutomationValue();
                }});
        for (const char* method : {"SaveAs", "Close"}) {
            define({method, [word, name = std::string(method)](const Arguments& arguments) {
                        word->calls.push_back(callOf(name, arguments));
                        return AutomationValue();
                    }});
        }
        define(settable(word, "Saved"));
        define(settable(word, "ReadOnlyRecommended"));
        define({"SaveFormat", [file](const Arguments&) {
                    return AutomationValue(file.saveFormat);
                }});
        define({"MailMerge", [file](const Arguments&) {
                    return newObject<FakeMailMerge>(file);
                }});
    }
};

class FakeDocuments final : public FakeDispatch {
public:
    explicit FakeDocuments(WordPtr word) : FakeDispatch("Word") {
        define({"Open", [word](const Arguments& arguments) {
                    word->calls.push_back(callOf("Open", arguments));
                    const std::string path = arguments[0].text();
                    const auto file = word->files.find(path);
                    if (file != word->files.end()) {
                        return file->second.opens ? newObject<FakeDocument>(word, file->second)
                                                  : AutomationValue();
                    }
                    if (word->opensFilesOnDisk && GetFileAttributesW(win32::toWide(path).c_str()) !=
                                                      INVALID_FILE_ATTRIBUTES) {
                        return newObject<FakeDocument>(word, FakeWordFile{});
                    }
                    throw Failure(failure::AutomationError, "The file could not be found.",
                                  "Microsoft Word");
                }});
    }
};

class FakeWordApplication final : public FakeDispatch {
public:
    explicit FakeWordApplication(WordPtr word) : FakeDispatch("Word") {
        define({"ActivePrinter",
                [word](const Arguments&) { return AutomationValue(word->activePrinter); },
                [word](const AutomationValue& printer) {
                    word->activePrinter = printer.text();
                    word->calls.push_back("ActivePrinter=" + word->activePrinter);
                }});
        define(settable(word, "Visible"));
        define({"Documents", [word](const Arguments&) {
                    return newObject<FakeDocuments>(word);
                }});
        define({"Quit", [word](const Arguments& arguments) {
                    word->calls.push_back(callOf("Quit", arguments));
                    return AutomationValue();
                }});
    }
};

} // namespace

AutomationValue newFakeWord(std::shared_ptr<FakeWord> word) {
    return newObject<FakeWordApplication>(std::move(word));
}

} // namespace lexi::fakecom
