#!/usr/bin/env bash
# The application manifest inside the built quillaby.scr (resource 1 of type 24), read back from the
# file as Windows reads it: per-monitor DPI awareness (PerMonitorV2, true/pm for older systems) and
# the supported-OS entries of Windows 10/11 down to 7. Without it Windows stretches the dialog as a
# bitmap and hands the full-screen window scaled-down metrics.
set -euo pipefail
program=$2
/usr/bin/python3 - "$program" <<'PY'
import sys
import xml.etree.ElementTree as ET

import pefile

pe = pefile.PE(sys.argv[1], fast_load=True)
pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
    sys.exit("FAIL: the file carries no resources")
manifests = [
    pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries
    if kind.id == pefile.RESOURCE_TYPE["RT_MANIFEST"]
    for name in kind.directory.entries
    if name.id == 1
    for lang in name.directory.entries
]
if len(manifests) != 1:
    sys.exit(f"FAIL: {len(manifests)} manifests with id 1, not one")
root = ET.fromstring(manifests[0])
texts = {el.tag.split("}")[1]: (el.text or "").strip() for el in root.iter() if "}" in el.tag}
oses = {el.get("Id") for el in root.iter() if el.tag.endswith("}supportedOS")}
expected = {
    "dpiAwareness": "PerMonitorV2, PerMonitor",
    "dpiAware": "true/pm",
}
for tag, text in expected.items():
    if texts.get(tag) != text:
        sys.exit(f"FAIL: {tag} is {texts.get(tag)!r}, not {text!r}")
for name, guid in [("Windows 10/11", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"),
                   ("Windows 8.1", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"),
                   ("Windows 7", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}")]:
    if guid not in oses:
        sys.exit(f"FAIL: no supportedOS entry for {name}")
print("ok")
PY
