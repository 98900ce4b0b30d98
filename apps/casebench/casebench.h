/* Casebench: the case-management system's library, for any host that can
 * call C. Objects of the library's classes are created by programmatic name
 * ("Casebench.Filfunc") or class identity, and their members called by
 * dispatch identifier (looked up by name once) with variant arguments passed
 * by reference: a member may change them, and the host sees the change.
 *
 * Every call that can fail returns 0 on success, else the runtime's failure
 * number (53 "File not found", 9 "Subscript out of range"...), and fills
 * `error` (which may be NULL) with the number, the description and the class
 * it came from. Texts are UTF-8. All calls belong on one thread. */
#ifndef CASEBENCH_H
#define CASEBENCH_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Variant types, numbered as automation numbers them. */
enum {
    CB_EMPTY = 0,
    CB_NULL = 1,
    CB_INTEGER = 2,  /* 16-bit, in `number` */
    CB_LONG = 3,     /* 32-bit, in `number` */
    CB_DOUBLE = 5,   /* in `real` */
    CB_DATE = 7,     /* days since 30 December 1899, in `real` */
    CB_TEXT = 8,     /* in `text` */
    CB_OBJECT = 9,   /* in `object` */
    CB_MISSING = 10, /* an optional argument left out */
    CB_BOOLEAN = 11  /* -1 true, 0 false, in `number` */
};

typedef struct cb_object cb_object;

/* A variant owns its text and its object: set a text with
 * cb_variant_set_text and let cb_variant_clear free what it holds. A
 * zero-filled variant is empty. */
typedef struct cb_variant {
    uint16_t type;
    union {
        int32_t number;
        double real;
        char* text;
        cb_object* object;
    } value;
} cb_variant;

typedef struct cb_error {
    int32_t number;
    char description[512];
    char source[64];
} cb_error;

/* Creates an object; `*object` is released with cb_release. 429 for a name
 * the library does not know. */
int32_t cb_create(const char* name, cb_object** object, cb_error* error);
void cb_release(cb_object* object);

/* The dispatch identifier of a member, its name in any letter case; 438 for
 * a name the class lacks. */
int32_t cb_member_id(cb_object* object, const char* name, int32_t* dispatch_id, cb_error* error);

/* The name of a member's parameter (index from 0), NULL when there is none.
 * The text stays valid while the library is loaded. */
const char* cb_parameter_name(cb_object* object, int32_t dispatch_id, int32_t index);

/* Calls a member with `count` arguments in order. They are converted to the
 * member's declared types and afterwards hold what the member left in them.
 * `result` (which may be NULL) is cleared first and receives the result. A
 * property is read with no argument and assigned with one. */
int32_t cb_invoke(cb_object* object, int32_t dispatch_id, cb_variant* arguments, int32_t count,
                  cb_variant* result, cb_error* error);

void cb_variant_set_text(cb_variant* variant, const char* text);
void cb_variant_clear(cb_variant* variant);

/* Writes, and removes, the library's classes, interfaces and type library in
 * the user's registry, with the path of this library. */
int32_t cb_register(cb_error* error);
int32_t cb_unregister(cb_error* error);

#ifdef __cplusplus
}
#endif

#endif
