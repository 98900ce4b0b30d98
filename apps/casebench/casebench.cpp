// The library's C interface over its core, and its composition root: the
// Linux platform is built on the first call and lives as long as the library
// is loaded in its host.

// The C interface is all the library exports.
#pragma GCC visibility push(default)
#include "apps/casebench/casebench.h"
#pragma GCC visibility pop

#include "apps/lexitray/linux_platform.h"
#include "apps/lexitray/program_module.h"
#include "library/casebench_library.h"
#include "library/registration.h"
#include "platform/failure.h"
#include "platform/posix/x11/x11_window_search.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

struct cb_object {
    std::shared_ptr<lexi::AutomationObject> object;
};

namespace lexi {
namespace {

// This library's own file.
std::filesystem::path libraryFile() {
    Dl_info info{};
    static const int here = 0;
    return ::dladdr(&here, &info) && info.dli_fname ? std::filesystem::path(info.dli_fname)
                                                    : std::filesystem::path();
}

struct Loaded {
    Loaded()
        : library((setModuleFolders(libraryFile().parent_path().string(), LEXITRAY_MODULE_DIR),
                   machine.platform())) {}
    // Kalender's CheckOutlook looks for Outlook's main window on the display.
    LinuxPlatform machine{std::make_unique<posix::X11WindowSearch>()};
    CasebenchLibrary library;
};

Loaded& loaded() {
    static Loaded instance;
    return instance;
}

void copyText(char* to, std::size_t size, const std::string& text) {
    std::snprintf(to, size, "%s", text.c_str());
}

// Runs a call, turning what it throws into the answer and the error.
template <typename Call> std::int32_t guarded(cb_error* error, Call call) {
    try {
        call();
        if (error) {
            *error = {};
        }
        return 0;
    } catch (const Failure& failed) {
        if (error) {
            error->number = failed.number();
            copyText(error->description, sizeof error->description, failed.description());
            copyText(error->source, sizeof error->source, failed.source());
        }
        return failed.number();
    } catch (const std::exception& failed) {
        const Failure wrapped(failure::AutomationError, failed.what(), "Casebench");
        if (error) {
            error->number = wrapped.number();
            copyText(error->description, sizeof error->description, wrapped.description());
            copyText(error->source, sizeof error->source, wrapped.source());
        }
        return wrapped.number();
    }
}

char* duplicate(const std::string& text) {
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

Variant fromC(const cb_variant& value) {
    switch (value.type) {
    case CB_EMPTY:
        return {};
    case CB_NULL:
        return Variant::null();
    case CB_INTEGER:
        return Variant::integer(static_cast<std::int16_t>(value.value.number));
    case CB_LONG:
        return Variant::longValue(value.value.number);
    case CB_DOUBLE:
        return Variant::real(value.value.real);
    case CB_DATE:
        return Variant::date(value.value.real);
    case CB_TEXT:
        return std::string(value.value.text ? value.value.text : "");
    case CB_OBJECT:
        return Variant::object(value.value.object ? value.value.object->object : nullptr);
    case CB_MISSING:
        return Variant::missing();
    case CB_BOOLEAN:
        return Variant::boolean(value.value.number != 0);
    default:
        throw Failure(failure::TypeMismatch, "Casebench");
    }
}

// Replaces what the C variant holds.
void toC(const Variant& value, cb_variant& to) {
    cb_variant_clear(&to);
    to.type = static_cast<std::uint16_t>(value.type());
    switch (value.type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Boolean:
        to.value.number = value.number();
        break;
    case VarType::Double:
    case VarType::Date:
        to.value.real = value.real();
        break;
    case VarType::Text:
        to.value.text = duplicate(value.text());
        break;
    case VarType::Object:
        to.value.object = value.toObject() ? new cb_object{value.toObject()} : nullptr;
        break;
    default:
        break;
    }
}

std::string libraryDrivePath(LinuxPlatform& machine) {
    return machine.drives().toWindows(std::filesystem::absolute(libraryFile()).string());
}

} // namespace
} // namespace lexi

using lexi::guarded;

extern "C" {

int32_t cb_create(const char* name, cb_object** object, cb_error* error) {
    return guarded(
        error, [&] { *object = new cb_object{lexi::loaded().library.create(name ? name : "")}; });
}

void cb_release(cb_object* object) {
    delete object;
}

int32_t cb_member_id(cb_object* object, const char* name, int32_t* dispatch_id, cb_error* error) {
    return guarded(error, [&] {
        const lexi::Member* member = object->object->classInfo().member(name ? name : "");
        if (!member) {
            throw lexi::Failure(lexi::failure::UnsupportedMember,
                                std::string(object->object->classInfo().name));
        }
        *dispatch_id = member->dispatchId;
    });
}

const char* cb_parameter_name(cb_object* object, int32_t dispatch_id, int32_t index) {
    const lexi::Member* member = object->object->classInfo().member(dispatch_id);
    if (!member || index < 0 || static_cast<std::size_t>(index) >= member->parameters.size()) {
        return nullptr;
    }
    // The names are the class tables' literals.
    return member->parameters[static_cast<std::size_t>(index)].name.data();
}

int32_t cb_invoke(cb_object* object, int32_t dispatch_id, cb_variant* arguments, int32_t count,
                  cb_variant* result, cb_error* error) {
    if (result) {
        cb_variant_clear(result);
    }
    return guarded(error, [&] {
        std::vector<lexi::Variant> values;
        values.reserve(static_cast<std::size_t>(count));
        for (int32_t i = 0; i < count; ++i) {
            values.push_back(lexi::fromC(arguments[i]));
        }
        // The host's variables take what the member left, also when it fails.
        struct WriteBack {
            std::vector<lexi::Variant>& values;
            cb_variant* to;
            ~WriteBack() {
                for (std::size_t i = 0; i < values.size(); ++i) {
                    if (!(lexi::fromC(to[i]) == values[i])) {
                        lexi::toC(values[i], to[i]);
                    }
                }
            }
        } writeBack{values, arguments};
        const lexi::Variant answer = object->object->invoke(dispatch_id, values);
        if (result) {
            lexi::toC(answer, *result);
        }
    });
}

void cb_variant_set_text(cb_variant* variant, const char* text) {
    cb_variant_clear(variant);
    variant->type = CB_TEXT;
    variant->value.text = lexi::duplicate(text ? text : "");
}

void cb_variant_clear(cb_variant* variant) {
    if (variant->type == CB_TEXT) {
        std::free(variant->value.text);
    } else if (variant->type == CB_OBJECT) {
        delete variant->value.object;
    }
    *variant = {};
}

int32_t cb_register(cb_error* error) {
    return guarded(error, [&] {
        lexi::Loaded& loaded = lexi::loaded();
        lexi::registerLibrary(loaded.machine.platform().registry,
                              lexi::libraryDrivePath(loaded.machine));
    });
}

int32_t cb_unregister(cb_error* error) {
    return guarded(error,
                   [&] { lexi::unregisterLibrary(lexi::loaded().machine.platform().registry); });
}

} // extern "C"
