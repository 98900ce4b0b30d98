#!/usr/bin/env python3
"""Casebench from Python through its C interface (ctypes): creates a case
folder, copies a document into it read-only, checks it, shortens a long file
name, shows the text pop-up and reads its lines back, and deletes the folder.

    casebench_example.py [path of libcasebench.so]

The drive paths are the workstation's: C: is $LEXITRAY_HOME/drive_c."""

import ctypes
import sys

CB_TEXT = 8


class Variant(ctypes.Structure):
    class Value(ctypes.Union):
        _fields_ = [("number", ctypes.c_int32), ("real", ctypes.c_double),
                    ("text", ctypes.c_void_p), ("object", ctypes.c_void_p)]

    _fields_ = [("type", ctypes.c_uint16), ("value", Value)]


class Error(ctypes.Structure):
    _fields_ = [("number", ctypes.c_int32), ("description", ctypes.c_char * 512),
                ("source", ctypes.c_char * 64)]


class CasebenchError(Exception):
    pass


class Casebench:
    def __init__(self, path):
        self.lib = lib = ctypes.CDLL(path)
        lib.cb_create.argtypes = [ctypes.c_char_p, ctypes.POINTER(ctypes.c_void_p),
                                  ctypes.POINTER(Error)]
        lib.cb_release.argtypes = [ctypes.c_void_p]
        lib.cb_member_id.argtypes = [ctypes.c_void_p, ctypes.c_char_p,
                                     ctypes.POINTER(ctypes.c_int32), ctypes.POINTER(Error)]
        lib.cb_invoke.argtypes = [ctypes.c_void_p, ctypes.c_int32, ctypes.POINTER(Variant),
                                  ctypes.c_int32, ctypes.POINTER(Variant), ctypes.POINTER(Error)]
        lib.cb_variant_set_text.argtypes = [ctypes.POINTER(Variant), ctypes.c_char_p]
        lib.cb_variant_clear.argtypes = [ctypes.POINTER(Variant)]

    def create(self, name):
        handle, error = ctypes.c_void_p(), Error()
        if self.lib.cb_create(name.encode(), ctypes.byref(handle), ctypes.byref(error)):
            raise CasebenchError(error.number, error.description.decode())
        return CasebenchObject(self, handle)

    def value(self, variant):
        if variant.type == CB_TEXT:
            return ctypes.string_at(variant.value.text).decode()
        if variant.type in (2, 3):
            return variant.value.number
        if variant.type == 11:
            return variant.value.number != 0
        return None


class CasebenchObject:
    def __init__(self, casebench, handle):
        self.casebench, self.handle = casebench, handle

    def call(self, member, *arguments):
        """The member's result and the arguments as it left them."""
        lib = self.casebench.lib
        error, member_id = Error(), ctypes.c_int32()
        if lib.cb_member_id(self.handle, member.encode(), ctypes.byref(member_id),
                            ctypes.byref(error)):
            raise CasebenchError(error.number, error.description.decode())
        values = (Variant * max(len(arguments), 1))()
        for i, argument in enumerate(arguments):
            lib.cb_variant_set_text(ctypes.byref(values[i]), str(argument).encode())
        result = Variant()
        try:
            if lib.cb_invoke(self.handle, member_id, values, len(arguments),
                             ctypes.byref(result), ctypes.byref(error)):
                raise CasebenchError(error.number, error.description.decode())
            changed = [self.casebench.value(values[i]) for i in range(len(arguments))]
            return self.casebench.value(result), changed
        finally:
            for i in range(len(arguments)):
                lib.cb_variant_clear(ctypes.byref(values[i]))
            lib.cb_variant_clear(ctypes.byref(result))

    def __del__(self):
        self.casebench.lib.cb_release(self.handle)


def main():
    casebench = Casebench(sys.argv[1] if len(sys.argv) > 1 else "libcasebench.so")
    filfunc = casebench.create("Casebench.Filfunc")
    case = "C:\\Sager\\12\\Bilag"
    print("OpretMappe", filfunc.call("OpretMappe", case)[0])
    long_name = "Referat af møde med klienten " + "x" * 90 + ".txt"
    with_long = "C:\\Sager\\12\\Bilag\\" + long_name
    print("Kopier", *filfunc.call("Kopier", "C:\\brev.txt", case, "ReadOnly", ""))
    print("Kontrol", filfunc.call("Kontrol", case + "\\brev.txt")[0])
    print("Kopier", filfunc.call("Kopier", "C:\\brev.txt", case, "", long_name)[0])
    print("FileExists", filfunc.call("FileExists", with_long)[0] == long_name)
    print("KortFilnavn", filfunc.call("KortFilnavn", case)[1])
    print("FileExists", filfunc.call("FileExists", case + "\\Referat*")[0])

    pop_up = casebench.create("Casebench.PopUp")
    pop_up.call("InitText", 2)
    pop_up.call("PutText", 1, "Aftalt frist den 12. maj", 1)
    lines, changed = pop_up.call("ShowTextBox", "Noter", 0, 1000, 1000, 10)
    print("ShowTextBox", lines, changed)
    print("GetText", [pop_up.call("GetText", n)[0] for n in range(1, lines + 1)])

    print("MappeSlet", repr(filfunc.call("MappeSlet", "C:\\Sager\\12")[0]))
    print("TjekMappeOmIndhold", repr(filfunc.call("TjekMappeOmIndhold", case)[0]))


if __name__ == "__main__":
    main()
