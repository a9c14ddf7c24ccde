#!/usr/bin/python3
"""The winget manifest of packaging/winget/ against winget's schemas and against the
programs it installs. Usage: winget_manifest_test.py BUILD (the i686 build whose bin/
holds the shipped setup.exe)."""
import json
import pathlib
import re
import sys

import yaml

ROOT = pathlib.Path(__file__).resolve().parents[2]
# Beside the checkout, not in it: winget's own files, under winget's licence.
SCHEMAS = ROOT.parent / "shared" / "winget-schemas"
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def source(path):
    return (ROOT / path).read_text(encoding="utf-8")


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    manifests = {}
    for path in sorted((ROOT / "packaging" / "winget").glob("*.yaml")):
        document = yaml.safe_load(path.read_text(encoding="utf-8"))
        manifests[document.get("ManifestType")] = document
    if sorted(manifests) != ["defaultLocale", "installer", "version"]:
        print(f"FAILED: packaging/winget/ holds {sorted(manifests)}, not the version, installer and locale files")
        return 1

    if not SCHEMAS.is_dir():
        print(f"skipping the schema check: no {SCHEMAS} (winget's JSON schemas) beside this checkout")
    else:
        import jsonschema
        for kind, document in manifests.items():
            schema = SCHEMAS / f"manifest.{kind}.{document.get('ManifestVersion')}.json"
            validator = jsonschema.Draft7Validator(json.loads(schema.read_text(encoding="utf-8")))
            for error in validator.iter_errors(document):
                where = "/".join(str(part) for part in error.absolute_path) or "(top)"
                check(False, f"{kind}: {where}: {error.message}")

    version = re.search(r'#define VEXLO_VERSION_TEXT "([^"]*)"', source("suite/catalogue/version.h")).group(1)
    for key in ("PackageIdentifier", "PackageVersion", "ManifestVersion"):
        values = {kind: document.get(key) for kind, document in manifests.items()}
        check(len(set(values.values())) == 1, f"the manifests disagree on {key}: {values}")
    check(manifests["version"].get("PackageVersion") == version, f"PackageVersion is not the suite's {version}")

    installer = manifests["installer"]
    codes = {int(code) for code in re.findall(r"=\s*(\d+)\s*;", source("suite/catalogue/installer_codes.h"))}
    expected = {entry["InstallerReturnCode"] for entry in installer.get("ExpectedReturnCodes", [])}
    check(expected <= codes, f"ExpectedReturnCodes {sorted(expected - codes)} are codes the programs never return")
    check({1618, 1603} <= expected, f"ExpectedReturnCodes lack 1618 or 1603: {sorted(expected)}")
    entry = re.search(r'#define VEXLO_ENTRY_NAME "([^"]*)"', source("suite/catalogue/suite_keys.h")).group(1)
    for apps in installer.get("AppsAndFeaturesEntries", [{}]):
        check(apps.get("ProductCode") == entry and apps.get("DisplayVersion") == version,
              f"AppsAndFeaturesEntries {apps}: the entry is {entry}, version {version}")

    # Each switch the manifest passes must be one setup reads: a text of its own in the program.
    setup = (pathlib.Path(sys.argv[1]) / "bin" / "setup.exe").read_bytes()
    switches = installer.get("InstallerSwitches", {})
    for switch in sorted({s.lower() for value in switches.values() for s in re.findall(r"/[A-Za-z]+:?", value)}):
        check(re.search(rb"(?<![\x20-\x7e])" + re.escape(switch.encode()) + rb"\x00", setup),
              f"setup.exe does not know {switch}, which the manifest passes")
    for name, placeholder in (("InstallLocation", "<INSTALLPATH>"), ("Log", "<LOGPATH>")):
        check(f'"{placeholder}"' in switches.get(name, ""), f"{name} does not pass winget's {placeholder}, quoted")

    for failure in failures:
        print("FAILED:", failure)
    print(f"winget manifest: {len(failures)} problems" if failures else "winget manifest: all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
