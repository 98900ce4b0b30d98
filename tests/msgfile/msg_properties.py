# msg_properties.py ORIGINAL COPY: checks that COPY keeps every property of ORIGINAL.
#
# Both are Outlook item files (.msg). The files are read with olefile, apart
# from the program under test. A property is identified by where it is (the
# message, its n-th recipient or attachment, an attached message inside one),
# by its tag, or by its name for a named property (the ids of those differ from
# file to file), and by its type. Values are compared as stored: the meaningful
# bytes of a fixed-size value, the stream of a variable one, each value of a
# multi-valued one, the streams and class of an object storage.
#
# The properties a store renews when it takes an item in are not compared.
# Prints one line for each property lost or changed; exits 1 when there is one.

import struct
import sys

import olefile

RENEWED = {0x0E08, 0x0FFF, 0x0FF9, 0x3008, 0x0FF4, 0x0FF7}
FIXED_SIZES = {0x0002: 2, 0x0003: 4, 0x0004: 4, 0x0005: 8, 0x0006: 8, 0x0007: 8,
               0x000A: 4, 0x000B: 2, 0x0014: 8, 0x0040: 8}
STRING_TYPES = {0x001E, 0x001F}
MULTI_VARIABLE_LENGTH_SIZES = {0x101E: 4, 0x101F: 4, 0x1102: 8}
NAMEID = "__nameid_version1.0"


def stream(ole, path):
    return ole.openstream("/".join(path)).read()


def named_properties(ole):
    """Property id -> (property set, name or number) from the name mapping."""
    if not ole.exists(NAMEID):
        return {}
    guids = stream(ole, [NAMEID, "__substg1.0_00020102"])
    entries = stream(ole, [NAMEID, "__substg1.0_00030102"])
    strings = stream(ole, [NAMEID, "__substg1.0_00040102"]) if ole.exists(
        NAMEID + "/__substg1.0_00040102") else b""
    names = {}
    for offset in range(0, len(entries) - 7, 8):
        identifier, kind_and_guid, index = struct.unpack_from("<IHH", entries, offset)
        guid_index = kind_and_guid >> 1
        if guid_index == 1:
            guid = "PS_MAPI"
        elif guid_index == 2:
            guid = "PS_PUBLIC_STRINGS"
        else:
            guid = guids[16 * (guid_index - 3):16 * (guid_index - 2)].hex()
        if kind_and_guid & 1:
            (length,) = struct.unpack_from("<I", strings, identifier)
            name = strings[identifier + 4:identifier + 4 + length].decode("utf-16-le")
        else:
            name = identifier
        names[0x8000 + index] = (guid, name)
    return names


def tree(ole, path):
    """The streams and storages under path, with the storage classes."""
    found = {("clsid",): ole.getclsid("/".join(path)) if path else ole.root.clsid}
    for entry in ole.listdir(streams=True, storages=True):
        if entry[:len(path)] == path and len(entry) > len(path):
            rest = tuple(entry[len(path):])
            if ole.get_type("/".join(entry)) == olefile.STGTY_STREAM:
                found[rest] = stream(ole, entry)
            else:
                found[rest + ("clsid",)] = ole.getclsid("/".join(entry))
    return found


def children(ole, path, prefix):
    names = sorted({entry[len(path)] for entry in ole.listdir(streams=False, storages=True)
                    if entry[:len(path)] == path and len(entry) > len(path)
                    and entry[len(path)].startswith(prefix)})
    return [path + [name] for name in names]


def value(ole, path, prop_id, prop_type, raw):
    name = "__substg1.0_%04X%04X" % (prop_id, prop_type)
    if prop_type in FIXED_SIZES:
        return raw[:FIXED_SIZES[prop_type]]
    if prop_type == 0x000D:
        return ("object", path + [name])
    if prop_type in MULTI_VARIABLE_LENGTH_SIZES:
        count = len(stream(ole, path + [name])) // MULTI_VARIABLE_LENGTH_SIZES[prop_type]
        return tuple(stream(ole, path + ["%s-%08X" % (name, i)]) for i in range(count))
    content = stream(ole, path + [name])
    if prop_type in STRING_TYPES:
        width = 2 if prop_type == 0x001F else 1
        while len(content) >= width and content[-width:] == b"\0" * width:
            content = content[:-width]
    return content


def properties(ole, names, path, header_size, label, found):
    """Adds the properties of the storage at path, and of what it holds, to found."""
    entries = stream(ole, path + ["__properties_version1.0"])
    for offset in range(header_size, len(entries) - 15, 16):
        tag, _flags, raw = struct.unpack_from("<II8s", entries, offset)
        prop_id, prop_type = tag >> 16, tag & 0xFFFF
        if prop_id in RENEWED:
            continue
        key = names.get(prop_id, prop_id) if prop_id >= 0x8000 else "%04X" % prop_id
        content = value(ole, path, prop_id, prop_type, raw)
        if isinstance(content, tuple) and content[:1] == ("object",):
            inner = content[1]
            if ole.exists("/".join(inner + ["__properties_version1.0"])):
                message(ole, names, inner, 24, "%s/%s" % (label, key), found)
                continue
            content = tree(ole, inner)
        found[(label, key, "%04X" % prop_type)] = content


def message(ole, names, path, header_size, label, found):
    properties(ole, names, path, header_size, label, found)
    for kind, prefix in (("recipient", "__recip_version1.0_#"),
                         ("attachment", "__attach_version1.0_#")):
        for number, child in enumerate(children(ole, path, prefix)):
            properties(ole, names, child, 8, "%s/%s %d" % (label, kind, number), found)


def read(path):
    found = {}
    with olefile.OleFileIO(path) as ole:
        message(ole, named_properties(ole), [], 32, "message", found)
    return found


def main(original_path, copy_path):
    original, copy = read(original_path), read(copy_path)
    faults = 0
    for key, content in sorted(original.items(), key=str):
        if key not in copy:
            print("lost:", *key)
            faults += 1
        elif copy[key] != content:
            print("changed:", *key)
            faults += 1
    print("%d properties compared, %d lost or changed" % (len(original), faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
