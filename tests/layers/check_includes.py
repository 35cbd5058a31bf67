#!/usr/bin/env python3
"""Fails naming every quoted include that runs up the layers.

A file of a layer folder may include its own folder's headers and those of
the libraries its library links, directly or through another. That set is
read from the add_library and target_link_libraries calls of the layers'
CMakeLists.txt, so the check follows the link graph as it is written: an
include of a header whose library is not linked still compiles (only calls
into its objects would fail to link), and this is what catches it. A source
belongs to the library that lists it, a header to the library of its .cpp
beside it, any other file to all the libraries of its folder. tests/,
tools/, standins/ and programs/ stand above every layer and may include
anything; a folder of sources that is neither fails until it is placed.
Only platform/win32/ may include the Windows API's headers.

usage: check_includes.py ROOT
"""
import os
import re
import sys

# The layers' folders. The platform's two backends are layers of their own:
# no other layer links either, so none may include them, nor one the other.
LAYERS = ["base", "szdd", "platform", "platform/win32", "platform/headless", "registry", "expand",
          "install", "uninstall", "wizard", "folderdialog", "startup"]
ABOVE = {"tests", "tools", "standins", "programs"}
NOT_SOURCE = {"build", "out", "docs", "scripts", "cmake", ".git"}
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".c", ".rc")

if len(sys.argv) != 2:
    sys.exit(__doc__)
root = sys.argv[1]


def folder_of(path):
    """The layer folder a tree path lies in (the longest that holds it), or its top folder."""
    for layer in sorted(LAYERS, key=len, reverse=True):
        if path.startswith(layer + "/"):
            return layer
    return path.split("/", 1)[0]


def cmake_calls(text, command):
    """The words of each call of `command`, comments left out."""
    text = re.sub(r"#[^\n]*", "", text)
    for match in re.finditer(r"\b" + command + r"\s*\(([^)]*)\)", text):
        yield match.group(1).split()


library_folder = {}  # library -> its layer folder
library_of_file = {}  # tree path of a listed source -> library
links = {}  # library -> libraries it links
for layer in LAYERS:
    listing = os.path.join(root, layer, "CMakeLists.txt")
    if not os.path.isfile(listing):
        sys.exit(f"check_includes: {layer}/ has no CMakeLists.txt to read its libraries from")
    text = open(listing).read()
    for name, *sources in cmake_calls(text, "add_library"):
        library_folder[name] = layer
        links.setdefault(name, set())
        for source in sources:
            library_of_file[f"{layer}/{source}"] = name
    for name, *linked in cmake_calls(text, "target_link_libraries"):
        links.setdefault(name, set()).update(linked)
for layer in LAYERS:
    if layer not in library_folder.values():
        sys.exit(f"check_includes: no add_library found in {layer}/CMakeLists.txt")


def reachable_folders(library):
    seen, todo = set(), [library]
    while todo:
        current = todo.pop()
        if current in seen:
            continue
        seen.add(current)
        todo.extend(linked for linked in links.get(current, ()) if linked in library_folder)
    return {library_folder[name] for name in seen}


def allowed_for(path):
    layer = folder_of(path)
    library = library_of_file.get(path) or library_of_file.get(os.path.splitext(path)[0] + ".cpp")
    libraries = [library] if library else [name for name, folder in library_folder.items() if folder == layer]
    allowed = {layer}
    for name in libraries:
        allowed |= reachable_folders(name)
    return allowed


def sources(top):
    for directory, subdirectories, files in os.walk(os.path.join(root, top)):
        subdirectories.sort()
        for file in sorted(files):
            if file.endswith(SOURCE_SUFFIXES):
                yield os.path.relpath(os.path.join(directory, file), root).replace(os.sep, "/")


include = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
system_include = re.compile(r'^\s*#\s*include\s*<([^>]+)>')
# The Windows API's headers the platform reads; no other layer may.
WINDOWS_HEADERS = {"windows.h", "winternl.h", "shlobj.h", "objbase.h", "commctrl.h", "wincrypt.h", "shlguid.h",
                   "shldisp.h", "sddl.h", "exdisp.h", "ddeml.h", "winreg.h", "winuser.h", "winbase.h", "shellapi.h",
                   "ntstatus.h", "winnt.h", "aclapi.h", "shlwapi.h"}
faults = []
checked = 0
for top in sorted(os.listdir(root)):
    if top in NOT_SOURCE or top in ABOVE or top.startswith(".") or not os.path.isdir(os.path.join(root, top)):
        continue
    for path in sources(top):
        layer = folder_of(path)
        if layer not in LAYERS:
            faults.append(f"{path}: {top}/ is neither a layer nor above them; place it in this check")
            break
        allowed = allowed_for(path)
        for number, line in enumerate(open(os.path.join(root, path), encoding="utf-8", errors="replace"), 1):
            system = system_include.match(line)
            if system and system.group(1).lower() in WINDOWS_HEADERS and layer != "platform/win32":
                faults.append(f"{path}:{number}: includes <{system.group(1)}>, which only platform/win32/ may")
            found = include.match(line)
            if not found or "/" not in found.group(1):
                continue
            checked += 1
            if folder_of(found.group(1)) not in allowed:
                faults.append(f"{path}:{number}: includes {found.group(1)}, which {layer}/ does not link "
                              f"(it may include {', '.join(sorted(allowed))})")

for fault in faults:
    print(fault)
print(f"{checked} includes of the layers checked, {len(faults)} running up")
sys.exit(1 if faults else 0)
